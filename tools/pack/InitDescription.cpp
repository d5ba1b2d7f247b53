#include "tools/pack/InitDescription.h"

#include "framework/AnsiText.h"
#include "framework/Language.h"
#include "tools/pack/Cp1252.h"
#include "tools/pack/ProductDefaults.h"
#include "tools/pack/ProductManifest.h"
#include "tools/pack/WholeFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

namespace zembra {
namespace fs = std::filesystem;
namespace {

// What each numbered text is for, to go with it as a comment.
const char* const kTextUse[kTextCount] = {
    "the package is missing when the setup starts",
    "question when Cancel is pressed during the installation",
    "a folder cannot be made; [1] the folder",
    "a file is in use (follows its path): retry?",
    "a file in use was given up (follows its path)",
    "overwrite question, button 1",
    "overwrite question, button 2",
    "overwrite question, button 3",
    "overwrite question, button 4",
    "overwrite question; [1] the file",
    "status line while installing; [1] folder, [2] file name, [3] size",
    "Cancel button after the installation",
    "Cancel button before and during it",
    "Install button",
    "text above the progress bar",
    "label of the target folder",
    "the user lacks the rights SecurityNTAuthority asks for",
    "files will be replaced at the next restart",
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Narrow paths from the command line: UTF-8 here, the ANSI code page on Windows.
fs::path FsPath(const std::string& path) {
#ifdef _WIN32
    return fs::path(path);
#else
    return fs::u8path(path);
#endif
}

// A name the setup's code page can show and Windows can keep; empty, or what is wrong with it.
std::string NameProblem(const std::string& utf8) {
    std::string ansi;
    size_t bad = 0;
    if (!Utf8ToCp1252(utf8, &ansi, &bad))
        return "holds " + CodePointAt(utf8, bad) + ", which the setup's code page (Windows-1252) cannot show";
    for (unsigned char c : ansi)
        if (c < 0x20 || std::strchr("\\:*?\"<>|", c)) return "holds a character Windows refuses in file names";
    return std::string();
}

std::string PartProblem(const std::string& part) {
    if (part.front() == ' ' || part.back() == ' ' || part.back() == '.')
        return "begins or ends with a space or ends with a dot, which Windows drops";
    return NameProblem(part);
}

// A version 4 GUID from the system's random source: the product's AppId.
std::string RandomGuid() {
    std::random_device random;
    uint8_t bytes[16];
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
    std::string guid = "{";
    for (int i = 0; i < 16; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        guid += (i == 4 || i == 6 || i == 8 || i == 10 ? "-" : "") + std::string(hex);
    }
    return guid + "}";
}

// The keys' explanations name a German maker's folders; other languages see English ones.
std::string Example(std::string meaning, const std::string& language) {
    if (language == "de") return meaning;
    for (const auto& word : {std::make_pair("Firma", "Company"), std::make_pair("Produkt", "Product")})
        for (size_t at = meaning.find(word.first); at != std::string::npos; at = meaning.find(word.first, at))
            meaning.replace(at, std::strlen(word.first), word.second);
    return meaning;
}

// Languages in [Product]: written for any other main language than German, which needs none.
std::string LanguagesLines(const std::string& language) {
    const std::string comment = "; the languages the installer speaks, the main one first (" + KnownLanguageCodes() +
                                "); a further one's\n; texts and pages go into [Texts.xx] and [Pages.xx]\n";
    return comment + (language == "de" ? "; Languages = de\n" : "Languages = " + language + "\n");
}

struct FoundFile {
    std::string relative;  // to the folder, with '/'
    std::string source;    // as the description names it
};

// The description's text as it is written to disk.
std::string DescriptionText(const InitOptions& options, const std::string& name, const std::string& version,
                            const std::vector<std::string>& lines, const std::string& mainProgram) {
    ProductDescription named;
    std::string ansiName;
    size_t bad = 0;
    Utf8ToCp1252(name, &ansiName, &bad);
    named.docKeys.emplace_back("ProName", ansiName);
    std::string text = "; Product description of " + name + " for zembra-pack, written by --init from " +
                       options.folder + " (UTF-8).\n"
                       "; Pack it:  zembra-pack --product " + options.description +
                       " --runtime RUNTIME -o Setup.exe\n"
                       "; What is left out or commented out (;) gets the default shown; remove the ';' to change it.\n";
    const char* section = "";
    for (const OptionalKey& key : OptionalKeys(named, version)) {
        if (std::strcmp(section, key.section) != 0) {
            section = key.section;
            text += std::string("\n[") + section + "]\n";
            if (std::strcmp(section, "Product") == 0)
                text += "ProName = " + name + "\n; the product's code: one entry in the list of installed programs for "
                        "every version and folder\nAppId = " + RandomGuid() + "\n" + LanguagesLines(options.language);
        }
        text += "; " + Example(key.meaning, options.language) + "\n; " + key.key + " =" +
                (key.value.empty() ? "" : " ") + key.value + "\n";
    }
    text += "\n[Texts]\n; The numbered texts: \\n is a line break, \\t a tab.\n";
    for (int n = 0; n < kTextCount; ++n)
        text += std::string("; ") + kTextUse[n] + "\n; " + std::to_string(n) + " = " +
                DefaultTextWritten(n, name, options.language) + "\n";
    const bool german = options.language == "de";
    text += std::string("\n[Pages]\n"
            "; RTF files of the start, progress and last page; left out, zembra-pack writes short pages\n"
            "; that name the product.\n") +
            (german ? "; 1 = willkommen.rtf\n; 2 = installation.rtf\n; 3 = fertig.rtf\n"
                    : "; 1 = welcome.rtf\n; 2 = progress.rtf\n; 3 = done.rtf\n") +
            "\n[Pictures]\n"
            "; BMP, JPEG or GIF pictures of the start, progress and last page; left out, plain ones in the\n"
            "; pages' colours, and the last page shows picture 1.\n" +
            (german ? "; 1 = bild1.bmp\n; 2 = bild2.bmp\n; 3 = bild3.bmp\n"
                    : "; 1 = picture1.bmp\n; 2 = picture2.bmp\n; 3 = picture3.bmp\n") +
            "\n[Files]\n"
            "; SOURCE = FOLDER | FLAGS [| NAME]. FLAGS, eight 0/1: install, ask before overwriting, clear\n"
            "; read-only, replace at restart when in use, install only when newer (needs a version resource),\n"
            "; start after the installation, start hidden, wait for it.\n";
    for (const std::string& line : lines) text += line + "\n";
    // The shortcut's name is its key: a name that would end or hide the key leaves it to the program's.
    const bool plainName = name.find_first_of("=/;#[") == std::string::npos;
    std::string stem = mainProgram.substr(mainProgram.rfind('\\') + 1);
    stem = stem.substr(0, stem.rfind('.'));
    const std::string shortcut = mainProgram.empty() ? "; " + name + " = <INSTALLDIR>\\" + name + ".exe"
                                                     : (plainName ? name : stem) + " = " + mainProgram;
    text += "\n[Shortcuts]\n"
            "; NAME = TARGET [| ARGUMENTS]: Start-menu shortcuts to installed files, TARGET with its folder as in\n"
            "; [Files]; several go into a folder named after the product.\n" +
            shortcut + "\n\n[Desktop]\n; Desktop shortcuts, written as in [Shortcuts].\n; " +
            (mainProgram.empty() ? shortcut.substr(2) : shortcut) + "\n";
    return text;
}

}  // namespace

bool WriteInitialDescription(const InitOptions& options, std::string* summary, std::string* error) {
    std::error_code code;
    const fs::path descriptionPath = FsPath(options.description);
    if (fs::exists(fs::symlink_status(descriptionPath, code))) {
        *error = Quoted(options.description) + " exists already; zembra-pack does not replace it";
        return false;
    }
    const fs::path root = fs::canonical(FsPath(options.folder), code);
    if (code || !fs::is_directory(root, code)) {
        *error = Quoted(options.folder) + " is no folder";
        return false;
    }
    const fs::path description = fs::weakly_canonical(fs::absolute(descriptionPath, code), code);
    const fs::path home = description.parent_path();

    std::string name = options.name.empty() ? root.filename().u8string() : options.name;
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    // Every name the installer cannot carry is told in one run, not one at a time.
    std::vector<std::string> problems;
    const std::string nameProblem = name.empty() ? "is empty" : NameProblem(name);
    if (!nameProblem.empty())
        problems.push_back("the product name " + Quoted(name) + " " + nameProblem +
                           (options.name.empty() ? " (give one with --name)" : ""));

    std::vector<FoundFile> files;
    for (fs::recursive_directory_iterator it(root, code), end; !code && it != end; it.increment(code)) {
        if (!it->is_regular_file(code)) continue;
        const fs::path& path = it->path();
        if (path == description || path.u8string() == description.u8string() + ".partial") continue;
        const fs::path relativeToHome = path.lexically_relative(home);
        files.push_back({path.lexically_relative(root).generic_u8string(),
                         (relativeToHome.empty() ? path : relativeToHome).generic_u8string()});
    }
    if (code) {
        *error = "cannot read the folder " + Quoted(options.folder) + ": " + code.message();
        return false;
    }
    if (files.empty()) {
        *error = Quoted(options.folder) + " holds no file to install";
        return false;
    }
    std::sort(files.begin(), files.end(), [](const FoundFile& a, const FoundFile& b) { return a.relative < b.relative; });

    ProductDescription owner;  // where --product will look for the sources
    owner.folder = options.description.substr(0, options.description.find_last_of("/\\") + 1);
    std::vector<std::string> lines;
    std::map<std::string, std::string> targets;  // in capitals, as Windows compares them
    std::set<std::string> folders;
    std::vector<FileFacts> versions;
    std::string mainProgram;  // the first program with a version, else the first program
    bool mainHasVersion = false;
    for (const FoundFile& file : files) {
        const std::string where = Quoted(options.folder + "/" + file.relative);
        std::string problem = file.source.find('=') != std::string::npos ? "holds '=', which ends a key in the description" : "";
        size_t start = 0;
        for (size_t slash = 0; problem.empty() && slash != std::string::npos; start = slash + 1) {
            slash = file.relative.find('/', start);
            problem = PartProblem(file.relative.substr(start, slash == std::string::npos ? slash : slash - start));
        }
        FileFacts facts;
        // The source as zembra-pack --product will open it.
        if (problem.empty()) InspectFile(SourcePath(owner, file.source), &facts, &problem);
        if (!problem.empty()) {
            problems.push_back(where + " " + problem);
            continue;
        }
        const size_t slash = file.relative.rfind('/');
        std::string folder = "<INSTALLDIR>";
        if (slash != std::string::npos) folder += "\\" + file.relative.substr(0, slash);
        std::replace(folder.begin(), folder.end(), '/', '\\');
        std::string target;
        size_t bad = 0;
        Utf8ToCp1252(folder + "\\" + file.relative.substr(slash + 1), &target, &bad);
        AnsiMakeUpper(&target[0]);
        const auto inserted = targets.emplace(target, file.relative);
        if (!inserted.second) {
            problems.push_back(where + " and " + Quoted(options.folder + "/" + inserted.first->second) +
                               " differ only in letter case; on Windows they are one file");
            continue;
        }
        folders.insert(folder);
        // A source that would read as a comment or a section, or lose a space, starts with "./".
        const bool guard = std::strchr(";#[ ", file.source[0]) != nullptr;
        lines.push_back((guard ? "./" : "") + file.source + " = " + folder + " | " +
                        (facts.hasVersion ? "10001000" : "10000000"));
        if (facts.program && (mainProgram.empty() || (facts.hasVersion && !mainHasVersion))) {
            mainProgram = folder + "\\" + file.relative.substr(slash + 1);
            mainHasVersion = facts.hasVersion;
        }
        versions.push_back(facts);
    }
    if (!problems.empty()) {
        *error = problems.size() == 1 ? problems[0] : std::to_string(problems.size()) + " problems, nothing written:";
        if (problems.size() > 1)
            for (const std::string& problem : problems) *error += "\n  " + problem;
        return false;
    }

    const std::string text =
        DescriptionText(options, name, DefaultProductVersion(ProgramVersion(versions)), lines, mainProgram);
    ProductDescription check;  // what was missed above shows here, before anything is written
    std::string problem;
    if (!ParseProductDescription(text, options.description, &check, &problem)) {
        *error = "the description would not pack: " + problem;
        return false;
    }
    if (!WriteWholeFile(options.description, text, ExistingFile::Keep, error)) return false;
    *summary = "wrote " + options.description + ": " + std::to_string(files.size()) + " files in " +
               std::to_string(folders.size()) + " folders for " + name;
    return true;
}

}  // namespace zembra
