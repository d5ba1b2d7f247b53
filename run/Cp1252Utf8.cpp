#include "run/AnsiUtf8.h"

#include "framework/Cp1252Table.h"

namespace zembra {
namespace {

void AppendUtf8(uint32_t cp, std::string* out) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | cp >> 6));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xE0 | cp >> 12));
        out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& ansi) {
    std::string utf8;
    utf8.reserve(ansi.size());
    for (unsigned char byte : ansi) {
        // The undefined bytes keep their own number, as the system's conversion does.
        const uint32_t high = byte >= 0x80 && byte < 0xA0 ? kCp1252HighControls[byte - 0x80] : 0;
        AppendUtf8(high ? high : byte, &utf8);
    }
    return utf8;
}

}  // namespace zembra
