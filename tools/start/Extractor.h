// The extractor's run: find and check the package, make a fresh working folder, place the runtime
// library, let it unpack the setup files, hand the package path over in "ny.tmp", run the setup
// program with the caller's command-line tail, wait for it, and clear everything away again.
#pragma once

namespace zembra {

// Whether system DLLs are looked up in the system folder only (false: the system is too old for
// that, and only the current folder could be taken out of the search).
struct DllSearch {
    bool systemFolderOnly = false;
};

// Runs the extractor for the process's command line; the result is the process's exit code: the setup
// program's own, or one of the codes in StartMessages.h after a message.
int RunExtractor(const char* commandLine, const DllSearch& search);

}  // namespace zembra
