// The uninstaller without the rights its product needs (an entry under HKLM, no elevation): it starts
// itself again through the system's "runas" verb, which shows the elevation prompt, with the same
// switches, waits for that run and ends with its exit code (run/TokenFacts.h, ElevationChoice.h).
#pragma once

#include "run/RunMessages.h"
#include "tools/uninstall/ElevationChoice.h"

#include <string>

namespace zembra {

// The switch the restarted run carries, so that it never restarts once more.
constexpr char kRestartedSwitch[] = "/elevated";

// What this process should do: the token, the product's entry (its AppId, else its list folder), the
// switches.
ElevationChoice ElevationFor(const std::string& listFolder, bool quiet, bool restarted);

// Carries out RestartElevated or CannotAsk and gives the exit code: the elevated run's own, 1602 when
// the prompt was refused, 1603 when no prompt may be shown (/quiet) or the restart failed. tail is the
// command line's in UTF-8.
int RestartElevated(ElevationChoice choice, const std::string& program, const std::string& tail,
                    RunMessages& messages);

}  // namespace zembra
