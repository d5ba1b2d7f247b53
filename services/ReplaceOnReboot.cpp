// ZEMBRA_ReplaceFileOnReboot: asks the system to move the side file over a target that is in use at
// the next restart. The side file itself is the caller's business.
#include "archive/ZembraApi.h"
#include "services/SideFile.h"

bool WINAPI ZEMBRA_ReplaceFileOnReboot(const char* path) {
    if (!path || !*path) return false;
    try {
        CString side = zembra::SideFilePath(path);
        return MoveFileExA(side, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    } catch (...) {
        return false;
    }
}
