#include "framework/WideText.h"

#include <windows.h>

namespace zembra {

bool WideToAnsi(const std::wstring& wide, std::string* ansi) {
    if (wide.empty()) {
        ansi->clear();
        return true;
    }
    // A code page of UTF-8 takes no best-fit flag; there every character converts.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), length, &text[0], bytes, nullptr, nullptr);
    // The way back decides: a default character or a substitute never returns as what it stood for.
    if (AnsiToWide(text) != wide) return false;
    *ansi = text;
    return true;
}

std::wstring AnsiToWide(const std::string& ansi) {
    if (ansi.empty()) return std::wstring();
    const int length = static_cast<int>(ansi.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (chars <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &wide[0], chars);
    return wide;
}

}  // namespace zembra
