#include "framework/AddBackslash.h"

void AddBackslash(CString& folder) {
    folder.ReleaseBuffer();
    const int length = folder.GetLength();
    if (length > 0 && folder[length - 1] != '\\') folder += '\\';
}
