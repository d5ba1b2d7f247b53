#pragma once

#include <windows.h>

namespace zembra {

// Relative identifier in the built-in domain of the group that a caller names: 1 Power Users,
// 2 Users, anything else Administrators.
DWORD BuiltinGroupRid(int group);

// Whether the token's groups grant the group's rights. A group held only for denying access grants
// none, so it does not count.
bool TokenGroupsContain(const TOKEN_GROUPS& groups, PSID sid);

}  // namespace zembra
