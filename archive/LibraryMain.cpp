// The library's entry point: a library unloaded without ZEMBRA_Exit lets go of the package it kept
// open for reading entries. At the process's end the system closes everything itself.
#include "archive/PackageDirectory.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID processEnds) {
    if (reason == DLL_PROCESS_DETACH && !processEnds) zembra::FreePackageDirectory();
    return TRUE;
}
