#include "run/WorkFolder.h"

#include "archive/LibraryExit.h"
#include "framework/HandleOwner.h"
#include "framework/SystemLibrary.h"

#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <vector>

namespace zembra {
namespace {

constexpr size_t kLongestPlacedName = 12;  // "Zembra.exe", "zembra1.dll", "ny.tmp", "t1.rtf" ...
constexpr int kNameAttempts = 16;
constexpr int kRemoveAttempts = 50;
constexpr DWORD kRemovePauseMs = 100;
constexpr ULONG kSystemPreferredRng = 0x00000002;  // BCRYPT_USE_SYSTEM_PREFERRED_RNG

// The system's cryptographic random source.
bool RandomBytes(void* buffer, ULONG size, DWORD* error) {
    const SystemLibrary bcrypt("bcrypt.dll");
    using GenRandom = LONG(WINAPI*)(void*, PUCHAR, ULONG, ULONG);
    const auto generate = bcrypt.Function<GenRandom>("BCryptGenRandom");
    if (!generate) {
        *error = bcrypt.Code() ? bcrypt.Code() : ERROR_PROC_NOT_FOUND;
        return false;
    }
    if (generate(nullptr, static_cast<PUCHAR>(buffer), size, kSystemPreferredRng) < 0) {
        *error = ERROR_GEN_FAILURE;
        return false;
    }
    return true;
}

}  // namespace

std::string PrivateFolderDescriptor(unsigned long* error) {
    Win32Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) {
        *error = GetLastError();
        return std::string();
    }
    DWORD needed = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &needed);
    std::vector<BYTE> user(needed ? needed : 1);
    LocalMemory<char*> sid;
    if (!GetTokenInformation(token.Get(), TokenUser, user.data(), needed, &needed) ||
        !ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, sid.Receive())) {
        *error = GetLastError();
        return std::string();
    }
    // Protected (P): nothing is inherited from above. Files and folders inside inherit the same list.
    return std::string("D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;") + sid.Get() + ")";
}

bool WorkFolder::Create(const std::string& root, unsigned long* error) {
    Remove();
    const std::string sddl = PrivateFolderDescriptor(error);
    if (sddl.empty()) return false;
    LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, descriptor.Receive(),
                                                              nullptr)) {
        *error = GetLastError();
        return false;
    }
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor.Get(), FALSE};
    // CreateDirectory refusing an existing name makes a collision harmless; with 64 random bits it
    // takes a folder planted on purpose.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        unsigned char random[8];
        if (!RandomBytes(random, sizeof random, error)) return false;
        char name[32];
        std::snprintf(name, sizeof name, "Zembra-%02X%02X%02X%02X%02X%02X%02X%02X", random[0], random[1], random[2],
                      random[3], random[4], random[5], random[6], random[7]);
        const std::string path = root + name;
        if (path.size() + 1 + kLongestPlacedName >= MAX_PATH) {
            *error = ERROR_FILENAME_EXCED_RANGE;
            return false;
        }
        if (CreateDirectoryA(path.c_str(), &security)) {
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
