#include "framework/MessageBox.h"

#include <cstdio>

namespace {
MessageBoxHook g_hook = nullptr;
void* g_context = nullptr;

int DecliningAnswer(unsigned style) {
    switch (style & 0xF) {
        case BoxOkCancel:
        case BoxYesNoCancel:
        case BoxRetryCancel: return BoxIdCancel;
        case BoxAbortRetryIgnore: return BoxIdAbort;
        case BoxYesNo: return BoxIdNo;
        default: return BoxIdOk;
    }
}
}  // namespace

int ShowMessageBox(const char* text, const char* caption, unsigned style) {
    if (g_hook) return g_hook(text ? text : "", caption ? caption : "", style, g_context);
    std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
    return DecliningAnswer(style);
}

void SetMessageBoxHook(MessageBoxHook hook, void* context) {
    g_hook = hook;
    g_context = context;
}
