#include "install/MadeRegistryKeys.h"

#include "framework/AnsiText.h"
#include "install/FileList.h"
#include "profile/CProfileDocument.h"
#include "services/RegistryRoots.h"

namespace {

constexpr char kSection[] = "RegKey", kCountKey[] = "KeyCount";

CString Key(size_t i) {
    CString key;
    key.Format("Key%ld", static_cast<long>(i));
    return key;
}

// Where each backslash of text stands, a trail byte of a double-byte character never counting.
std::vector<size_t> Backslashes(const std::string& text) {
    std::vector<size_t> at;
    for (size_t i = 0; i < text.size(); ++i) {
        if (AnsiIsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
        else if (text[i] == '\\') at.push_back(i);
    }
    return at;
}

}  // namespace

std::vector<std::string> KeysAboveValue(const std::string& registryPath) {
    const std::vector<size_t> at = Backslashes(registryPath);
    std::vector<std::string> keys;
    // Root, "Software", at least one key below it, the value: four parts.
    if (at.size() < 3) return keys;
    const int root = RegistryRootNumber(registryPath.substr(0, at[0]).c_str());
    const std::string software = registryPath.substr(at[0] + 1, at[1] - at[0] - 1);
    if (root == 0 || AnsiCompareNoCase(software.c_str(), "Software") != 0) return keys;
    for (size_t i = at.size() - 1; i >= 2; --i) {
        const std::string key = registryPath.substr(at[0] + 1, at[i] - at[0] - 1);
        if (key.empty() || key.back() == '\\') break;  // an empty name names no key of its own
        keys.push_back(kRegistryRootNames[root - 1] + ("\\" + key));
    }
    return keys;
}

std::vector<std::string> ReadMadeRegistryKeys(CProfileDocument& list) {
    std::vector<std::string> keys;
    const long count = list.GetInt("Doc", kCountKey, 0);
    for (long i = 0; i < count; ++i) {
        std::string key;
        if (DecodeName(list.GetString(kSection, Key(static_cast<size_t>(i)), ""), &key) && !HoldsKey(keys, key))
            keys.push_back(key);
    }
    return keys;
}

void RecordMadeRegistryKeys(const CString& path, const std::vector<std::string>& keys) {
    CProfileDocument list;
    list.SetPath(path);
    if (!list.Load()) return;  // reported; nothing to add to
    std::vector<std::string> recorded = ReadMadeRegistryKeys(list);
    for (const std::string& key : keys)
        if (!HoldsKey(recorded, key)) recorded.push_back(key);
    list.SetInt("Doc", kCountKey, static_cast<uint32_t>(recorded.size()));
    for (size_t i = 0; i < recorded.size(); ++i) list.SetString(kSection, Key(i), EncodeName(recorded[i].c_str()));
    list.Save();
}

bool HoldsKey(const std::vector<std::string>& keys, const std::string& key) {
    for (const std::string& k : keys)
        if (AnsiCompareNoCase(k.c_str(), key.c_str()) == 0) return true;
    return false;
}
