// Which of a product's languages a run speaks: the one /LANG= asks for, else the one Windows speaks to
// the user (its primary language), else the product's main language, the first of its list. The
// extractor, the setup program and the uninstaller choose alike, each from what it knows of the product.
#pragma once

#include <string>

namespace zembra {

struct LanguageChoice {
    std::string code;  // "de", "en", ...
    bool main = true;  // the product's main language, whose texts and pages are where one language keeps them
    std::string note;  // a line for the log when /LANG= asked for a language the product lacks
};

// productLanguages as the package or record writes it ("de,en"); empty or unreadable: German alone, as
// every product was before it could say. uiLanguage is a Windows LANGID. The fixed messages of the
// process follow the choice (framework/LocalText.h), so that the note is in the chosen language.
LanguageChoice ChooseLanguage(const std::string& productLanguages, unsigned uiLanguage, const std::string& requested);

}  // namespace zembra
