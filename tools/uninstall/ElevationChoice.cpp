#include "tools/uninstall/ElevationChoice.h"

namespace zembra {

ElevationChoice ChooseElevation(const TokenFacts& token, bool entryUnderLocalMachine, bool quiet, bool restarted) {
    if (token.elevated || token.system || !entryUnderLocalMachine) return ElevationChoice::RunHere;
    // A system that hands out no elevated token (the prompt switched off) answers "runas" with the same
    // rights: the second run goes on with them rather than asking forever.
    if (restarted) return ElevationChoice::RunHere;
    return quiet ? ElevationChoice::CannotAsk : ElevationChoice::RestartElevated;
}

}  // namespace zembra
