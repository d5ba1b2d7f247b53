// A DLL planted beside a downloaded installer under the name of a system DLL that the runtime library
// imports. When anything loads it, it leaves "planted-was-loaded" beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module, path, MAX_PATH);
        std::string marker = path;
        marker = marker.substr(0, marker.find_last_of('\\') + 1) + "planted-was-loaded";
        HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return TRUE;
}

// Every import of zembra1.dll from the DLLs it may stand for, so that a loader that took this file
// would get as far as DllMain. (x86_64 has one calling convention: one stub serves every signature.)
extern "C" INT_PTR WINAPI PlantedStub() { return 0; }
