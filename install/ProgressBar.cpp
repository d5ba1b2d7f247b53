#include "install/ProgressBar.h"

#include <commctrl.h>

namespace {
int g_lastPosition = 0;
}

void SetProgressRange(HWND bar, int upper) {
    if (bar) ::SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, upper));
}

void SetProgressPos(HWND bar, long done, long total) {
    int position = ::MulDiv(done, 65535, total);
    if (bar && position != g_lastPosition) ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    g_lastPosition = position;
}
