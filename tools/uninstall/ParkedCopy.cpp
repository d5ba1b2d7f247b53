#include "tools/uninstall/ParkedCopy.h"

#include "framework/HandleOwner.h"
#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/ProductRecord.h"
#include "run/RunSwitches.h"
#include "run/WorkFolder.h"

#include <windows.h>
#include <sddl.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace zembra {
namespace {

constexpr DWORD kUninstallerWaitMs = 5 * 60 * 1000;
// The parked file stays mapped a moment after its process is signalled, and as long as a caller that
// restarted the uninstaller elevated is still on its way out.
constexpr int kDeleteAttempts = 300;
constexpr DWORD kDeletePauseMs = 100;
constexpr size_t kFolderNameLength = 7 + 16;  // "Zembra-" and 16 hexadecimal digits

bool CopyContent(HANDLE from, HANDLE to) {
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0, written = 0;
        if (!ReadFile(from, buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        if (!WriteFile(to, buffer, got, &written, nullptr) || written != got) return false;
    }
}

// Whether name is what run/WorkFolder.h calls its folders: only such a folder is ever removed here.
bool WorkFolderName(const std::wstring& name) {
    if (name.size() != kFolderNameLength || name.compare(0, 7, L"Zembra-") != 0) return false;
    for (size_t i = 7; i < name.size(); ++i)
        if (!std::iswxdigit(name[i])) return false;
    return true;
}

}  // namespace

bool StartCleanup(const std::string& parkedFolder, unsigned long* error) {
    const std::wstring folder = AnsiToWide(parkedFolder.substr(0, parkedFolder.size() - 1));
    const std::wstring copy = folder + L".exe";
    const std::string sddl = PrivateFolderDescriptor(error);
    LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
    if (sddl.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                                              descriptor.Receive(), nullptr)) {
        if (!sddl.empty()) *error = GetLastError();
        return false;
    }
    SECURITY_ATTRIBUTES guarded = {sizeof guarded, descriptor.Get(), FALSE};
    // Created new, so nothing planted under the name is ever started.
    Win32Handle written(CreateFileW(copy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &guarded,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!written.IsValid()) {
        *error = GetLastError();
        return false;
    }
    // From here on every way out deletes the copy: this handle is the last one of ours.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    const Win32Handle doomed(CreateFileW(copy.c_str(), DELETE | SYNCHRONIZE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                                         OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!doomed.IsValid()) {
        *error = GetLastError();
        written.Reset();
        DeleteFileW(copy.c_str());
        return false;
    }
    const Win32Handle self(CreateFileW((folder + L"\\" + AnsiToWide(kUninstallerName)).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!self.IsValid() || !CopyContent(self.Get(), written.Get())) {
        *error = GetLastError();
        return false;
    }
    written.Reset();  // a writer would keep the system from starting the copy
    Win32Handle process;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), process.Receive(),
                         SYNCHRONIZE, TRUE, 0)) {
        *error = GetLastError();
        return false;
    }
    wchar_t handle[32];
    std::swprintf(handle, 32, L"%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(process.Get())));
    std::wstring commandLine = L"\"" + copy + L"\" " + AnsiToWide(kCleanupSwitch) + L" " + handle;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // The uninstaller holds no other handle that may be inherited.
    if (!CreateProcessW(copy.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started)) {
        *error = GetLastError();
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    process.Release();  // the copy waits on it; it closes as this process ends
    return true;
}

int RunCleanup(const std::vector<std::string>& words) {
    std::string handle;
    for (size_t i = 0; i + 1 < words.size(); ++i)
        if (HasWord({words[i]}, kCleanupSwitch)) handle = words[i + 1];
    const uintptr_t value = static_cast<uintptr_t>(std::strtoull(handle.c_str(), nullptr, 16));
    const HANDLE uninstaller = reinterpret_cast<HANDLE>(value);
    if (!uninstaller) return kRunFailed;
    const std::wstring self = ModuleFileName(nullptr);
    const size_t slash = self.find_last_of(L'\\');
    if (slash == std::wstring::npos || self.size() < 4 || self.compare(self.size() - 4, 4, L".exe") != 0 ||
        !WorkFolderName(self.substr(slash + 1, self.size() - slash - 5)))
        return kRunFailed;
    const std::wstring folder = self.substr(0, self.size() - 4);
    WaitForSingleObject(uninstaller, kUninstallerWaitMs);
    CloseHandle(uninstaller);
    // The parked file alone, then the folder only if that leaves it empty: nothing else is ever touched.
    const std::wstring parked = folder + L"\\" + AnsiToWide(kUninstallerName);
    for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
        if (DeleteFileW(parked.c_str()) || GetFileAttributesW(parked.c_str()) == INVALID_FILE_ATTRIBUTES) break;
        Sleep(kDeletePauseMs);
    }
    return RemoveDirectoryW(folder.c_str()) ? kRunSucceeded : kRunFailed;
}

}  // namespace zembra
