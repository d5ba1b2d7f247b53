#include "services/RegistryRoots.h"

#include "framework/AnsiText.h"

const char* const kRegistryRootNames[kRegistryRootCount] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG",
};

int RegistryRootNumber(const char* text) {
    if (!text) return 0;
    if (text[0] >= '1' && text[0] < '1' + kRegistryRootCount && text[1] == '\0') return text[0] - '0';
    for (int i = 0; i < kRegistryRootCount; ++i)
        if (AnsiCompareNoCase(text, kRegistryRootNames[i]) == 0) return i + 1;
    return 0;
}
