#include "tools/pack/ProductDefaults.h"

#include "framework/Language.h"
#include "tools/pack/Cp1252.h"

namespace zembra {
namespace {

// The demo's dialog: 600 wide with a page area 320 high; the other sizes keep its proportions.
constexpr long kDemoWidth = 600, kDemoHeight = 320;

const char kName[] = "{name}";

std::string WithName(std::string text, const std::string& name) {
    for (size_t at = text.find(kName); at != std::string::npos; at = text.find(kName, at + name.size()))
        text.replace(at, sizeof kName - 1, name);
    return text;
}

// In description syntax; {name} stands for the product's name. Texts 3 and 4 follow a path.
const char* const kGermanTexts[kTextCount] = {
    u8"Das Installationspaket von {name} wurde nicht gefunden.\\nDie Installation wird beendet.",
    u8"Möchten Sie die Installation wirklich abbrechen?\\nBereits kopierte Dateien bleiben erhalten.",
    u8"Der Ordner [1] lässt sich nicht anlegen.\\nDie Datei wird übersprungen.",
    u8"\\nwird gerade von einem anderen Programm benutzt.\\nBitte schließen Sie es und versuchen Sie es noch einmal.",
    u8"\\nwurde nicht ersetzt.",
    u8"Überschreiben",
    u8"Alle überschreiben",
    u8"Nicht überschreiben",
    u8"Alle nicht überschreiben",
    u8"Die Datei [1] ist bereits vorhanden.\\nSoll sie überschrieben werden?",
    u8"Ordner:\\t[1]\\nDatei:\\t[2]\\nGröße:\\t[3] Bytes",
    u8"Schließen",
    u8"Abbrechen",
    u8"Installieren",
    u8"Bitte warten Sie, während {name} installiert wird …",
    u8"Pfad:",
    u8"Für die Installation von {name} fehlen Ihnen die nötigen Rechte.",
    u8"Einige Dateien werden erst beim nächsten Neustart ersetzt.\\nBitte starten Sie den Computer neu.",
};

// For English and every further language that has no defaults of its own.
const char* const kEnglishTexts[kTextCount] = {
    u8"The installation package of {name} was not found.\\nThe installation ends.",
    u8"Do you really want to cancel the installation?\\nFiles already copied are kept.",
    u8"The folder [1] cannot be created.\\nThe file is skipped.",
    u8"\\nis being used by another program.\\nPlease close it and try again.",
    u8"\\nwas not replaced.",
    u8"Overwrite",
    u8"Overwrite all",
    u8"Do not overwrite",
    u8"Overwrite none",
    u8"The file [1] already exists.\\nDo you want to overwrite it?",
    u8"Folder:\\t[1]\\nFile:\\t[2]\\nSize:\\t[3] bytes",
    u8"Close",
    u8"Cancel",
    u8"Install",
    u8"Please wait while {name} is being installed …",
    u8"Path:",
    u8"You lack the rights needed to install {name}.",
    u8"Some files are replaced only at the next restart.\\nPlease restart the computer.",
};

const char* const* DefaultTexts(const std::string& language) {
    return FixedTextLanguage(language) == TextLanguage::German ? kGermanTexts : kEnglishTexts;
}

// Fills what a language's texts leave out with its defaults.
void FillTexts(const std::string& language, const std::string& name, std::string* texts, bool* hasText) {
    for (int n = 0; n < kTextCount; ++n) {
        if (hasText[n]) continue;
        std::string ansi;
        size_t bad = 0;
        Utf8ToCp1252(DefaultTexts(language)[n], &ansi, &bad);  // the defaults are all in the code page
        texts[n] = WithName(UnescapeText(ansi), name);
        hasText[n] = true;
    }
}


long Scaled(long value, long numerator, long denominator) { return (value * numerator + denominator / 2) / denominator; }

}  // namespace

std::vector<OptionalKey> OptionalKeys(const ProductDescription& d, const std::string& programVersion) {
    const auto has = [&d](const char* key) { return d.Doc(key) != nullptr; };
    const auto number = [](long n) { return std::to_string(n); };
    // One of the two main sizes given, the other follows the demo's proportions.
    const long width = has("DlgWidth") ? d.DocNumber("DlgWidth")
                       : has("Pic1Height") ? Scaled(d.DocNumber("Pic1Height"), kDemoWidth, kDemoHeight)
                                           : kDemoWidth;
    const long height = has("Pic1Height") ? d.DocNumber("Pic1Height") : Scaled(width, kDemoHeight, kDemoWidth);
    // The keys the author sets tell where the product is meant to go; with none, Program Files.
    const char* targetPath = has("TargetPathTemp") ? "0" : has("RegEntry") || has("TargetPathRegistry") ? "1" : "2";
    const char* targetPathUser = has("TargetPathEx") ? "2" : has("TargetSubDir") ? "0" : "1";
    const std::string* name = d.Doc("ProName");

    std::vector<OptionalKey> keys;
    if (!programVersion.empty())
        keys.push_back({"Product", "ProVersion", programVersion,
                        "the version in the title and the registry; default: the version resource of the first "
                        "program, else 1.0"});
    keys.insert(keys.end(), {
        {"Product", "Text", (name ? *name : std::string()) + (programVersion.empty() ? "" : " " + programVersion),
         "free text in the installer's trailer (not shown by the setup)"},
        {"Product", "SecurityNTAuthority", "0", "who may install: 0 anyone, 1 Administrators or Power Users, 2 Administrators"},
        {"Product", "UpdateRegVersion", "0", "1: write the list file UnZembra.ini and the version to RegVersion"},
        {"Product", "RegVersion", "", "registry value for the version, such as HKEY_CURRENT_USER\\Software\\Firma\\Produkt\\Version"},
        {"Product", "StartEplorer", "0", "1: open an Explorer window on the target folder at the end"},
        {"Product", "Publisher", "", "the maker, as the system's list of installed programs shows it"},
        {"Product", "Uninstall", "",
         "1: install the uninstaller UnZembra.exe and enter the product in the system's list of installed programs "
         "(needs UpdateRegVersion 1)"},
        {"Product", "PackageIdentifier", "",
         "the package manager's name of the product, such as Firma.Produkt (zembra-pack --winget)"},
        {"Product", "License", "", "the licence in the package manager's manifest; default: Proprietary"},
        {"Product", "Description", "",
         "the short description in the package manager's manifest; default: the product's name"},
        {"Layout", "DlgWidth", number(width), "outer width of the dialog, in pixels"},
        {"Layout", "Pic1Width", number(Scaled(width, 170, kDemoWidth)), "picture column of the start and last page"},
        {"Layout", "Pic1Height", number(height), "height of the page area"},
        {"Layout", "Pic2Width", number(Scaled(width, 120, kDemoWidth)), "picture of the progress page"},
        {"Layout", "Pic2Height", number(Scaled(height, 80, kDemoHeight)), "top band of the progress page"},
        {"Layout", "Pic2Space", number(Scaled(width, 12, kDemoWidth)), "room right of the progress page's picture"},
        {"Placement", "PathChange", "1", "1: the user may change the target folder"},
        {"Placement", "TargetPath", targetPath,
         "where to install: 0 the temporary folder, 1 a folder from the registry (RegEntry), 2 Program Files"},
        {"Placement", "TargetPathUser", targetPathUser,
         "with TargetPath 2: 0 Program Files + TargetSubDir, 1 Program Files + product name, 2 TargetPathEx"},
        {"Placement", "TargetPathRegistry", "0", "with TargetPath 1: 1 stop when RegEntry is not found, 0 use the temporary folder"},
        {"Placement", "TargetPathTemp", "0", "with TargetPath 0: 0 the temporary folder, 1 that folder + product name"},
        {"Placement", "TargetPathSubDir", "0", "1: append TargetSubDir to the folder from the registry or TEMP, or to TargetPathEx"},
        {"Placement", "TargetSubDir", "", "subfolder, such as Firma\\Produkt"},
        {"Placement", "RegEntry", "", "registry value that holds the target folder (TargetPath 1)"},
        {"Placement", "TargetPathEx", "", "the target folder itself (TargetPath 2 with TargetPathUser 2)"},
    });
    return keys;
}

std::string DefaultTextWritten(int n, const std::string& productNameUtf8, const std::string& language) {
    std::string escaped;
    for (char c : productNameUtf8) escaped += c == '\\' ? "\\\\" : std::string(1, c);
    return WithName(DefaultTexts(language)[n], escaped);
}

void ApplyProductDefaults(ProductDescription* d, const std::string& programVersion) {
    for (const OptionalKey& key : OptionalKeys(*d, programVersion)) {
        // The trailer text is no key of "Zembra.ini"; the packer makes its own default.
        if (key.value.empty() || std::string(key.key) == "Text" || d->Doc(key.key)) continue;
        d->docKeys.emplace_back(key.key, key.value);
    }
    const std::string* name = d->Doc("ProName");
    FillTexts(d->languages.front(), name ? *name : std::string(), d->texts, d->hasText);
    for (LanguageTexts& t : d->translations) FillTexts(t.code, name ? *name : std::string(), t.texts, t.hasText);
}

}  // namespace zembra
