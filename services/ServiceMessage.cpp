#include "services/ServiceMessage.h"

#include "archive/LibraryMessage.h"

namespace zembra {

int ShowServiceMessage(const char* text) {
    return LibraryMessageBox(nullptr, text, "Setup", MB_OK | MB_TASKMODAL | MB_TOPMOST);
}

}  // namespace zembra
