#include "install/ProductRecord.h"

#include "framework/AnsiText.h"
#include "profile/CProfileDocument.h"

#include <cstdint>
#include <cstdio>

namespace zembra {

std::string ProductRecordText(const ProductRecord& record) {
    return "; The uninstaller's product record, written by zembra-pack.\r\n[Product]\r\nName=" + record.name +
           "\r\nVersion=" + record.version + "\r\nPublisher=" + record.publisher + "\r\nRegVersion=" +
           record.regVersion + "\r\n" + (record.appId.empty() ? "" : "AppId=" + record.appId + "\r\n") +
           (record.languages.empty() ? "" : "Languages=" + record.languages + "\r\n");
}

bool ReadProductRecord(const std::string& path, ProductRecord* record) {
    CProfileDocument document;
    document.SetPath(path.c_str());
    if (!document.Load()) return false;
    const auto value = [&](const char* key) { return std::string(document.GetString("Product", key, "").c_str()); };
    *record = {value("Name"),       value("Version"), value("Publisher"),
               value("RegVersion"), value("AppId"),   value("Languages")};
    return true;
}

std::string UninstallKeyName(const std::string& listFolder) {
    std::string folder = listFolder;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (!folder.empty()) AnsiMakeUpper(&folder[0]);
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : folder) hash = (hash ^ c) * 1099511628211ull;
    char key[32];
    std::snprintf(key, sizeof key, "Zembra-%016llX", static_cast<unsigned long long>(hash));
    return key;
}

std::string UninstallKey(const ProductRecord& record, const std::string& listFolder) {
    return record.appId.empty() ? UninstallKeyName(listFolder) : record.appId;
}

}  // namespace zembra
