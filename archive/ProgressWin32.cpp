#include "archive/Progress.h"

#include <windows.h>
#include <commctrl.h>

namespace zembra {

void DeliverProgress(void* window, int32_t position) {
    if (window) SendMessageA(static_cast<HWND>(window), PBM_SETPOS, static_cast<WPARAM>(position), 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SetProgressObserver(ProgressObserver, void*) {}

}  // namespace zembra
