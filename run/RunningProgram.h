// The running program itself (Windows): where its file is, and the DLL search narrowed for a program
// that runs from a folder other people may have written to (a download folder, a product folder).
#pragma once

#include "framework/AnsiPath.h"

#include <string>

namespace zembra {

// The program file's full path in the form the 8-bit interfaces carry (its own text, or its short form
// when it lies outside the ANSI code page), or why it has none.
AnsiPathChoice ProgramPathChoice();
// That path; empty when the system does not tell it or it has no such form.
std::string ProgramPath();
// Its file name alone ("Setup.exe").
std::string ProgramName();

// The process's command line in UTF-8, read through the wide call: a name in it that the ANSI code page
// cannot say (/log=, /DIR=) arrives whole. Blanks and quotes, which split it, are the same bytes.
std::string CommandLineUtf8();

enum class DllSearch {
    SystemFolder,            // the extractor and the uninstaller: nothing of theirs lies beside them
    SystemAndProgramFolder,  // the setup program, whose folder holds the setup files and nothing else
};

// From now on DLLs loaded by name come from the given folders only. True when the system could do
// that; false when it is too old for it and only the current folder left the search. The program's
// own imports must be KnownDLLs, which the system maps before any search.
bool NarrowDllSearch(DllSearch scope);
// Whether the last NarrowDllSearch could narrow the search.
bool DllSearchNarrowed();

}  // namespace zembra
