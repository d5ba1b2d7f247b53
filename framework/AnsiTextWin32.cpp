#include "framework/AnsiText.h"

#include <mbstring.h>

int AnsiCompareNoCase(const char* a, const char* b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}

void AnsiMakeUpper(char* text) { _mbsupr(reinterpret_cast<unsigned char*>(text)); }

const char* AnsiFind(const char* text, const char* part) {
    return reinterpret_cast<const char*>(
        _mbsstr(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<const unsigned char*>(part)));
}
