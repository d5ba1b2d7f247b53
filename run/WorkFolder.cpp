#include "run/WorkFolder.h"

#include "archive/LibraryExit.h"
#include "framework/HandleOwner.h"
#include "framework/SystemPath.h"
#include "framework/SystemRandom.h"
#include "run/WorkFolderGuard.h"

#include <windows.h>
#include <sddl.h>

#include <cstdio>

namespace zembra {
namespace {

constexpr size_t kLongestPlacedName = 12;  // "Zembra.exe", "zembra1.dll", "ny.tmp", "t1.rtf" ...
constexpr int kNameAttempts = 16;
constexpr int kRemoveAttempts = 50;
constexpr DWORD kRemovePauseMs = 100;

}  // namespace

std::string PrivateFolderDescriptor(unsigned long* error) {
    TokenFacts token;
    return ReadProcessToken(&token, error) ? WorkFolderGuard(token).Sddl() : std::string();
}

bool WorkFolder::Create(std::string* root, unsigned long* error, std::string* problem) {
    Remove();
    root->clear();
    TokenFacts token;
    if (!ReadProcessToken(&token, error)) return false;
    // The Windows folder of the system itself, not a user's own one under a terminal server.
    const AnsiPathChoice temp = TemporaryFolderPath(), windows = SystemWindowsFolderPath();
    const AnsiPathChoice& needed = token.system || token.elevated ? windows : temp;
    if (needed.form == AnsiPathForm::None) {
        *error = ERROR_NO_UNICODE_TRANSLATION;
        *problem = needed.problem;
        return false;
    }
    const std::vector<std::string> roots = WorkFolderRoots(token, temp.path, windows.path);
    LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(WorkFolderGuard(token).Sddl().c_str(), SDDL_REVISION_1,
                                                              descriptor.Receive(), nullptr)) {
        *error = GetLastError();
        return false;
    }
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor.Get(), FALSE};
    *error = ERROR_PATH_NOT_FOUND;
    for (const std::string& candidate : roots) {
        *root = candidate;
        if (CreateUnder(candidate, &security, error)) return true;
    }
    return false;
}

bool WorkFolder::CreateUnder(const std::string& root, void* security, unsigned long* error) {
    // CreateDirectory refusing an existing name makes a collision harmless; with 64 random bits it
    // takes a folder planted on purpose.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        unsigned char random[8];
        if (!SystemRandomBytes(random, sizeof random, error)) return false;
        char name[32];
        std::snprintf(name, sizeof name, "Zembra-%02X%02X%02X%02X%02X%02X%02X%02X", random[0], random[1], random[2],
                      random[3], random[4], random[5], random[6], random[7]);
        const std::string path = root + name;
        if (path.size() + 1 + kLongestPlacedName >= MAX_PATH) {
            *error = ERROR_FILENAME_EXCED_RANGE;
            return false;
        }
        if (CreateDirectoryA(path.c_str(), static_cast<SECURITY_ATTRIBUTES*>(security))) {
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
    for (int attempt = 0; attempt < kRemoveAttempts; ++attempt) {
        if (RemoveFolder(m_path.c_str())) {
            m_path.clear();
            return true;
        }
        Sleep(kRemovePauseMs);
    }
    m_path.clear();  // left behind; the next attempt would only wait as long again
    return false;
}

}  // namespace zembra
