#include "tools/uninstall/ProductRegistry.h"

#include "framework/HandleOwner.h"
#include "services/RegistryPath.h"

#include <windows.h>

#include <utility>

namespace zembra {
namespace {

constexpr char kUninstallKeys[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

LONG SetString(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

LONG SetNumber(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Deleting a key that is not there is no failure; nor is a root the run may not even read.
Removal DeleteEntry(HKEY root, const std::string& path, unsigned long* error) {
    {
        RegistryKey probe;
        const LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, probe.Receive());
        if (opened == ERROR_FILE_NOT_FOUND) return Removal::Missing;
    }
    const LONG result = RegDeleteKeyA(root, path.c_str());
    if (result == ERROR_SUCCESS) return Removal::Removed;
    if (result == ERROR_FILE_NOT_FOUND) return Removal::Missing;
    *error = static_cast<unsigned long>(result);
    return Removal::Failed;
}

}  // namespace

bool WriteUninstallEntry(const UninstallEntry& entry, std::string* where, unsigned long* error) {
    const std::string path = kUninstallKeys + entry.key;
    RegistryKey key;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  key.Receive(), nullptr);
    *where = "HKLM";
    if (result == ERROR_SUCCESS) {
        // An entry that an earlier installation without those rights made for this folder would show twice.
        unsigned long ignored = 0;
        DeleteEntry(HKEY_CURRENT_USER, path, &ignored);
    } else {
        *where = "HKCU";
        result = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                                 nullptr);
    }
    const HKEY k = key.Get();
    const std::pair<const char*, const std::string*> strings[] = {
        {"DisplayName", &entry.displayName},         {"DisplayVersion", &entry.displayVersion},
        {"Publisher", &entry.publisher},             {"InstallLocation", &entry.installLocation},
        {"DisplayIcon", &entry.displayIcon},         {"UninstallString", &entry.uninstallString},
        {"QuietUninstallString", &entry.quietUninstallString}, {"InstallDate", &entry.installDate},
    };
    for (const auto& value : strings)
        if (result == ERROR_SUCCESS) result = SetString(k, value.first, *value.second);
    if (result == ERROR_SUCCESS) result = SetNumber(k, "EstimatedSize", entry.estimatedSizeKb);
    if (result == ERROR_SUCCESS) result = SetNumber(k, "NoModify", 1);
    if (result == ERROR_SUCCESS) result = SetNumber(k, "NoRepair", 1);
    if (result != ERROR_SUCCESS) {
        *error = static_cast<unsigned long>(result);
        return false;
    }
    return true;
}

std::string UninstallEntryLocation(const std::string& key) {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        char location[MAX_PATH + 1] = {};
        DWORD size = sizeof location - 1;
        if (RegGetValueA(root, (kUninstallKeys + key).c_str(), "InstallLocation", RRF_RT_REG_SZ, nullptr, location,
                         &size) == ERROR_SUCCESS)
            return location;
    }
    return std::string();
}

Removal RemoveUninstallEntry(const std::string& key, std::string* where, unsigned long* error) {
    const std::string path = kUninstallKeys + key;
    Removal outcome = Removal::Missing;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const Removal removal = DeleteEntry(root, path, error);
        if (removal == Removal::Missing) continue;
        *where = std::string(root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\") + path;
        if (removal == Removal::Failed) return Removal::Failed;
        outcome = Removal::Removed;
    }
    return outcome;
}

Removal RemoveVersionValue(const std::string& registryPath, bool* keyRemoved, unsigned long* error) {
    *keyRemoved = false;
    RegistryPath split;
    if (!SplitRegistryPath(registryPath.c_str(), &split)) return Removal::Refused;
    const std::string keyPath = split.keyPath.c_str();
    {
        RegistryKey key;
        LONG result = RegOpenKeyExA(split.root, keyPath.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Receive());
        if (result == ERROR_FILE_NOT_FOUND) return Removal::Missing;
        if (result == ERROR_SUCCESS) result = RegDeleteValueA(key.Get(), split.valueName.c_str());
        if (result == ERROR_FILE_NOT_FOUND) return Removal::Missing;
        if (result != ERROR_SUCCESS) {
            *error = static_cast<unsigned long>(result);
            return Removal::Failed;
        }
        DWORD subKeys = 1, values = 1;
        if (keyPath.empty() || RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                                &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subKeys != 0 || values != 0)
            return Removal::Removed;
    }
    *keyRemoved = RegDeleteKeyA(split.root, keyPath.c_str()) == ERROR_SUCCESS;
    return Removal::Removed;
}

Removal RemoveEmptyKey(const std::string& key, unsigned long* error) {
    RegistryPath split;
    if (!SplitRegistryPath((key + "\\").c_str(), &split) || split.keyPath.IsEmpty()) return Removal::Refused;
    {
        RegistryKey opened;
        LONG result = RegOpenKeyExA(split.root, split.keyPath, 0, KEY_QUERY_VALUE, opened.Receive());
        if (result == ERROR_FILE_NOT_FOUND) return Removal::Missing;
        DWORD subKeys = 1, values = 1;
        if (result == ERROR_SUCCESS)
            result = RegQueryInfoKeyA(opened.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                      nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            *error = static_cast<unsigned long>(result);
            return Removal::Failed;
        }
        if (subKeys != 0 || values != 0) return Removal::Kept;
    }
    const LONG result = RegDeleteKeyA(split.root, split.keyPath);
    if (result == ERROR_SUCCESS) return Removal::Removed;
    *error = static_cast<unsigned long>(result);
    return Removal::Failed;
}

}  // namespace zembra
