// The demo product's program. Started normally it says hello; started hidden (as the installer
// starts it after an installation) it notes that it ran, beside itself, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    if (show == SW_HIDE) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string log = path;
        log = log.substr(0, log.find_last_of('\\') + 1) + "ZembraDemo.log";
        static const char kText[] = "ZembraDemo 1.2.0.5 lief nach der Installation.\r\n";
        HANDLE file = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        DWORD written = 0;
        WriteFile(file, kText, sizeof kText - 1, &written, nullptr);
        CloseHandle(file);
        return 0;
    }
    MessageBoxA(nullptr, "Zembra Demo 1.2\n\nDieses Programm wurde mit Setup.exe installiert.", "Zembra Demo",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
