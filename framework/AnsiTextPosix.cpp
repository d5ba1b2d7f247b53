#include "framework/AnsiText.h"

#include <cstring>

namespace {

// Upper case of one byte in code page 1252: ASCII, the accented Latin-1 letters (not the multiplication
// and division signs, not ß) and the four letters that 1252 places between 0x80 and 0x9F.
unsigned char UpperCp1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A: return 0x8A;  // š
        case 0x9C: return 0x8C;  // œ
        case 0x9E: return 0x8E;  // ž
        case 0xFF: return 0x9F;  // ÿ
        default: return c;
    }
}

}  // namespace

int AnsiCompareNoCase(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        int cx = UpperCp1252(*x), cy = UpperCp1252(*y);
        if (cx != cy) return cx < cy ? -1 : 1;
        if (cx == 0) return 0;
    }
}

void AnsiMakeUpper(char* text) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) *p = UpperCp1252(*p);
}

const char* AnsiFind(const char* text, const char* part) { return std::strstr(text, part); }

bool AnsiIsLeadByte(unsigned char) { return false; }
