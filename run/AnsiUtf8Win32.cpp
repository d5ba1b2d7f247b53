#include "run/AnsiUtf8.h"

#include <windows.h>

namespace zembra {

std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return std::string();
    const int length = static_cast<int>(ansi.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (wide <= 0) return ansi;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &text[0], wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return ansi;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace zembra
