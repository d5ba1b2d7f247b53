// Fixed wording in the run's language. Each program family keeps its words in one table per language
// (its *Texts.cpp), keyed by an enum of its own; German is the default, as every run spoke before
// other languages came. Texts carry markers [1] to [9] for what a caller fills in.
#pragma once

#include "framework/Language.h"

#include <cstddef>
#include <initializer_list>
#include <string>

namespace zembra {

struct LocalText {
    int key;
    const char* text;
};

// A family's two tables.
struct TextTables {
    const char* family;
    const LocalText* german;
    size_t germanCount;
    const LocalText* english;
    size_t englishCount;
};

template <size_t G, size_t E>
constexpr TextTables MakeTextTables(const char* family, const LocalText (&german)[G], const LocalText (&english)[E]) {
    return {family, german, G, english, E};
}

// The language of the process's fixed messages: German until the program has chosen.
TextLanguage CurrentTextLanguage();
void SetTextLanguage(TextLanguage language);

// The text of key in the current language; German where the other table lacks it.
const char* LookUpText(const TextTables& tables, int key);

// text with [1] to [9] replaced by the values, in one pass: what is put in is never searched again, so a
// path holding "[2]" stays as it is. A marker without a value stays as written.
std::string FillMarkers(const char* text, std::initializer_list<std::string> values);
// The same in UTF-8 for values in UTF-8 (names the ANSI code page cannot say): the text, in the ANSI code
// page as every fixed text, is converted first.
std::string FillMarkersUtf8(const char* text, std::initializer_list<std::string> utf8Values);

}  // namespace zembra
