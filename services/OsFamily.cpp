// ZEMBRA_IsThisNT: whether the system is of the NT family, version 4 or later.
#include "archive/ZembraApi.h"

bool WINAPI ZEMBRA_IsThisNT() {
    if (GetVersion() & 0x80000000u) return false;  // the top bit marks the older family
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return false;
    return info.dwMajorVersion >= 4;
}
