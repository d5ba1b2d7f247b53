#include "tools/uninstall/ProductRecord.h"

#include "framework/AnsiText.h"
#include "tools/uninstall/IniText.h"

#include <cstdint>
#include <cstdio>

namespace zembra {

std::string ProductRecordText(const ProductRecord& record) {
    return "; The uninstaller's product record, written by zembra-pack.\r\n[Product]\r\nName=" + record.name +
           "\r\nVersion=" + record.version + "\r\nPublisher=" + record.publisher + "\r\nRegVersion=" +
           record.regVersion + "\r\n";
}

ProductRecord ParseProductRecord(const std::string& text) {
    const IniText ini(text);
    return {ini.Get("Product", "Name"), ini.Get("Product", "Version"), ini.Get("Product", "Publisher"),
            ini.Get("Product", "RegVersion")};
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

}  // namespace zembra
