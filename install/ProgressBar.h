// The dialog's progress bar during a run: byte counts scaled to the control's 16-bit range, a position
// sent only when it changes.
#pragma once

#include <windows.h>

// PBM_SETRANGE 0 to upper (16-bit); nothing without a bar.
void SetProgressRange(HWND bar, int upper);
// Position MulDiv(done, 65535, total) (-1 when total is 0). Sent only when it differs from the one
// computed by the previous call, which is remembered for the whole program, with or without a bar.
void SetProgressPos(HWND bar, long done, long total);
