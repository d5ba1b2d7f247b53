// The system's texts are 8-bit ANSI (code page 1252); product descriptions are written in UTF-8.
#pragma once

#include <string>

namespace zembra {

// Converts UTF-8 to code page 1252. False when the input is not UTF-8 or holds a character that
// code page 1252 lacks; *badOffset then tells the byte where the trouble starts.
bool Utf8ToCp1252(const std::string& utf8, std::string* cp1252, size_t* badOffset);

// The character at a byte offset of UTF-8 text, for messages ("U+20AC").
std::string CodePointAt(const std::string& utf8, size_t offset);

}  // namespace zembra
