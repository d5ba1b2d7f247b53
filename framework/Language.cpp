#include "framework/Language.h"

#include <algorithm>
#include <cctype>

namespace zembra {
namespace {

// Those whose texts fit code page 1252, the setup's.
const LanguageInfo kLanguages[] = {
    {"de", 0x07}, {"en", 0x09}, {"fr", 0x0C}, {"es", 0x0A}, {"it", 0x10}, {"nl", 0x13},
    {"pt", 0x16}, {"da", 0x06}, {"sv", 0x1D}, {"nb", 0x14}, {"fi", 0x0B},
};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

}  // namespace

const LanguageInfo* FindLanguage(const std::string& code) {
    const std::string lower = Lower(code);
    for (const LanguageInfo& language : kLanguages)
        if (lower == language.code) return &language;
    return nullptr;
}

std::string KnownLanguageCodes() {
    std::string codes;
    for (const LanguageInfo& language : kLanguages) codes += (codes.empty() ? "" : ", ") + std::string(language.code);
    return codes;
}

TextLanguage FixedTextLanguage(const std::string& code) {
    return Lower(code) == "de" || !FindLanguage(code) ? TextLanguage::German : TextLanguage::English;
}

bool ParseLanguageList(const std::string& text, std::vector<std::string>* codes, std::string* problem) {
    codes->clear();
    size_t start = 0;
    for (size_t comma = text.find(','); ; comma = text.find(',', start)) {
        const std::string word =
            Trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        const LanguageInfo* language = FindLanguage(word);
        if (!language || std::find(codes->begin(), codes->end(), language->code) != codes->end()) {
            *problem = word;
            return false;
        }
        codes->push_back(language->code);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

}  // namespace zembra
