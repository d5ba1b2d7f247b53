// Code page 1252 between 0x80 and 0x9F, the only bytes where it differs from Latin-1.
#pragma once

#include <cstdint>

namespace zembra {

// The code points of the bytes 0x80..0x9F; 0 where code page 1252 leaves the byte undefined.
constexpr uint16_t kCp1252HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

// The code point of a byte; the undefined bytes keep their own number, as the system's conversion does.
inline uint32_t Cp1252CodePoint(unsigned char byte) {
    const uint32_t high = byte >= 0x80 && byte < 0xA0 ? kCp1252HighControls[byte - 0x80] : 0;
    return high ? high : byte;
}

}  // namespace zembra
