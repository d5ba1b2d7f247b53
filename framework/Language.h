// The languages a product may speak, by the codes its description uses ("de", "en", ...), with the
// primary language of Windows that each answers to. The programs' fixed messages exist in German and
// English; every other language hears them in English.
#pragma once

#include <string>
#include <vector>

namespace zembra {

enum class TextLanguage { German, English };

struct LanguageInfo {
    const char* code;
    unsigned primaryId;  // PRIMARYLANGID of a Windows LANGID
};

// The language of code ("de", "EN"), or null for a code this system does not know.
const LanguageInfo* FindLanguage(const std::string& code);
// The known codes, for messages: "de, en, fr, ...".
std::string KnownLanguageCodes();
// The table of fixed messages a language is spoken to in.
TextLanguage FixedTextLanguage(const std::string& code);

// "de, en" as a list of lower-case codes in order; false with the first word that is no known code, or
// is there twice, in *problem (an empty list too).
bool ParseLanguageList(const std::string& text, std::vector<std::string>* codes, std::string* problem);

}  // namespace zembra
