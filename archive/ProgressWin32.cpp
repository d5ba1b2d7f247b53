#include "archive/Progress.h"

#include "framework/MessagePump.h"

#include <windows.h>
#include <commctrl.h>

namespace zembra {

void DeliverProgress(void* window, int32_t position) {
    if (window) SendMessageA(static_cast<HWND>(window), PBM_SETPOS, static_cast<WPARAM>(position), 0);
    PumpMessages();
}

}  // namespace zembra
