// The shortcuts a product asks for and where they go. "Zembra.ini" lists them in [Shortcuts] (the Start
// menu) and [Desktop], each with Count and, numbered from 0, Name, Target (a path with the manifest's
// folder placeholders) and Arguments. One Start-menu shortcut goes straight into the Programs folder;
// several go into a folder named after the product ([Doc] ProName).
#pragma once

#include <string>
#include <vector>

class CProfileDocument;

struct PlannedShortcut {
    std::string link;           // the .lnk file's full path
    std::string target;         // placeholders expanded
    std::string arguments;
    std::string workingFolder;  // the target's folder
};

struct ShortcutPlan {
    std::vector<PlannedShortcut> shortcuts;
    std::string menuFolder;  // the product's folder in the Start menu; empty when none is needed
};

// Folders end with a backslash: the Programs folder of the Start menu and the desktop (the common ones
// for an installation for all users), and those the manifest's placeholders stand for.
struct ShortcutFolders {
    std::string programs, desktop;
    std::string installDir, windowsDir, systemDir;
};

ShortcutPlan PlanShortcuts(CProfileDocument& config, const ShortcutFolders& folders);
