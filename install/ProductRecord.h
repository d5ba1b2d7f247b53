// The product record "UnZembra.dat" that an installer with an uninstaller places beside the list
// "UnZembra.ini" (install/FileList.h) and UnZembra.exe in the list folder: what the system's list of
// installed programs shows and which registry value holds the product's version. Profile syntax, code
// page 1252:
//
//   [Product]
//   Name=Zembra Demo
//   Version=1.2
//   Publisher=Beispiel GmbH
//   RegVersion=HKEY_CURRENT_USER\Software\Zembra Demo\Version
//   AppId={5F0C3A52-8D1E-4B7A-9C33-2E6F1A0B7D41}     only when the product has one
//   Languages=en,de                                   only when it speaks more than German, main first
#pragma once

#include <string>

namespace zembra {

constexpr char kUninstallerName[] = "UnZembra.exe";
constexpr char kProductRecordName[] = "UnZembra.dat";

struct ProductRecord {
    std::string name, version, publisher, regVersion;
    std::string appId{};      // the product's stable code; empty for products without one
    std::string languages{};  // "en,de"; empty: German alone
};

std::string ProductRecordText(const ProductRecord& record);
// The record in the file at path; false when there is none to load (a missing value reads as empty).
bool ReadProductRecord(const std::string& path, ProductRecord* record);

// The key under ...\CurrentVersion\Uninstall of the product installed with its list in folder: the
// same folder (in any letter case, with or without a final backslash) gives the same key, so a second
// installation there updates its entry.
std::string UninstallKeyName(const std::string& listFolder);
// The key of the product's entry: its AppId, so that every version and folder share one entry; without
// one, the key of its list folder.
std::string UninstallKey(const ProductRecord& record, const std::string& listFolder);

}  // namespace zembra
