// Letter case in the system's ANSI code page.
//
// On Windows these are the C runtime's multibyte-aware functions (_mbsicmp, _mbsupr, _mbsstr) in the
// process's code page. Natively they fold ASCII and the Latin-1 letters of code page 1252 the same way,
// so the portable core behaves alike in both builds.
#pragma once

int AnsiCompareNoCase(const char* a, const char* b);
void AnsiMakeUpper(char* text);
// First occurrence of part in text, stepping over double-byte characters; null when absent.
const char* AnsiFind(const char* text, const char* part);
// True when c begins a double-byte character in the code page (never in a single-byte one).
bool AnsiIsLeadByte(unsigned char c);
