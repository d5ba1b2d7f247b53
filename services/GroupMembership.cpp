// ZEMBRA_IsUserMemberOfGroup: whether the process token holds a built-in group. Any failing system
// call answers "not a member"; systems without user groups answer "member" for every group.
#include "services/GroupMembership.h"

#include "archive/ZembraApi.h"
#include "framework/HandleOwner.h"

#include <vector>

namespace zembra {

DWORD BuiltinGroupRid(int group) {
    switch (group) {
    case 1: return DOMAIN_ALIAS_RID_POWER_USERS;
    case 2: return DOMAIN_ALIAS_RID_USERS;
    default: return DOMAIN_ALIAS_RID_ADMINS;
    }
}

bool TokenGroupsContain(const TOKEN_GROUPS& groups, PSID sid) {
    for (DWORD i = 0; i < groups.GroupCount; ++i) {
        if (groups.Groups[i].Attributes & SE_GROUP_USE_FOR_DENY_ONLY) continue;
        if (EqualSid(groups.Groups[i].Sid, sid)) return true;
    }
    return false;
}

}  // namespace zembra

namespace {

constexpr DWORD kFirstGroupsBuffer = 1024;

bool ReadTokenGroups(HANDLE token, std::vector<BYTE>* buffer) {
    buffer->assign(kFirstGroupsBuffer, 0);
    DWORD needed = 0;
    SetLastError(ERROR_SUCCESS);
    if (GetTokenInformation(token, TokenGroups, buffer->data(), static_cast<DWORD>(buffer->size()), &needed)) {
        return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return false;
    buffer->assign(needed, 0);
    SetLastError(ERROR_SUCCESS);
    return GetTokenInformation(token, TokenGroups, buffer->data(), needed, &needed) != FALSE;
}

int IsUserMemberOfGroup(int group) {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    OwnedSid sid;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, zembra::BuiltinGroupRid(group), 0, 0,
                                  0, 0, 0, 0, sid.Receive())) {
        return 0;
    }
    Win32Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return 0;
    std::vector<BYTE> buffer;
    if (!ReadTokenGroups(token.Get(), &buffer)) return 0;
    return zembra::TokenGroupsContain(*reinterpret_cast<const TOKEN_GROUPS*>(buffer.data()), sid.Get()) ? 1 : 0;
}

}  // namespace

int WINAPI ZEMBRA_IsUserMemberOfGroup(int group) {
    if (!ZEMBRA_IsThisNT()) return 1;
    try {
        return IsUserMemberOfGroup(group);
    } catch (...) {
        return 0;
    }
}
