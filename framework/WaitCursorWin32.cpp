#include "framework/WaitCursor.h"

#include <windows.h>

namespace {
// GUI thread only, like every cursor change of the program.
int g_depth = 0;
HCURSOR g_restore = nullptr;
}  // namespace

void BeginWaitCursor() {
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    if (g_depth++ == 0) g_restore = previous;
}

void EndWaitCursor() {
    if (g_depth == 0) return;
    if (--g_depth == 0) {
        ::SetCursor(g_restore ? g_restore : ::LoadCursorA(nullptr, IDC_ARROW));
        g_restore = nullptr;
    }
}

void RestoreWaitCursor() {
    if (g_depth > 0) ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}
