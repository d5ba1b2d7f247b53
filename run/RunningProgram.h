// The running program itself (Windows): where its file is, and the DLL search narrowed for a program
// that runs from a folder other people may have written to (a download folder, a product folder).
#pragma once

#include <string>

namespace zembra {

// The program file's full path; empty when the system does not tell it.
std::string ProgramPath();
// Its file name alone ("Setup.exe").
std::string ProgramName();

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
