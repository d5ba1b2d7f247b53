#include "tools/uninstall/UninstallList.h"

#include "framework/AnsiText.h"
#include "tools/uninstall/IniText.h"

#include <algorithm>
#include <unordered_set>

namespace zembra {
namespace {

std::string Upper(std::string text) {
    if (!text.empty()) AnsiMakeUpper(&text[0]);
    return text;
}

// A drive path "C:\..." or a network path "\\server\share\...": anything else would be taken against
// whatever folder the uninstaller happens to run in.
bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                       path[2] == '\\';
    return drive || (path.size() > 2 && path[0] == '\\' && path[1] == '\\');
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

void ReadSection(const IniText& ini, const char* section, const char* prefix, const char* countKey, bool folders,
                 std::vector<std::string>* names, std::vector<std::string>* problems) {
    std::unordered_set<std::string> seen;
    const long count = ini.GetNumber("Doc", countKey);
    for (long i = 0; i < count; ++i) {
        const std::string key = prefix + std::to_string(i);
        const std::string value = ini.Get(section, key.c_str());
        if (value.empty()) continue;  // the setup program passes over empty values too
        std::string name;
        if (!DecodeListedName(value, &name)) {
            problems->push_back("Eintrag " + key + " der Liste lässt sich nicht entschlüsseln und wird übersprungen.");
            continue;
        }
        if (folders) name = WithoutTrailingBackslash(name);
        if (!IsFullPath(name)) {
            problems->push_back(name + ": kein vollständiger Pfad, übersprungen.");
        } else if (name.size() > kMaxListedPath) {
            problems->push_back(name + ": länger als die " + std::to_string(kMaxListedPath) +
                                " Zeichen, die das System erlaubt, übersprungen.");
        } else if (seen.insert(Upper(name)).second) {
            names->push_back(name);
        }
    }
}

size_t Depth(const std::string& folder) { return static_cast<size_t>(std::count(folder.begin(), folder.end(), '\\')); }

}  // namespace

bool DecodeListedName(const std::string& letters, std::string* name) {
    if (letters.empty() || letters.size() % 2 != 0) return false;
    name->clear();
    for (size_t i = 0; i < letters.size(); i += 2) {
        const int low = letters[i] - 'A', high = letters[i + 1] - 'A';
        if (low < 0 || low > 15 || high < 0 || high > 15 || (low == 0 && high == 0)) return false;
        name->push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

bool ParseUninstallList(const std::string& text, UninstallList* list) {
    *list = UninstallList();
    const IniText ini(text);
    if (!ini.Has("Doc", "FileCount") && !ini.Has("Doc", "DirCount")) return false;
    ReadSection(ini, "FName", "File", "FileCount", false, &list->files, &list->problems);
    ReadSection(ini, "FDir", "Dir", "DirCount", true, &list->folders, &list->problems);
    SortDeepestFirst(&list->folders);
    return true;
}

void SortDeepestFirst(std::vector<std::string>* folders) {
    std::stable_sort(folders->begin(), folders->end(), [](const std::string& a, const std::string& b) {
        return Depth(a) != Depth(b) ? Depth(a) > Depth(b) : a.size() > b.size();
    });
}

bool IsInside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
           AnsiCompareNoCase(Upper(path.substr(0, folder.size())).c_str(), Upper(folder).c_str()) == 0;
}

}  // namespace zembra
