// The product's traces in the registry: its entry in the system's list of installed programs
// (Software\Microsoft\Windows\CurrentVersion\Uninstall\<key>, under HKLM when the run may write there,
// else under HKCU) and the version value that the setup program wrote.
#pragma once

#include "tools/uninstall/ListedRemoval.h"

#include <string>

namespace zembra {

struct UninstallEntry {
    std::string key;
    std::string displayName, displayVersion, publisher, installLocation, displayIcon;
    std::string uninstallString, quietUninstallString;
    unsigned long estimatedSizeKb = 0;
    std::string installDate;  // yyyymmdd
};

// Writes or updates the entry; *where tells the root ("HKLM", "HKCU"). False with the system's code.
bool WriteUninstallEntry(const UninstallEntry& entry, std::string* where, unsigned long* error);

// The InstallLocation of the entry of key (HKLM first, then HKCU); empty when there is none.
std::string UninstallEntryLocation(const std::string& key);

// Removes the entry of key under both roots; *where names what went (or what could not go).
Removal RemoveUninstallEntry(const std::string& key, std::string* where, unsigned long* error);

// Removes the value named by a registry path ("HKEY_CURRENT_USER\Software\Maker\Version") and its key
// when nothing is left in it; never a key above it or a root. Refused: the path names no root.
Removal RemoveVersionValue(const std::string& registryPath, bool* keyRemoved, unsigned long* error);

// Removes a key named by its root and path ("HKEY_CURRENT_USER\Software\Maker") when it holds no
// value and no key. Kept: it holds something.
Removal RemoveEmptyKey(const std::string& key, unsigned long* error);

}  // namespace zembra
