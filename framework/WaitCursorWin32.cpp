#include "framework/WaitCursor.h"

#include <windows.h>

namespace {
// GUI thread only, like every cursor change of the program.
int g_depth = 0;
HCURSOR g_restore = nullptr;
}  // namespace

void BeginWaitCursor() {
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    if (g_depth++ == 0) g_restore = previous;
}

void EndWaitCursor() {
    if (g_depth == 0) return;
    if (--g_depth == 0) {
        ::SetCursor(g_restore ? g_restore : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
        g_restore = nullptr;
    }
}
