// The product record "UnZembra.dat" that an installer with an uninstaller places beside the list
// "UnZembra.ini" and UnZembra.exe in the list folder: what the system's list of installed programs
// shows and which registry value holds the product's version. Profile syntax, code page 1252:
//
//   [Product]
//   Name=Zembra Demo
//   Version=1.2
//   Publisher=Beispiel GmbH
//   RegVersion=HKEY_CURRENT_USER\Software\Zembra Demo\Version
#pragma once

#include <string>

namespace zembra {

constexpr char kUninstallerName[] = "UnZembra.exe";
constexpr char kProductRecordName[] = "UnZembra.dat";
constexpr char kInstalledListName[] = "UnZembra.ini";

struct ProductRecord {
    std::string name, version, publisher, regVersion;
};

std::string ProductRecordText(const ProductRecord& record);
ProductRecord ParseProductRecord(const std::string& text);

// The key under ...\CurrentVersion\Uninstall of the product installed with its list in folder: the
// same folder (in any letter case, with or without a final backslash) gives the same key, so a second
// installation there updates its entry.
std::string UninstallKeyName(const std::string& listFolder);

}  // namespace zembra
