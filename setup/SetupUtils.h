// Small utilities of the setup program, used by the dialog, the installation run and its end alike.
#pragma once

#include "framework/CString.h"

// Makes a non-empty folder string end with a backslash. The length is first taken anew up to the
// first zero byte, because callers may have let the system write into the string's buffer.
void AddBackslash(CString& folder);

// Dispatches every message waiting in the calling thread's queue and returns when it is empty; never
// waits. Window procedures of the thread (a Cancel button's handler, say) run inside it.
void PumpMessages();

// The program's message box: no owner, caption "Setup", task-modal and topmost on top of the given
// style. Returns the id of the button pressed.
int ShowMessage(CString text, unsigned style);

// Native builds only: PumpMessages calls the hook, which stands for the messages a user would cause.
using PumpMessagesHook = void (*)(void* context);
void SetPumpMessagesHook(PumpMessagesHook hook, void* context);
