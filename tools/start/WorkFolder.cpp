#include "tools/start/WorkFolder.h"

#include "archive/LibraryExit.h"

#include <windows.h>

#include <cstdio>

namespace zembra {
namespace {

constexpr size_t kLongestPlacedName = 12;  // "Zembra.exe", "zembra1.dll", "ny.tmp", "t1.rtf" ...
constexpr int kNameAttempts = 10000;
constexpr int kRemoveAttempts = 50;
constexpr DWORD kRemovePauseMs = 100;

}  // namespace

bool WorkFolder::Create(const std::string& root, unsigned long* error) {
    Remove();
    // Process id and time make collisions rare; CreateDirectory refusing an existing name makes them
    // harmless, so a folder left behind by an earlier run (or planted there) is never used.
    const unsigned long seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "Zembra-%08lX-%04X", seed, attempt);
        const std::string path = root + name;
        if (path.size() + 1 + kLongestPlacedName >= MAX_PATH) {
            *error = ERROR_FILENAME_EXCED_RANGE;
            return false;
        }
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            m_path = path + "\\";
            return true;
        }
        const DWORD code = GetLastError();
        const bool taken = code == ERROR_ALREADY_EXISTS ||
                           (code == ERROR_ACCESS_DENIED && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
        if (!taken) {
            *error = code;
            return false;
        }
    }
    *error = ERROR_ALREADY_EXISTS;
    return false;
}

bool WorkFolder::Remove() {
    if (m_path.empty()) return true;
    const std::string folder = m_path.substr(0, m_path.size() - 1);
    for (int attempt = 0; attempt < kRemoveAttempts; ++attempt) {
        ClearFolder(m_path.c_str());
        if (RemoveDirectoryA(folder.c_str()) || GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
            m_path.clear();
            return true;
        }
        Sleep(kRemovePauseMs);
    }
    m_path.clear();  // left behind; the next attempt would only wait as long again
    return false;
}

}  // namespace zembra
