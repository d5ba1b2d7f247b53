// A stand-in for the programs that an installation starts and for a program that keeps a file in use.
//
// Otherwise (as a finished setup starts it): appends "<name> start show=<n> cwd=<folder>" to
// "markers.txt" beside itself, followed by " args=<arguments>" when it was given any; when "<base name>.wait" lies beside it, sleeps the milliseconds it
// holds and then appends "<name> end". n is the show mode it was started with, -1 when none was given.
//
// hold <file> <held event> <release event>: opens the file without sharing, signals the first event,
// and keeps the file open until the second one is signalled (at most two minutes).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void AppendLine(const std::string& file, const std::string& line) {
    // Two programs may append at once: retry while the other one has the file.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE h = CreateFileA(file.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            std::string text = line + "\r\n";
            DWORD written = 0;
            WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            CloseHandle(h);
            return;
        }
        Sleep(10);
    }
}

int Marker(int argc, char** argv) {
    std::string self = OwnPath();
    size_t slash = self.rfind('\\');
    std::string folder = self.substr(0, slash + 1), name = self.substr(slash + 1);
    std::string base = name.substr(0, name.rfind('.'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string markers = folder + "markers.txt";
    std::string args;
    for (int i = 1; i < argc; ++i) args += (i > 1 ? " " : " args=") + std::string(argv[i]);
    AppendLine(markers, name + " start show=" + std::to_string(show) + " cwd=" + cwd + args);
    FILE* wait = std::fopen((folder + base + ".wait").c_str(), "rb");
    if (wait) {
        char text[32] = {};
        size_t n = std::fread(text, 1, sizeof(text) - 1, wait);
        text[n] = '\0';
        std::fclose(wait);
        Sleep(static_cast<DWORD>(std::atol(text)));
        AppendLine(markers, name + " end");
    }
    return 7;
}

int Hold(const char* file, const char* heldName, const char* releaseName) {
    HANDLE h = CreateFileA(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 2;
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, heldName);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, releaseName);
    if (!held || !release) return 3;
    SetEvent(held);
    WaitForSingleObject(release, 120000);
    CloseHandle(h);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2], argv[3], argv[4]);
    return Marker(argc, argv);
}
