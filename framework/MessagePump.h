// Draining the calling thread's message queue, so that long work on the GUI thread keeps its windows
// alive: the installation run between its steps, the library while it decodes, the uninstaller.
#pragma once

// Dispatches every message waiting in the calling thread's queue and returns when it is empty; never
// waits. Window procedures of the thread (a Cancel button's handler, say) run inside it.
void PumpMessages();

// Native builds only: PumpMessages calls the hook, which stands for the messages a user would cause.
using PumpMessagesHook = void (*)(void* context);
void SetPumpMessagesHook(PumpMessagesHook hook, void* context);
