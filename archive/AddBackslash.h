#pragma once

#include "framework/CString.h"

namespace zembra {

// Folder strings end with a backslash. The length is taken anew up to the first zero byte first,
// because callers may have written into the buffer directly; an empty string stays empty.
void AddBackslash(CString& folder);

}  // namespace zembra
