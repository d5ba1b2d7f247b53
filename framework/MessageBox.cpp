#include "framework/MessageBox.h"

namespace {
MessageBoxHook g_hook = nullptr;
void* g_context = nullptr;
}  // namespace

int ShowMessageBox(const char* text, const char* caption, unsigned style) {
    if (g_hook) return g_hook(text ? text : "", caption ? caption : "", style, g_context);
    return SystemMessageBox(text ? text : "", caption ? caption : "", style);
}

void SetMessageBoxHook(MessageBoxHook hook, void* context) {
    g_hook = hook;
    g_context = context;
}
