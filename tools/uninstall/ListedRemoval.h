// Removing one listed file or folder, and nothing beyond it: a file is deleted (its read-only
// attribute cleared first); one in use is handed to the system for removal at the next restart. A
// folder goes only when it is empty; a folder that has become a link or junction goes as a link, and
// its target is never entered.
#pragma once

#include <string>

namespace zembra {

enum class Removal {
    Removed,
    Missing,      // not there any more
    AtRestart,    // in use: the system removes it at the next restart
    Kept,         // a folder that still holds other files
    LinkRemoved,  // a folder that had become a link: the link itself went
    Refused,      // no longer what the list says (a file that became a folder)
    Failed,
};

Removal RemoveListedFile(const std::string& path, unsigned long* error);
Removal RemoveListedFolder(const std::string& folder, unsigned long* error);

// Whether the folder is now a link or junction (a reparse point that names another place).
bool IsLinkedFolder(const std::string& folder);

// Whether a file or a link lies anywhere in the folder; empty folders in it are nothing.
bool HoldsFiles(const std::string& folder);

// Asks the system to delete path at the next restart (a folder only when it is empty by then).
bool RemoveAtRestart(const std::string& path);

}  // namespace zembra
