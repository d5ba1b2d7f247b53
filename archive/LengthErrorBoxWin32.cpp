#include "archive/LengthErrorBox.h"

#include "archive/LibraryMessage.h"
#include "framework/FileName.h"

#include <windows.h>

namespace zembra {
namespace {

// The class library names an application after the string resource 0xE000 of its program, or else
// after the program's file name without extension.
void HostTitle(char* title, int size) {
    HMODULE host = GetModuleHandleA(nullptr);
    if (LoadStringA(host, 0xE000, title, size) > 0) return;
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(host, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        lstrcpynA(title, "", size);
        return;
    }
    lstrcpynA(title, FileTitle(path).c_str(), size);
}

}  // namespace

void ShowLengthErrorBox(const char* text) {
    char title[MAX_PATH];
    HostTitle(title, sizeof title);
    // The class library's default for an OK-only box: the exclamation icon, owned by the active window.
    LibraryMessageBox(GetActiveWindow(), text, title, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace zembra
