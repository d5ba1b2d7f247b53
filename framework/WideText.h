// Text between the system's wide (UTF-16) names, the 8-bit ANSI code page the programs and the library
// speak among themselves, and UTF-8, which the log is written in and which carries a command line
// whole. On Windows the ANSI side is the process's code page; natively it is code page 1252.
#pragma once

#include <string>

namespace zembra {

// The exact ANSI text of wide; false when a character has none. A best-fit substitute ("Ł" as "L") or
// the default character "?" never counts as a conversion.
bool WideToAnsi(const std::wstring& wide, std::string* ansi);
std::wstring AnsiToWide(const std::string& ansi);

// UTF-8 in both directions. A lone surrogate, which a Windows name may hold, keeps its own three bytes,
// so that a name survives the round trip; bytes that are no UTF-8 become U+FFFD.
std::string WideToUtf8(const std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);

// ANSI text as UTF-8: how the program's own texts join a name in UTF-8.
inline std::string AnsiAsUtf8(const std::string& ansi) { return WideToUtf8(AnsiToWide(ansi)); }
// UTF-8 for a message that can only be ANSI (the library's boxes): what the code page lacks shows as "?".
std::string Utf8AsShownAnsi(const std::string& utf8);

}  // namespace zembra
