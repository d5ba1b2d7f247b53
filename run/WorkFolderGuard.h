// Where a working folder is made and what guards it, decided from the facts of the process's token.
//
// An elevated administrator shares its user with every program that user runs without elevation, and
// the user's temporary folder is theirs to change: a folder there, however private its list, can be
// renamed away and replaced. So an elevated or SYSTEM run works in the system's temporary folder,
// where ordinary users may create entries but may neither delete nor rename other users' ones, in a
// folder owned by the Administrators (or SYSTEM) that grants SYSTEM and the Administrators alone and
// carries a high mandatory label against writes from below. A run without elevation keeps the user's
// own folder with a list of its own, which is all it can be protected from.
#pragma once

#include "run/TokenFacts.h"

#include <string>
#include <vector>

namespace zembra {

struct FolderGuard {
    std::string owner;                // "BA" or "SY" in the descriptor language; empty: whoever makes it
    std::vector<std::string> grants;  // full access, inherited by all made inside; nobody else has any
    std::string label;                // a mandatory level that forbids writes from below it ("HI"), or empty
    // "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)S:(ML;OICI;NW;;;HI)": nothing inherited from above.
    std::string Sddl() const;
};

FolderGuard WorkFolderGuard(const TokenFacts& token);

// The folders to make it under, in the order to try, each ending with a backslash: SYSTEM's own
// SystemTemp (where it exists and SYSTEM may write) before Temp in windowsFolder, Temp there for an
// elevated run, userTemp otherwise; none when the folder it needs is unknown (empty).
std::vector<std::string> WorkFolderRoots(const TokenFacts& token, const std::string& userTemp,
                                         const std::string& windowsFolder);

}  // namespace zembra
