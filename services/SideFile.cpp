#include "services/SideFile.h"

#include <windows.h>

#include <cstring>

namespace zembra {

// Drive, folder and name split as the runtime's _splitpath splits them, but for paths of any length:
// the runtime gives empty parts for a path beyond its limits, which would name ".tny" in the current
// folder instead.
CString SideFilePath(const char* target) {
    int length = static_cast<int>(std::strlen(target));
    int nameStart = length >= 2 && target[1] == ':' ? 2 : 0;
    int extensionStart = -1;
    for (int i = nameStart; i < length; ++i) {
        char ch = target[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(ch)) && i + 1 < length) {
            ++i;  // a trail byte is never a separator or a dot
        } else if (ch == '\\' || ch == '/') {
            nameStart = i + 1;
            extensionStart = -1;
        } else if (ch == '.') {
            extensionStart = i;
        }
    }
    int baseEnd = extensionStart >= 0 ? extensionStart : length;
    return CString(target, baseEnd) + ".tny";
}

}  // namespace zembra
