// ZembraStart.exe: the outer extractor. Alone it runs a package named on its command line; with a
// package appended it is a single-file Setup.exe.
#include "run/RunningProgram.h"
#include "tools/start/Extractor.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A downloaded Setup.exe often sits in a folder full of other downloads. No DLL from there (or from
    // the current folder) may ever be loaded into the installer.
    zembra::NarrowDllSearch(zembra::DllSearch::SystemFolder);
    return zembra::RunExtractor(zembra::CommandLineUtf8());
}
