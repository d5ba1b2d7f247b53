#include "services/ServiceMessage.h"

#include <windows.h>

namespace zembra {

int ShowServiceMessage(const char* text) {
    return MessageBoxA(nullptr, text, "Setup", MB_OK | MB_TASKMODAL | MB_TOPMOST);
}

}  // namespace zembra
