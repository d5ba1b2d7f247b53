// Whether the uninstaller must start itself again with the Administrators' rights before it removes
// anything. A product entered under HKLM lies where only an elevated run may delete (Program Files);
// started from the list of installed programs without elevation, every removal there would fail.
#pragma once

#include "run/TokenFacts.h"

namespace zembra {

enum class ElevationChoice {
    RunHere,          // the rights suffice, or nothing more can be had
    RestartElevated,  // again through the system's "runas", with the same switches, waited for
    CannotAsk,        // /quiet: nobody may be asked, so the run ends with 1603 and a log line
};

// restarted: this is already the run that the elevation started; it never starts another.
ElevationChoice ChooseElevation(const TokenFacts& token, bool entryUnderLocalMachine, bool quiet, bool restarted);

}  // namespace zembra
