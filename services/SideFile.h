#pragma once

#include "framework/CString.h"

namespace zembra {

// The file that replaces a target at restart: same folder, same name, extension ".tny" instead of the
// target's own (appended when it has none). C:\Prog\app.dll gives C:\Prog\app.tny.
CString SideFilePath(const char* target);

}  // namespace zembra
