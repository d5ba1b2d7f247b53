// Paths the system hands over, asked for through its wide calls and given in the form the 8-bit
// interfaces carry (framework/AnsiPath.h). The ANSI calls would turn a name outside the code page into
// "?" or a best-fit substitute without a word.
#pragma once

#include "framework/AnsiPath.h"

#include <windows.h>

#include <string>

namespace zembra {

// An existing file or folder; the system is asked for its short form only when the path has no exact
// ANSI text.
AnsiPathChoice AnsiPathOf(const std::wstring& path);

// The folders, as the system gives them: the temporary folder ends with a backslash, the others do not.
AnsiPathChoice TemporaryFolderPath();
AnsiPathChoice WindowsFolderPath();        // the user's own under a terminal server
AnsiPathChoice SystemWindowsFolderPath();  // the system's own
AnsiPathChoice SystemFolderPath();

// The file of a module (null: the program); empty when the system does not tell it.
std::wstring ModuleFileName(HMODULE module);

// path taken against the current folder; path itself when the system cannot do that.
std::wstring FullPathName(const std::wstring& path);

}  // namespace zembra
