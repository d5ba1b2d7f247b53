// The extractor's command line. A single-file installer passes its whole tail to the setup program, so
// "/auto" and anything after it reach Zembra.exe unchanged. Only a tail that begins with "--package"
// names a package file instead; the setup program never looks at such a word.
//
//   Setup.exe [TAIL]                            the package is the program file itself
//   ZembraStart.exe --package PACKAGE [TAIL]    PACKAGE may be quoted ("C:\Mit Blanks\x.pkg")
#pragma once

#include <string>

namespace zembra {

struct StartCall {
    bool packageGiven = false;
    std::string package;
    std::string setupTail;  // passed on as it stands
    std::string error;      // non-empty: the call cannot be carried out
};

StartCall ParseStartTail(const char* tail);

}  // namespace zembra
