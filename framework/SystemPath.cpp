#include "framework/SystemPath.h"

#include "framework/WideText.h"

#include <functional>

namespace zembra {
namespace {

// A call that fills a buffer of a given size and answers the length, or the size it needs.
std::wstring Filled(const std::function<DWORD(wchar_t*, DWORD)>& call) {
    std::wstring text(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = call(&text[0], static_cast<DWORD>(text.size()));
        if (length == 0) return std::wstring();
        if (length < text.size()) return text.substr(0, length);
        text.assign(length + 1, L'\0');
    }
    return std::wstring();
}

}  // namespace

AnsiPathChoice AnsiPathOf(const std::wstring& path) {
    std::string exact;
    // Asked for only when needed: the short form costs a look at every level of the path.
    const std::wstring shortPath =
        WideToAnsi(path, &exact)
            ? std::wstring()
            : Filled([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(path.c_str(), buffer, size); });
    return ChooseAnsiPath(path, shortPath);
}

AnsiPathChoice TemporaryFolderPath() {
    return AnsiPathOf(Filled([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }));
}

AnsiPathChoice WindowsFolderPath() {
    return AnsiPathOf(Filled([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }));
}

AnsiPathChoice SystemWindowsFolderPath() {
    return AnsiPathOf(
        Filled([](wchar_t* buffer, DWORD size) { return GetSystemWindowsDirectoryW(buffer, size); }));
}

AnsiPathChoice SystemFolderPath() {
    return AnsiPathOf(Filled([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }));
}

std::wstring ModuleFileName(HMODULE module) {
    // The name is cut, not measured, when the buffer is short: a longer buffer until it fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring name(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, &name[0], size);
        if (length == 0) return std::wstring();
        if (length < size) return name.substr(0, length);
    }
    return std::wstring();
}

std::wstring FullPathName(const std::wstring& path) {
    const std::wstring full =
        Filled([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
    return full.empty() ? path : full;
}

}  // namespace zembra
