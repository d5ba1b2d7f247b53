#include "archive/AddBackslash.h"

namespace zembra {

void AddBackslash(CString& folder) {
    folder.ReleaseBuffer();
    int length = folder.GetLength();
    if (length > 0 && folder[length - 1] != '\\') folder += '\\';
}

}  // namespace zembra
