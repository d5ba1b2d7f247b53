#include "install/ShortcutPlan.h"

#include "profile/CProfileDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Where each shortcut of a "Zembra.ini" goes: one Start-menu shortcut straight into Programs, several
// into the product's folder there; the target's placeholders expanded, its folder the working folder.
TEST(ShortcutPlan, OneStartMenuShortcutGoesIntoProgramsSeveralIntoTheProductsFolder) {
    struct Row {
        const char* name;
        std::vector<const char*> menu, desktop;  // "Name=Target"
        std::vector<std::string> links;          // "link > target > working folder"
        std::string menuFolder;
    } rows[] = {
        {"one", {"Demo=<INSTALLDIR>\\bin\\demo.exe"}, {}, {"P\\Demo.lnk > I\\bin\\demo.exe > I\\bin"}, ""},
        {"two and the desktop", {"Demo=<INSTALLDIR>\\demo.exe", "Hilfe=<WINDOWS>\\hh.exe"}, {"Demo=C:\\demo.exe"},
         {"P\\Pro\\Demo.lnk > I\\demo.exe > I", "P\\Pro\\Hilfe.lnk > W\\hh.exe > W", "D\\Demo.lnk > C:\\demo.exe > C:\\"},
         "P\\Pro"},
        {"the desktop only", {}, {"Demo=<SYSTEM>\\\\x.exe"}, {"D\\Demo.lnk > S\\x.exe > S"}, ""},
    };
    for (const Row& r : rows) {
        CProfileDocument config;
        config.SetString("Doc", "ProName", "Pro");
        for (const auto& place : {std::make_pair("Shortcuts", &r.menu), std::make_pair("Desktop", &r.desktop)}) {
            config.SetInt(place.first, "Count", static_cast<uint32_t>(place.second->size()));
            for (size_t i = 0; i < place.second->size(); ++i) {
                const std::string line = (*place.second)[i], n = std::to_string(i);
                config.SetString(place.first, ("Name" + n).c_str(), line.substr(0, line.find('=')).c_str());
                config.SetString(place.first, ("Target" + n).c_str(), line.substr(line.find('=') + 1).c_str());
            }
        }
        const ShortcutPlan plan = PlanShortcuts(config, {"P\\", "D\\", "I\\", "W\\", "S\\"});
        std::vector<std::string> links;
        for (const PlannedShortcut& s : plan.shortcuts) links.push_back(s.link + " > " + s.target + " > " + s.workingFolder);
        EXPECT_EQ(r.links, links) << r.name;
        EXPECT_EQ(r.menuFolder, plan.menuFolder) << r.name;
    }
}
