#include "install/FileList.h"

#include "framework/AnsiText.h"
#include "install/SetupTexts.h"
#include "profile/CNyStringArray.h"
#include "profile/CProfileDocument.h"

#include <algorithm>
#include <unordered_set>

namespace {

struct Section {
    const char* name;
    const char* keyPrefix;
    const char* countKey;
    bool folders;
};
constexpr Section kFiles = {"FName", "File", "FileCount", false};
constexpr Section kFolders = {"FDir", "Dir", "DirCount", true};
constexpr char kOrigins[] = "FOrigin";
constexpr char kCreated[] = "created";
constexpr char kReplaced[] = "replaced";
constexpr Section kShortcuts = {"Shortcuts", "Link", "ShortcutCount", false};
constexpr Section kShortcutFolders = {"ShortcutDirs", "Dir", "ShortcutDirCount", true};

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

CString Key(const Section& section, long i) {
    CString key;
    key.Format("%s%ld", section.keyPrefix, i);
    return key;
}

void ReadSection(CProfileDocument& list, const Section& section, std::vector<std::string>* names,
                 std::vector<std::string>* problems) {
    std::unordered_set<std::string> seen;
    const long count = list.GetInt("Doc", section.countKey, 0);
    for (long i = 0; i < count; ++i) {
        const CString key = Key(section, i);
        const CString value = list.GetString(section.name, key, "");
        if (value.IsEmpty()) continue;  // written by nobody, passed over by everybody
        std::string name;
        if (!DecodeName(value, &name)) {
            problems->push_back(zembra::Text(zembra::SetupText::ListEntryUndecodable, {key.c_str()}));
            continue;
        }
        // A folder's final backslash is no part of what the system can reach.
        const std::string reached = section.folders ? WithoutTrailingBackslash(name) : name;
        if (!IsFullPath(reached)) {
            problems->push_back(zembra::Text(zembra::SetupText::ListNotFull, {reached}));
        } else if (reached.size() > kMaxListedPath) {
            problems->push_back(
                zembra::Text(zembra::SetupText::ListTooLong, {reached, std::to_string(kMaxListedPath)}));
        } else if (seen.insert(Upper(name)).second) {
            names->push_back(name);
        }
    }
}

void WriteSection(CProfileDocument& list, const Section& section, const CNyStringArray& names) {
    list.SetInt("Doc", section.countKey, static_cast<uint32_t>(names.GetSize()));
    for (int i = 0; i < names.GetSize(); ++i) list.SetString(section.name, Key(section, i), EncodeName(names.GetAt(i)));
}

size_t Depth(const std::string& folder) { return static_cast<size_t>(std::count(folder.begin(), folder.end(), '\\')); }

// A file's key in [FOrigin]: letter case aside, as the names are compared.
CString OriginKey(const std::string& file) { return EncodeName(Upper(file).c_str()); }

void ReadOrigins(CProfileDocument& list, ListedNames* names) {
    for (const std::string& file : names->files) {
        const CProfileEntry* record = list.LookupKey(kOrigins, OriginKey(file));
        if (record && record->m_strValue == kReplaced) names->replaced.insert(Upper(file));
    }
}

}  // namespace

CString EncodeName(const char* name) {
    CString encoded;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        encoded += static_cast<char>('A' + (*p & 15));
        encoded += static_cast<char>('A' + ((*p >> 4) & 15));
    }
    return encoded;
}

bool DecodeName(const char* encoded, std::string* name) {
    name->clear();
    const size_t length = encoded ? std::char_traits<char>::length(encoded) : 0;
    if (length == 0 || length % 2 != 0) return false;
    for (size_t i = 0; i < length; i += 2) {
        const int low = encoded[i] - 'A', high = encoded[i + 1] - 'A';
        if (low < 0 || low > 15 || high < 0 || high > 15 || (low == 0 && high == 0)) return false;
        name->push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

bool ReadListedNames(CProfileDocument& list, ListedNames* names) {
    *names = ListedNames();
    if (!list.LookupKey("Doc", kFiles.countKey) && !list.LookupKey("Doc", kFolders.countKey)) return false;
    ReadSection(list, kFiles, &names->files, &names->problems);
    ReadSection(list, kFolders, &names->folders, &names->problems);
    ReadOrigins(list, names);
    return true;
}

bool WasReplaced(const ListedNames& names, const std::string& file) { return names.replaced.count(Upper(file)) != 0; }

bool ReadRemovalList(CProfileDocument& list, ListedNames* names) {
    if (!ReadListedNames(list, names)) return false;
    std::vector<std::string> folders;
    std::unordered_set<std::string> seen;
    for (const std::string& folder : names->folders) {
        std::string reached = WithoutTrailingBackslash(folder);
        if (seen.insert(Upper(reached)).second) folders.push_back(std::move(reached));
    }
    std::stable_sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
        return Depth(a) != Depth(b) ? Depth(a) > Depth(b) : a.size() > b.size();
    });
    names->folders = std::move(folders);
    return true;
}

bool IsInside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
           AnsiCompareNoCase(Upper(path.substr(0, folder.size())).c_str(), Upper(folder).c_str()) == 0;
}

void MergeFileList(const CString& path, CNyStringArray& files, CNyStringArray& folders,
                   std::vector<std::string>* problems, const ListMerge& merge) {
    CProfileDocument list;
    list.SetPath(path);
    // A missing file is an empty list; an unreadable one has been reported.
    if (merge.readEarlier) list.Load();
    // Both counts are read before either is rewritten.
    ListedNames earlier;
    ReadListedNames(list, &earlier);
    std::unordered_set<std::string> earlierFiles;
    for (const std::string& name : earlier.files) earlierFiles.insert(Upper(name));
    for (const std::string& name : earlier.files) files.AddUnique(name.c_str());
    for (const std::string& name : earlier.folders) folders.AddUnique(name.c_str());
    problems->insert(problems->end(), earlier.problems.begin(), earlier.problems.end());
    WriteSection(list, kFiles, files);
    WriteSection(list, kFolders, folders);
    // The first installation that wrote a file decides: a file this product created stays its own when
    // a later run replaces it.
    for (int i = 0; i < files.GetSize(); ++i) {
        const std::string file = files.GetAt(i).c_str();
        const bool earlierName = earlierFiles.count(Upper(file)) != 0;
        const bool replaced = earlierName ? WasReplaced(earlier, file)
                                          : merge.replaced && merge.replaced->Contains(file.c_str());
        list.SetString(kOrigins, OriginKey(file), replaced ? kReplaced : kCreated);
    }
    list.Save();
}

void MergeShortcutList(const CString& path, CNyStringArray& links, CNyStringArray& folders) {
    CProfileDocument list;
    list.SetPath(path);
    list.Load();
    ListedNames earlier;
    ReadShortcutNames(list, &earlier);
    for (const std::string& name : earlier.files) links.AddUnique(name.c_str());
    for (const std::string& name : earlier.folders) folders.AddUnique(name.c_str());
    WriteSection(list, kShortcuts, links);
    WriteSection(list, kShortcutFolders, folders);
    list.Save();
}

void ReadShortcutNames(CProfileDocument& list, ListedNames* names) {
    *names = ListedNames();
    ReadSection(list, kShortcuts, &names->files, &names->problems);
    ReadSection(list, kShortcutFolders, &names->folders, &names->problems);
    for (std::string& folder : names->folders) folder = WithoutTrailingBackslash(folder);
}
