#include "tools/uninstall/ListedRemoval.h"

#include <windows.h>

namespace zembra {

bool RemoveAtRestart(const std::string& path) {
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool IsLinkedFolder(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool HoldsFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool holds = false;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        // A link is something of somebody's, whatever lies behind it; it is never entered.
        const DWORD attributes = found.dwFileAttributes;
        holds = !(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                HoldsFiles(folder + "\\" + name);
    } while (!holds && FindNextFileA(search, &found));
    FindClose(search);
    return holds;
}

Removal RemoveListedFile(const std::string& path, unsigned long* error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        *error = GetLastError();
        return *error == ERROR_FILE_NOT_FOUND || *error == ERROR_PATH_NOT_FOUND ? Removal::Missing : Removal::Failed;
    }
    const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !link) return Removal::Refused;
    // A link's attributes would be set on its target: only a plain file loses its read-only flag.
    if (!link && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    const bool gone = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
    if (gone) return Removal::Removed;
    *error = GetLastError();
    // A program that runs or a file held open without sharing: 32, or 5 for a running program's image.
    if ((*error == ERROR_SHARING_VIOLATION || *error == ERROR_ACCESS_DENIED || *error == ERROR_LOCK_VIOLATION) &&
        RemoveAtRestart(path))
        return Removal::AtRestart;
    return Removal::Failed;
}

Removal RemoveListedFolder(const std::string& folder, unsigned long* error) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        *error = GetLastError();
        return *error == ERROR_FILE_NOT_FOUND || *error == ERROR_PATH_NOT_FOUND ? Removal::Missing : Removal::Failed;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Removal::Refused;
    const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    // RemoveDirectory takes a junction or a folder link away as itself, whatever its target holds, and
    // never removes a folder that is not empty.
    if (RemoveDirectoryA(folder.c_str())) return link ? Removal::LinkRemoved : Removal::Removed;
    *error = GetLastError();
    if (!link && (*error == ERROR_DIR_NOT_EMPTY)) return Removal::Kept;
    return Removal::Failed;
}

}  // namespace zembra
