// The programs' fixed messages in German and English: both tables of every family have the same keys and
// the same markers, the run's language picks the table, and the run's language follows the product, the
// user's Windows and /LANG=.
#include "archive/LibraryTexts.h"
#include "framework/FrameworkTexts.h"
#include "install/SetupTexts.h"
#include "profile/ProfileTexts.h"
#include "run/LanguageChoice.h"
#include "run/LogLine.h"
#include "run/RunSwitches.h"
#include "run/RunTexts.h"
#include "tools/start/StartTexts.h"
#include "tools/uninstall/UninstallTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <vector>

namespace {

using zembra::LocalText;
using zembra::TextLanguage;
using zembra::TextTables;

// Every [n] marker and printf conversion, sorted: a translation may move them, not lose or add one.
std::vector<std::string> Markers(const char* text) {
    static const std::regex marker(R"(\[[1-9]\]|%[-+ #0]*[0-9]*(?:l|ll|h)?[sdiuxXc])");
    std::vector<std::string> found;
    const std::string s = text;
    for (std::sregex_iterator it(s.begin(), s.end(), marker), end; it != end; ++it) found.push_back(it->str());
    std::sort(found.begin(), found.end());
    return found;
}

std::map<int, const char*> Keyed(const LocalText* table, size_t count, const char* family, const char* language) {
    std::map<int, const char*> keyed;
    for (size_t i = 0; i < count; ++i)
        EXPECT_TRUE(keyed.emplace(table[i].key, table[i].text).second)
            << family << ": key " << table[i].key << " twice in the " << language << " table";
    return keyed;
}

// Sets the process's language for one test and back to German afterwards.
class InLanguage {
public:
    explicit InLanguage(TextLanguage language) { zembra::SetTextLanguage(language); }
    ~InLanguage() { zembra::SetTextLanguage(TextLanguage::German); }
};

TEST(TextTables, BothLanguagesHaveTheSameKeysAndMarkers) {
    const TextTables* families[] = {&zembra::RunTextTables(),     &zembra::StartTextTables(),
                                    &zembra::SetupTextTables(),   &zembra::LibraryTextTables(),
                                    &zembra::ProfileTextTables(), &zembra::UninstallTextTables(),
                                    &zembra::FrameworkTextTables()};
    for (const TextTables* tables : families) {
        const auto german = Keyed(tables->german, tables->germanCount, tables->family, "German");
        const auto english = Keyed(tables->english, tables->englishCount, tables->family, "English");
        for (const auto& entry : german) {
            const auto other = english.find(entry.first);
            if (other == english.end()) {
                ADD_FAILURE() << tables->family << ": no English text for \"" << entry.second << "\"";
                continue;
            }
            EXPECT_EQ(Markers(entry.second), Markers(other->second))
                << tables->family << ": \"" << entry.second << "\" and \"" << other->second << "\"";
            EXPECT_NE(std::string(), other->second) << tables->family << ": " << entry.second;
        }
        for (const auto& entry : english)
            EXPECT_TRUE(german.count(entry.first))
                << tables->family << ": no German text for \"" << entry.second << "\"";
    }
}

TEST(TextTables, TheRunsLanguageChoosesTheTableAndMarkersAreFilledOnce) {
    struct Row {
        const char* name;
        TextLanguage language;
        std::string text;
        const char* expected;
    };
    const auto rows = [] {
        std::vector<Row> made;
        for (TextLanguage language : {TextLanguage::German, TextLanguage::English}) {
            InLanguage in(language);
            const bool german = language == TextLanguage::German;
            made.push_back({"end of the run", language, zembra::EndOfRunText(3010, 12480),
                            german ? "Ende: Exitcode 3010 nach 12,4 s" : "End: exit code 3010 after 12.4 s"});
            made.push_back({"a switch's problem", language, zembra::ParseRunSwitches("/auto /log=").problem,
                            german ? "Hinter /log= fehlt der Name der Protokolldatei."
                                   : "The name of the log file is missing after /log=."});
            // A path that holds a marker of its own keeps it.
            made.push_back({"a path with a marker", language,
                            zembra::Text(zembra::StartText::OpenFailed, {"C:\\[2]\\Setup.exe", "Fehlercode 5"}),
                            german
                                ? "Das Installationspaket lässt sich nicht öffnen:\nC:\\[2]\\Setup.exe\n\nFehlercode 5"
                                : "The installation package cannot be opened:\nC:\\[2]\\Setup.exe\n\nFehlercode 5"});
        }
        return made;
    }();
    for (const Row& r : rows) EXPECT_EQ(r.expected, r.text) << r.name;
}

TEST(LanguageChoice, SwitchThenWindowsThenTheProductsMainLanguage) {
    struct Row {
        const char* name;
        const char* product;    // as the package carries it
        unsigned windows;       // LANGID
        const char* requested;  // /LANG=
        const char* chosen;
        bool main;
        TextLanguage messages;
        bool note;
    } rows[] = {
        {"German alone, as every older product", "", 0x0409, "", "de", true, TextLanguage::German, false},
        {"English Windows, product of both", "de,en", 0x0409, "", "en", false, TextLanguage::English, false},
        {"British English is English", "de,en", 0x0809, "", "en", false, TextLanguage::English, false},
        {"Swiss German is German", "en,de", 0x0807, "", "de", false, TextLanguage::German, false},
        {"a Windows language the product lacks", "en,de", 0x040C, "", "en", true, TextLanguage::English, false},
        {"the switch before Windows", "de,en", 0x0409, "DE", "de", true, TextLanguage::German, false},
        {"a switch for a language the product lacks", "de,en", 0x0409, "fr", "de", true, TextLanguage::German, true},
        {"a switch for no language at all", "de,en", 0x0407, "xx", "de", true, TextLanguage::German, true},
        {"French hears the fixed messages in English", "fr,de", 0x040C, "", "fr", true, TextLanguage::English, false},
        {"an unreadable list is German alone", "de,,en", 0x0409, "", "de", true, TextLanguage::German, false},
    };
    for (const Row& r : rows) {
        const zembra::LanguageChoice choice = zembra::ChooseLanguage(r.product, r.windows, r.requested);
        EXPECT_EQ(r.chosen, choice.code) << r.name;
        EXPECT_EQ(r.main, choice.main) << r.name;
        EXPECT_EQ(r.messages, zembra::CurrentTextLanguage()) << r.name;
        EXPECT_EQ(r.note, !choice.note.empty()) << r.name << ": " << choice.note;
        zembra::SetTextLanguage(TextLanguage::German);
    }
}

}  // namespace
