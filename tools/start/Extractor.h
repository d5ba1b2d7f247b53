// The extractor's run: find and check the package, make a fresh working folder, place the runtime
// library, let it unpack the setup files, hand the package path over in "ny.tmp", run the setup
// program with the caller's command-line tail, wait for it, and clear everything away again.
#pragma once

#include <string>

namespace zembra {

// Runs the extractor for the process's command line (UTF-8, run/RunningProgram.h); the result is the
// process's exit code: the setup program's own, or one of the codes in StartMessages.h after a message.
// The DLL search has been narrowed before (run/RunningProgram.h).
int RunExtractor(const std::string& commandLine);

}  // namespace zembra
