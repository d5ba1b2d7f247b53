// The standard folders that placement rules refer to, worked out afresh at every call. Each ends with
// a backslash unless empty.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>

namespace zembra {

// Both in their ANSI form (framework/AnsiPath.h): a folder that has none is empty, *problem (UTF-8)
// saying why.
CString TemporaryFolder(std::string* problem = nullptr);

// The shell's Program Files folder; when the shell gives none, the registry's answer.
CString ProgramFilesFolder(std::string* problem = nullptr);

// The registry's answer: the text value `valueName` of `keyPath` under HKEY_LOCAL_MACHINE. When the key
// opens but the value cannot be read the temporary folder stands in; when the key does not open the
// answer is empty.
CString ProgramFilesFromRegistry(const char* keyPath = "Software\\Microsoft\\Windows\\CurrentVersion",
                                 const char* valueName = "ProgramFilesDir");

}  // namespace zembra
