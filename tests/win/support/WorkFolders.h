// The working folders the extractor makes. Wine runs every program elevated, so they go to the system's
// temporary folder; the Windows tests take turns on the display, so one that appears there while a test
// runs is that test's.
#pragma once

#include <windows.h>

#include <filesystem>
#include <set>
#include <string>

namespace work_folders {

// The Windows folder's Temp, spelt as the extractor spells it, with a backslash.
inline std::string SystemTemp() {
    char folder[MAX_PATH] = {};
    GetSystemWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\Temp\\";
}

inline std::set<std::string> Current() {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(SystemTemp(), ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("Zembra-", 0) == 0) names.insert(name);
    }
    return names;
}

// The working folders made since it was created that are still there.
class Watch {
public:
    std::set<std::string> Left() const {
        std::set<std::string> left;
        for (const std::string& name : Current())
            if (!m_before.count(name)) left.insert(name);
        return left;
    }

private:
    std::set<std::string> m_before = Current();
};

}  // namespace work_folders
