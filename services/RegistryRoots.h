// The roots a registry path of the configuration may begin with: a predefined key by its name, in
// any letter case, or by its digit.
//
//   1 HKEY_CLASSES_ROOT   2 HKEY_CURRENT_USER   3 HKEY_LOCAL_MACHINE   4 HKEY_USERS   5 HKEY_CURRENT_CONFIG
//
// Portable, so that the package writer checks a path by the same table the library reads it with.
#pragma once

constexpr int kRegistryRootCount = 5;
extern const char* const kRegistryRootNames[kRegistryRootCount];

// The root's digit 1 to 5, or 0 when the text names none.
int RegistryRootNumber(const char* text);
