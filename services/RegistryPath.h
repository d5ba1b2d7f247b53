// Registry paths as the configuration writes them: root, backslash, key path, backslash, value name.
//
//   HKEY_CURRENT_USER\Software\Maker\Product\InstallDir   value "InstallDir" of Software\Maker\Product
//   3\Software\Maker\Product\                             default value of that key under HKLM
//   hkey_current_user\Version                             value "Version" directly under HKCU
//
// The root is matched without regard to case, or given as a digit 1 to 5.
#pragma once

#include "framework/CString.h"

#include <windows.h>

namespace zembra {

struct RegistryPath {
    HKEY root = nullptr;
    CString keyPath;    // empty: the root key itself
    CString valueName;  // empty: the key's default value
};

// The predefined key named by a root text, or null when the text names none.
HKEY RegistryRootByName(const char* name);

// Splits a registry path; false when the text before the first backslash names no root (a path
// without a backslash has an empty root).
bool SplitRegistryPath(const char* path, RegistryPath* result);

}  // namespace zembra
