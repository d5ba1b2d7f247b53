// ZembraStart.exe: the outer extractor. Alone it runs a package named on its command line; with a
// package appended it is a single-file Setup.exe.
#include "tools/start/Extractor.h"

#include <windows.h>

namespace {

// A downloaded Setup.exe often sits in a folder full of other downloads. No DLL from there (or from
// the current folder) may ever be loaded into the installer, so system DLLs come from the system
// folder only. The program's own imports are all KnownDLLs, which the system maps before any search.
zembra::DllSearch HardenDllSearch() {
    zembra::DllSearch search;
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) search.systemFolderOnly = true;
    else SetDllDirectoryA("");  // at least the current folder leaves the search
    return search;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const zembra::DllSearch search = HardenDllSearch();
    return zembra::RunExtractor(GetCommandLineA(), search);
}
