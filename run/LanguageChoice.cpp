#include "run/LanguageChoice.h"

#include "framework/Language.h"
#include "run/RunTexts.h"

#include <vector>

namespace zembra {

LanguageChoice ChooseLanguage(const std::string& productLanguages, unsigned uiLanguage, const std::string& requested) {
    std::vector<std::string> codes;
    std::string unknown;
    if (!ParseLanguageList(productLanguages, &codes, &unknown)) codes = {"de"};
    LanguageChoice choice;
    choice.code = codes.front();
    const LanguageInfo* asked = FindLanguage(requested);
    bool found = false;
    for (const std::string& code : codes) {
        const LanguageInfo* language = FindLanguage(code);
        if (requested.empty() ? language->primaryId == (uiLanguage & 0x3FF) : language == asked) {
            choice.code = code;
            choice.main = code == codes.front();
            found = true;
            break;
        }
    }
    SetTextLanguage(FixedTextLanguage(choice.code));
    if (!requested.empty() && !found) {
        std::string spoken;
        for (const std::string& code : codes) spoken += (spoken.empty() ? "" : ", ") + code;
        choice.note = Text(RunText::LanguageRefused, {requested, spoken});
    }
    return choice;
}

}  // namespace zembra
