#include "services/RegistryPath.h"

#include "services/RegistryRoots.h"

#include <mbstring.h>

namespace zembra {

namespace {

// In the order of the roots' digits.
const HKEY kRootKeys[kRegistryRootCount] = {
    HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG,
};

// Multibyte-aware, so that a trail byte equal to a backslash never splits a name.
const char* FirstBackslash(const char* text) {
    return reinterpret_cast<const char*>(_mbschr(reinterpret_cast<const unsigned char*>(text), '\\'));
}

const char* LastBackslash(const char* text) {
    return reinterpret_cast<const char*>(_mbsrchr(reinterpret_cast<const unsigned char*>(text), '\\'));
}

}  // namespace

HKEY RegistryRootByName(const char* name) {
    const int number = RegistryRootNumber(name);
    return number == 0 ? nullptr : kRootKeys[number - 1];
}

bool SplitRegistryPath(const char* path, RegistryPath* result) {
    *result = RegistryPath();
    if (!path) return false;
    const char* first = FirstBackslash(path);
    if (!first) return false;
    result->root = RegistryRootByName(CString(path, static_cast<int>(first - path)));
    if (!result->root) return false;

    const char* rest = first + 1;
    const char* last = LastBackslash(rest);
    if (last) {
        result->keyPath = CString(rest, static_cast<int>(last - rest));
        result->valueName = last + 1;
    } else {
        result->valueName = rest;
    }
    return true;
}

}  // namespace zembra
