// The removal of an installed product, run from its list folder: the list "UnZembra.ini" and the
// product record "UnZembra.dat" there say what goes. Only what the list names is removed, files first
// (in the list's order), then the registry's version value with the emptied keys the installation
// made above it and the entry in the list of installed programs, the record and the list, and the
// folders deepest first when they are empty by then.
#pragma once

#include "run/RunMessages.h"

#include <string>

namespace zembra {

struct UninstallCall {
    std::string listFolder;  // ends with a backslash
    std::string program;     // UnZembra.exe's own path
    bool automatic = false;  // no question
    bool quiet = false;      // no window at all
};

// The process's exit code: 0, 3010 (something goes at the next restart), 1602 (declined) or 1603
// (something listed stayed, or the list could not be read and nothing was touched).
int RunUninstall(const UninstallCall& call, RunMessages& messages);

}  // namespace zembra
