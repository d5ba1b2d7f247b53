#include "framework/WideText.h"

#include "framework/Cp1252Table.h"

#include <cstdint>

namespace zembra {
namespace {

bool ToByte(uint32_t cp, char* byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        *byte = static_cast<char>(cp);
        return true;
    }
    for (unsigned b = 0x80; b < 0xA0; ++b) {
        if (Cp1252CodePoint(static_cast<unsigned char>(b)) == cp) {
            *byte = static_cast<char>(b);
            return true;
        }
    }
    return false;
}

}  // namespace

bool WideToAnsi(const std::wstring& wide, std::string* ansi) {
    std::string text;
    for (wchar_t c : wide) {
        char byte = 0;
        if (!ToByte(static_cast<uint32_t>(c), &byte)) return false;
        text.push_back(byte);
    }
    *ansi = text;
    return true;
}

std::wstring AnsiToWide(const std::string& ansi) {
    std::wstring wide;
    for (unsigned char byte : ansi) wide.push_back(static_cast<wchar_t>(Cp1252CodePoint(byte)));
    return wide;
}

}  // namespace zembra
