// Linux commands from a Windows test under Wine: links, which Wine shows as links, and a small tmpfs as
// a drive letter, which is what a full disk does. Wine cannot wait for a Linux process, so every command
// is followed by a bounded wait for its effect.
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
    char* unixPath = toUnix ? toUnix(std::wstring(windowsPath.begin(), windowsPath.end()).c_str()) : nullptr;
    std::string path = unixPath ? unixPath : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

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
    while (!done() && GetTickCount() - start < timeoutMs) Sleep(20);
    return done();
}

// A tmpfs of the given size mapped as drive S: for the life of the object (mounting needs root, as
// which everything under Wine runs here).
class SmallDrive {
public:
    explicit SmallDrive(unsigned kilobytes) {
        char prefix[MAX_PATH] = {};
        GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
        m_link = std::string(prefix) + "/dosdevices/s:";
        m_ready = prefix[0] && Run("/bin/sh -c \"mkdir -p " + m_mount + " && mount -t tmpfs -o size=" +
                                       std::to_string(kilobytes) + "k zembra-small " + m_mount + " && ln -sfn " +
                                       m_mount + " '" + m_link + "'\"",
                                   [&] { return Exists(); });
    }
    ~SmallDrive() {
        Run("/bin/sh -c \"rm -f '" + m_link + "'; umount " + m_mount + "; rmdir " + m_mount + "\"",
            [&] { return !Exists(); });
    }
    bool Ready() const { return m_ready; }
    std::string Root() const { return "S:\\"; }

private:
    bool Exists() const { return GetFileAttributesA("S:\\") != INVALID_FILE_ATTRIBUTES; }
    const std::string m_mount = "/tmp/zembra-small-" + std::to_string(GetCurrentProcessId());
    std::string m_link;
    bool m_ready = false;
};

}  // namespace unix_command
