#include "run/RunningProgram.h"

#include <windows.h>

#include <vector>

namespace zembra {
namespace {

bool g_narrowed = false;

}  // namespace

std::string ProgramPath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramName() {
    const std::string path = ProgramPath();
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool NarrowDllSearch(DllSearch scope) {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    const DWORD folders = scope == DllSearch::SystemFolder
                              ? LOAD_LIBRARY_SEARCH_SYSTEM32
                              : LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR;
    g_narrowed = setDefault && setDefault(folders);
    if (!g_narrowed) SetDllDirectoryA("");  // at least the current folder leaves the search
    return g_narrowed;
}

bool DllSearchNarrowed() { return g_narrowed; }

}  // namespace zembra
