#include "framework/MessagePump.h"

namespace {
PumpMessagesHook g_hook = nullptr;
void* g_context = nullptr;
}  // namespace

void PumpMessages() {
    if (g_hook) g_hook(g_context);
}

void SetPumpMessagesHook(PumpMessagesHook hook, void* context) {
    g_hook = hook;
    g_context = context;
}
