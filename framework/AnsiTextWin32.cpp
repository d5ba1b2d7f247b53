#include "framework/AnsiText.h"

#include <clocale>
#include <mbctype.h>
#include <mbstring.h>

namespace {

// The runtime folds letters beyond ASCII only in the locale of the ANSI code page: in its start-up "C"
// locale _mbsicmp and _mbsupr leave umlauts alone (the ANSI code page of western systems is a
// single-byte one, for which they fall back to the locale's case tables). A program or host that
// chose a locale of its own keeps it.
void UseAnsiCodePage() {
    static const bool done = [] {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        if (!current || (current[0] == 'C' && current[1] == '\0')) std::setlocale(LC_CTYPE, "");
        return true;
    }();
    (void)done;
}

}  // namespace

int AnsiCompareNoCase(const char* a, const char* b) {
    UseAnsiCodePage();
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}

void AnsiMakeUpper(char* text) {
    UseAnsiCodePage();
    _mbsupr(reinterpret_cast<unsigned char*>(text));
}

const char* AnsiFind(const char* text, const char* part) {
    UseAnsiCodePage();
    return reinterpret_cast<const char*>(
        _mbsstr(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<const unsigned char*>(part)));
}

bool AnsiIsLeadByte(unsigned char c) {
    UseAnsiCodePage();
    return _ismbblead(c) != 0;
}
