// Linux commands from a Windows test under Wine: links (which Wine shows as links) and a small tmpfs as
// a drive letter (what a full disk does). Wine cannot wait for a Linux process, so every command is
// followed by a bounded wait for its effect.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace unix_command {

// The Linux path of a Windows path, as Wine maps its drives.
inline std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    static const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unixPath = toUnix ? toUnix(wide.c_str()) : nullptr;
    if (!unixPath) return std::string();
    std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Starts command and waits until done() holds, at most timeoutMs.
inline bool Run(std::string command, const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return done();
        Sleep(20);
    }
    return true;
}

// A tmpfs of the given size mounted under the Linux temporary folder and mapped as drive letter: (the
// tests run as root, as everything under Wine here does). Gone again with the object.
class SmallDrive {
public:
    SmallDrive(char letter, unsigned kilobytes) : m_root(std::string(1, letter) + ":\\") {
        char prefix[MAX_PATH] = {};
        GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
        m_mount = "/tmp/zembra-small-" + std::to_string(GetCurrentProcessId());
        m_link = std::string(prefix) + "/dosdevices/" + static_cast<char>(letter | 0x20) + ":";
        m_ready = prefix[0] && Run("/bin/sh -c \"mkdir -p " + m_mount + " && mount -t tmpfs -o size=" +
                                       std::to_string(kilobytes) + "k zembra-small " + m_mount + " && ln -sfn " +
                                       m_mount + " '" + m_link + "'\"",
                                   [&] { return Exists(m_root) && Size() > 0 && Size() <= kilobytes * 1024ull; });
    }
    ~SmallDrive() {
        Run("/bin/sh -c \"rm -f '" + m_link + "'; umount " + m_mount + "; rmdir " + m_mount + "\"",
            [&] { return !Exists(m_root) && !Exists("Z:" + m_mount); });
    }
    SmallDrive(const SmallDrive&) = delete;
    SmallDrive& operator=(const SmallDrive&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Root() const { return m_root; }

private:
    unsigned long long Size() const {
        ULARGE_INTEGER total = {};
        return GetDiskFreeSpaceExA(m_root.c_str(), nullptr, &total, nullptr) ? total.QuadPart : 0;
    }

    std::string m_root, m_mount, m_link;
    bool m_ready = false;
};

}  // namespace unix_command
