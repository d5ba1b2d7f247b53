#include "run/TokenFacts.h"

#include "framework/HandleOwner.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace zembra {

bool ReadProcessToken(TokenFacts* facts, unsigned long* error) {
    *facts = TokenFacts();
    Win32Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) {
        *error = GetLastError();
        return false;
    }
    DWORD needed = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &needed);
    std::vector<BYTE> user(needed ? needed : 1);
    LocalMemory<char*> sid;
    if (!GetTokenInformation(token.Get(), TokenUser, user.data(), needed, &needed) ||
        !ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, sid.Receive())) {
        *error = GetLastError();
        return false;
    }
    facts->userSid = sid.Get();
    facts->system = facts->userSid == "S-1-5-18";
    TOKEN_ELEVATION elevation = {};
    if (GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &needed))
        facts->elevated = elevation.TokenIsElevated != 0;
    return true;
}

}  // namespace zembra
