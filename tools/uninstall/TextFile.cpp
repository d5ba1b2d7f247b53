#include "tools/uninstall/TextFile.h"

#include <windows.h>

namespace zembra {

bool ReadTextFile(const std::string& path, std::string* text, unsigned long* error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);  // a list of a million names
    DWORD got = 0;
    if (ok) {
        text->assign(static_cast<size_t>(size.QuadPart), '\0');
        ok = text->empty() || (ReadFile(file, &(*text)[0], static_cast<DWORD>(text->size()), &got, nullptr) &&
                               got == text->size());
    }
    *error = ok ? 0 : (GetLastError() ? GetLastError() : ERROR_READ_FAULT);
    CloseHandle(file);
    return ok;
}

}  // namespace zembra
