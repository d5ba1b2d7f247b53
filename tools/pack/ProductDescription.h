// The product description: the short INI file (UTF-8) from which zembra-pack writes a whole installer.
//
//   [Product]    ProName (required), ProVersion, SecurityNTAuthority, UpdateRegVersion, RegVersion, StartEplorer, Text,
//                Publisher, Uninstall, AppId, PackageIdentifier, License, Description, Languages (the main one
//                first: "de, en"; default de)
//   [Layout]     DlgWidth, Pic1Width, Pic1Height, Pic2Width, Pic2Height, Pic2Space (pixels)
//   [Placement]  PathChange, TargetPath, TargetPathUser, TargetPathRegistry, TargetPathTemp,
//                TargetPathSubDir, TargetSubDir, RegEntry, TargetPathEx
//   [Texts]      0 to 17: the numbered texts; \n stands for a line break, \t for a tab, \\ for a backslash
//   [Pages]      1 to 3: RTF files of the pages (welcome, progress, done)
//   [Texts.xx], [Pages.xx]  the same for a further language of Languages ([Texts.en]); [Texts] and [Pages]
//                hold the main language's
//   [Pictures]   1 to 3: the pictures of the pages (BMP, JPEG or GIF)
//   [Files]      SOURCE = FOLDER | FLAGS [| NAME], one line per installed file (required)
//   [Shortcuts]  NAME = TARGET [| ARGUMENTS]: Start-menu shortcuts, TARGET with a folder as in [Files]
//   [Desktop]    the same for the desktop
//
// Whatever else is left out gets a default (ProductDefaults.h) once the description has been read.
// Keys keep the names they have in "Zembra.ini" (except Text, the free text of the package's trailer).
// Paths are relative to the description's folder; '/' and '\' both separate folders.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zembra {

constexpr int kTextCount = 18;

struct ProductFile {
    std::string source;  // as written (UTF-8), relative to the description's folder
    std::string folder;  // FDir, code page 1252
    std::string flags;   // FFlags: eight characters 0 or 1
    std::string name;    // FName, code page 1252
    std::string params;  // FParams: what the program started after the installation is given
    int line = 0;        // 0 for a file zembra-pack adds itself
};

struct ProductShortcut {
    std::string name;       // the link's name without ".lnk", code page 1252
    std::string folder;     // the target's folder, with its placeholder as in FDir
    std::string file;       // the target's file name
    std::string arguments;
    bool desktop = false;   // else the Start menu
    int line = 0;
};

// A further language's numbered texts and pages.
struct LanguageTexts {
    std::string code;                   // "en"
    std::string texts[kTextCount];
    bool hasText[kTextCount] = {};
    int textLine[kTextCount] = {};
    std::string pages[3];
    int line = 0;                       // its first section's header
};

struct ProductDescription {
    std::string folder;                                         // the description's folder, ending with '/'
    std::vector<std::pair<std::string, std::string>> docKeys;   // [Doc] key and value (1252), in file order
    std::string texts[kTextCount];
    bool hasText[kTextCount] = {};
    int textLine[kTextCount] = {};                              // 0 for a default text
    std::string pages[3];                                       // sources, empty when absent
    std::string pictures[3];
    int pictureLine[3] = {};
    std::vector<ProductFile> files;
    std::vector<ProductShortcut> shortcuts;
    std::string trailerText;                                    // 1252
    std::vector<std::string> languages{"de"};                   // the main one first
    std::vector<LanguageTexts> translations;                    // the further languages, in that order
    int lineCount = 0;

    const std::string* Doc(const std::string& key) const;
    // "en,de" as the package and the product record carry it; empty for German alone, as before.
    std::string LanguageList() const;
    long DocNumber(const std::string& key) const;  // 0 when absent
};

// A numbered text as written (code page 1252) with its escapes resolved: \n is a line break (byte 6,
// which the setup program turns into one), \t a tab, \\ a backslash; any other backslash stays.
std::string UnescapeText(const std::string& written);

// The installed file's path as the system will see it, for telling two targets apart from two that
// only look different: letter case, doubled backslashes, a backslash after a placeholder.
std::string TargetIdentity(const std::string& folder, const std::string& name);

// Parses the description's text (path names it in messages and gives the folder) and fills in the
// defaults for what it leaves out. False with a message "FILE:LINE: what is wrong" in *error.
bool ParseProductDescription(const std::string& text, const std::string& path, ProductDescription* description,
                             std::string* error);

}  // namespace zembra
