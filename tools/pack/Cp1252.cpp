#include "tools/pack/Cp1252.h"

#include "framework/Cp1252Table.h"

#include <cstdint>
#include <cstdio>

namespace zembra {
namespace {

// The code point at offset and its length in bytes; length 0 for a malformed sequence.
uint32_t Decode(const std::string& s, size_t offset, size_t* length) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t lead = byte(offset);
    *length = 0;
    size_t count;
    uint32_t cp;
    if (lead < 0x80) {
        *length = 1;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (offset + count > s.size()) return 0;
    for (size_t i = 1; i < count; ++i) {
        if ((byte(offset + i) & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (byte(offset + i) & 0x3F);
    }
    const uint32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < smallest[count] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    *length = count;
    return cp;
}

int ToCp1252(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252HighControls[i] != 0 && kCp1252HighControls[i] == cp) return 0x80 + i;
    return -1;
}

}  // namespace

bool Utf8ToCp1252(const std::string& utf8, std::string* cp1252, size_t* badOffset) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        size_t length = 0;
        const uint32_t cp = Decode(utf8, i, &length);
        const int byte = length ? ToCp1252(cp) : -1;
        if (byte < 0) {
            *badOffset = i;
            return false;
        }
        out.push_back(static_cast<char>(byte));
        i += length;
    }
    *cp1252 = std::move(out);
    return true;
}

std::string CodePointAt(const std::string& utf8, size_t offset) {
    size_t length = 0;
    const uint32_t cp = offset < utf8.size() ? Decode(utf8, offset, &length) : 0;
    char text[64];
    if (length == 0)
        std::snprintf(text, sizeof text, "the byte 0x%02X, which is not UTF-8",
                      offset < utf8.size() ? static_cast<uint8_t>(utf8[offset]) : 0);
    else
        std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
    return text;
}

}  // namespace zembra
