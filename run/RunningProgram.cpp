#include "run/RunningProgram.h"

#include "framework/SystemPath.h"
#include "framework/WideText.h"

#include <windows.h>

namespace zembra {
namespace {

bool g_narrowed = false;

}  // namespace

AnsiPathChoice ProgramPathChoice() { return AnsiPathOf(ModuleFileName(nullptr)); }

std::string ProgramPath() { return ProgramPathChoice().path; }

std::string ProgramName() {
    const std::string path = ProgramPath();
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CommandLineUtf8() { return WideToUtf8(GetCommandLineW()); }

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
