// What the process's token says about the rights a run has: whether it is elevated and whether it is
// SYSTEM. Decisions that hang on it (run/WorkFolderGuard.h, the uninstaller's restart) take these facts
// rather than the token, so that they can be checked for every kind of token on any platform.
#pragma once

#include <string>

namespace zembra {

struct TokenFacts {
    bool elevated = false;  // the token says so: an administrator past the elevation prompt
    bool system = false;    // its user is SYSTEM (S-1-5-18)
    std::string userSid;    // "S-1-5-21-..."
};

#ifdef _WIN32
// The facts of this process's token; false with the system's error code. A system without elevation
// (before Vista) reads as not elevated.
bool ReadProcessToken(TokenFacts* facts, unsigned long* error);
#endif

}  // namespace zembra
