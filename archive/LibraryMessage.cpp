#include "archive/LibraryMessage.h"

namespace zembra {
namespace {
ZEMBRA_MessageHandler g_handler = nullptr;
void* g_context = nullptr;
}  // namespace

int LibraryMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    if (g_handler) return g_handler(owner, text ? text : "", caption ? caption : "", style, g_context);
    return MessageBoxA(owner, text, caption, style);
}

void SetLibraryMessageHandler(ZEMBRA_MessageHandler handler, void* context) {
    g_handler = handler;
    g_context = context;
}

}  // namespace zembra
