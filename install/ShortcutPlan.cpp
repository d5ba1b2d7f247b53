#include "install/ShortcutPlan.h"

#include "install/Texts.h"
#include "profile/CProfileDocument.h"

namespace {

std::string Value(CProfileDocument& config, const char* section, const char* key, long n) {
    CString numbered;
    numbered.Format("%s%ld", key, n);
    return config.GetString(section, numbered, "").c_str();
}

}  // namespace

ShortcutPlan PlanShortcuts(CProfileDocument& config, const ShortcutFolders& folders) {
    ShortcutPlan plan;
    const long menuCount = config.GetInt("Shortcuts", "Count", 0);
    if (menuCount > 1) plan.menuFolder = folders.programs + config.GetString("Doc", "ProName", "").c_str();
    for (const char* section : {"Shortcuts", "Desktop"}) {
        const bool desktop = section[0] == 'D';
        const std::string place = desktop ? folders.desktop : plan.menuFolder.empty() ? folders.programs
                                                                                      : plan.menuFolder + "\\";
        for (long n = 0, count = config.GetInt(section, "Count", 0); n < count; ++n) {
            const std::string name = Value(config, section, "Name", n);
            CString target = Value(config, section, "Target", n).c_str();
            if (name.empty() || target.IsEmpty()) continue;
            ExpandPathPlaceholders(target, folders.installDir.c_str(), folders.windowsDir.c_str(),
                                   folders.systemDir.c_str());
            const std::string path = target.c_str();
            std::string folder = path.substr(0, path.rfind('\\'));
            if (folder.size() == 2) folder += '\\';  // a drive's root keeps its backslash
            plan.shortcuts.push_back({place + name + ".lnk", path, Value(config, section, "Arguments", n), folder});
        }
    }
    return plan;
}
