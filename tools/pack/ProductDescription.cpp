#include "tools/pack/ProductDescription.h"

#include "framework/AnsiText.h"
#include "framework/Language.h"
#include "run/AnsiUtf8.h"
#include "services/RegistryRoots.h"
#include "tools/pack/Cp1252.h"
#include "tools/pack/ProductDefaults.h"
#include "tools/pack/WingetManifest.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>

namespace zembra {
namespace {

enum class Kind { Text, Number, RegistryPath, Guid, PackageIdentifier };

struct KeySpec {
    const char* section;
    const char* key;
    Kind kind;
    long min, max;  // numbers
};

// The [Doc] keys of "Zembra.ini" a description may set, by section.
const KeySpec kKeys[] = {
    {"Product", "ProName", Kind::Text, 0, 0},
    {"Product", "ProVersion", Kind::Text, 0, 0},
    {"Product", "SecurityNTAuthority", Kind::Number, 0, 2},
    {"Product", "UpdateRegVersion", Kind::Number, 0, 1},
    {"Product", "RegVersion", Kind::RegistryPath, 0, 0},
    {"Product", "StartEplorer", Kind::Number, 0, 1},
    {"Product", "Publisher", Kind::Text, 0, 0},
    {"Product", "Uninstall", Kind::Number, 0, 1},
    {"Product", "AppId", Kind::Guid, 0, 0},
    {"Product", "PackageIdentifier", Kind::PackageIdentifier, 0, 0},
    {"Product", "License", Kind::Text, 0, 0},
    {"Product", "Description", Kind::Text, 0, 0},
    {"Layout", "DlgWidth", Kind::Number, 0, 4096},
    {"Layout", "Pic1Width", Kind::Number, 0, 4096},
    {"Layout", "Pic1Height", Kind::Number, 0, 4096},
    {"Layout", "Pic2Width", Kind::Number, 0, 4096},
    {"Layout", "Pic2Height", Kind::Number, 0, 4096},
    {"Layout", "Pic2Space", Kind::Number, 0, 4096},
    {"Placement", "PathChange", Kind::Number, 0, 1},
    {"Placement", "TargetPath", Kind::Number, 0, 2},
    {"Placement", "TargetPathUser", Kind::Number, 0, 2},
    {"Placement", "TargetPathRegistry", Kind::Number, 0, 1},
    {"Placement", "TargetPathTemp", Kind::Number, 0, 1},
    {"Placement", "TargetPathSubDir", Kind::Number, 0, 1},
    {"Placement", "TargetSubDir", Kind::Text, 0, 0},
    {"Placement", "RegEntry", Kind::RegistryPath, 0, 0},
    {"Placement", "TargetPathEx", Kind::Text, 0, 0},
};

const char* const kSections[] = {"Product", "Layout", "Placement", "Texts",    "Pages",
                                 "Pictures", "Files",  "Shortcuts", "Desktop"};

// The library reads placement keys through the system's profile functions, which take 511 characters.
constexpr size_t kMaxProfileValue = 511;

std::string Trim(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && (s[begin] == ' ' || s[begin] == '\t')) ++begin;
    while (end > begin && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
    return s.substr(begin, end - begin);
}

bool SameNoCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool ParseNumber(const std::string& text, long* value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

// Root name or digit, backslash, key path, backslash, value name.
std::string RegistryPathProblem(const std::string& path) {
    const size_t slash = path.find('\\');
    if (slash == std::string::npos)
        return "is not a registry path (ROOT\\Key\\Value, ROOT being HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, ... "
               "or a digit 1 to 5)";
    const std::string root = path.substr(0, slash);
    if (RegistryRootNumber(root.c_str()) != 0) return std::string();
    return "starts with the unknown registry root \"" + root + "\"";
}

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, hex digits in either case.
bool IsGuid(const std::string& text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

class Parser {
public:
    Parser(const std::string& path, ProductDescription* d, std::string* error) : m_path(path), m_d(d), m_error(error) {}

    bool Fail(int line, const std::string& what) {
        *m_error = m_path + ":" + std::to_string(line) + ": " + what;
        return false;
    }

    // UTF-8 to code page 1252, refusing what the profile syntax cannot carry.
    bool Ansi(int line, const std::string& utf8, std::string* out) {
        size_t bad = 0;
        if (!Utf8ToCp1252(utf8, out, &bad))
            return Fail(line, "\"" + utf8 + "\" holds " + CodePointAt(utf8, bad) +
                                  ", which the setup's code page (Windows-1252) cannot show");
        for (unsigned char c : *out)
            if (c < 0x20 && c != '\t')
                return Fail(line, "a value must not hold control characters");
        return true;
    }

    bool Line(int line, const std::string& raw);
    bool LanguageSection(int line, const std::string& name);
    bool Finish(int lastLine);

private:
    bool Key(int line, const std::string& key, const std::string& value);
    bool Text(int line, const std::string& key, const std::string& value);
    bool Numbered(int line, const std::string& key, const std::string& value, std::string (&slots)[3], int* lines,
                  const char* what);
    bool File(int line, const std::string& key, const std::string& value);
    bool Shortcut(int line, const std::string& key, const std::string& value);

    std::string m_path;
    ProductDescription* m_d;
    std::string* m_error;
    std::string m_section;
    std::vector<std::string> m_seenSections;
    std::vector<std::string> m_seenKeys;  // "section/key", for keys that may appear once
    std::map<std::string, int> m_keyLines;  // the line of each [Doc] key the description sets
    LanguageTexts* m_translation = nullptr;  // in [Texts.xx] or [Pages.xx]
};

LanguageTexts& TranslationOf(ProductDescription* d, const std::string& code) {
    for (LanguageTexts& t : d->translations)
        if (t.code == code) return t;
    d->translations.emplace_back();
    d->translations.back().code = code;
    return d->translations.back();
}

// [Texts.en] or [Pages.en]: the language must be one zembra-pack knows; Languages must list it (checked
// at the end, as it may come later).
bool Parser::LanguageSection(int line, const std::string& name) {
    const size_t dot = name.find('.');
    const std::string kind = name.substr(0, dot);
    const LanguageInfo* language = FindLanguage(name.substr(dot + 1));
    if (!language)
        return Fail(line, "unknown language \"" + name.substr(dot + 1) + "\" in [" + name + "] (known: " +
                              KnownLanguageCodes() + ")");
    const std::string section = (SameNoCase(kind, "Texts") ? "Texts." : "Pages.") + std::string(language->code);
    for (const std::string& seen : m_seenSections)
        if (seen == section) return Fail(line, "section [" + name + "] appears a second time");
    m_section = section;
    m_seenSections.push_back(section);
    m_translation = &TranslationOf(m_d, language->code);
    if (!m_translation->line) m_translation->line = line;
    return true;
}

bool Parser::Line(int line, const std::string& raw) {
    const std::string text = Trim(raw);
    if (text.empty() || text[0] == ';' || text[0] == '#') return true;
    if (text[0] == '[') {
        if (text.back() != ']') return Fail(line, "a section header must end with ']'");
        const std::string name = Trim(text.substr(1, text.size() - 2));
        const size_t dot = name.find('.');
        if (dot != std::string::npos &&
            (SameNoCase(name.substr(0, dot), "Texts") || SameNoCase(name.substr(0, dot), "Pages")))
            return LanguageSection(line, name);
        m_translation = nullptr;
        for (const char* known : kSections) {
            if (!SameNoCase(name, known)) continue;
            for (const std::string& seen : m_seenSections)
                if (seen == known) return Fail(line, "section [" + name + "] appears a second time");
            m_section = known;
            m_seenSections.push_back(known);
            return true;
        }
        return Fail(line, "unknown section [" + name +
                              "] (known: Product, Layout, Placement, Texts, Pages, Pictures, Files, Shortcuts, "
                              "Desktop, and Texts.xx, Pages.xx for a further language)");
    }
    const size_t equals = text.find('=');
    if (equals == std::string::npos) return Fail(line, "expected KEY = VALUE or a [section]");
    if (m_section.empty()) return Fail(line, "a key before the first [section]");
    const std::string key = Trim(text.substr(0, equals));
    const std::string value = Trim(text.substr(equals + 1));
    if (key.empty()) return Fail(line, "a key must have a name");
    if (m_section == "Files") return File(line, key, value);
    if (m_section == "Shortcuts" || m_section == "Desktop") return Shortcut(line, key, value);
    const std::string id = m_section + "/" + key;
    for (const std::string& seen : m_seenKeys)
        if (SameNoCase(seen, id.c_str())) return Fail(line, "key " + key + " is given a second time in [" + m_section + "]");
    m_seenKeys.push_back(id);
    if (m_translation && m_section.compare(0, 6, "Texts.") == 0) return Text(line, key, value);
    if (m_translation) return Numbered(line, key, value, m_translation->pages, nullptr, "page");
    if (m_section == "Texts") return Text(line, key, value);
    if (m_section == "Pages") return Numbered(line, key, value, m_d->pages, nullptr, "page");
    if (m_section == "Pictures") return Numbered(line, key, value, m_d->pictures, m_d->pictureLine, "picture");
    return Key(line, key, value);
}

bool Parser::Key(int line, const std::string& key, const std::string& value) {
    if (m_section == "Product" && SameNoCase(key, "Text")) {
        if (!Ansi(line, value, &m_d->trailerText)) return false;
        return true;
    }
    if (m_section == "Product" && SameNoCase(key, "Languages")) {
        std::string word;
        if (!ParseLanguageList(value, &m_d->languages, &word))
            return Fail(line, "Languages: \"" + word +
                                  "\" is no language zembra-pack knows, or is named twice (known: " +
                                  KnownLanguageCodes() + ")");
        m_keyLines["Languages"] = line;
        return true;
    }
    for (const KeySpec& spec : kKeys) {
        if (m_section != spec.section || !SameNoCase(key, spec.key)) continue;
        std::string ansi;
        if (!Ansi(line, value, &ansi)) return false;
        if (spec.kind == Kind::Number) {
            long number = 0;
            if (!ParseNumber(value, &number) || number < spec.min || number > spec.max)
                return Fail(line, std::string(spec.key) + " must be a whole number from " + std::to_string(spec.min) +
                                      " to " + std::to_string(spec.max) + ", not \"" + value + "\"");
            ansi = std::to_string(number);
        } else if (spec.kind == Kind::RegistryPath && !ansi.empty()) {
            const std::string problem = RegistryPathProblem(ansi);
            if (!problem.empty()) return Fail(line, std::string(spec.key) + " \"" + value + "\" " + problem);
        } else if (spec.kind == Kind::Guid && !ansi.empty() && !IsGuid(ansi)) {
            return Fail(line, "AppId \"" + value + "\" is no GUID of the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}");
        } else if (spec.kind == Kind::PackageIdentifier && !ansi.empty() && !PackageIdentifierProblem(ansi).empty()) {
            return Fail(line, "PackageIdentifier \"" + value + "\" " + PackageIdentifierProblem(ansi));
        }
        if (ansi.size() > kMaxProfileValue)
            return Fail(line, std::string(spec.key) + " is longer than " + std::to_string(kMaxProfileValue) + " bytes");
        m_d->docKeys.emplace_back(spec.key, ansi);
        m_keyLines[spec.key] = line;
        return true;
    }
    return Fail(line, "unknown key " + key + " in [" + m_section + "]");
}

bool Parser::Text(int line, const std::string& key, const std::string& value) {
    long number = 0;
    if (!ParseNumber(key, &number) || number >= kTextCount)
        return Fail(line, "text number " + key + " is out of range (the texts are numbered 0 to 17)");
    std::string ansi;
    if (!Ansi(line, value, &ansi)) return false;
    std::string* texts = m_translation ? m_translation->texts : m_d->texts;
    bool* has = m_translation ? m_translation->hasText : m_d->hasText;
    int* lines = m_translation ? m_translation->textLine : m_d->textLine;
    texts[number] = UnescapeText(ansi);
    has[number] = true;
    lines[number] = line;
    return true;
}

bool Parser::Numbered(int line, const std::string& key, const std::string& value, std::string (&slots)[3],
                      int* lines, const char* what) {
    long number = 0;
    if (!ParseNumber(key, &number) || number < 1 || number > 3)
        return Fail(line, std::string(what) + " number " + key + " is out of range (1 to 3)");
    if (value.empty()) return Fail(line, std::string(what) + " " + key + " names no file");
    slots[number - 1] = value;
    if (lines) lines[number - 1] = line;
    return true;
}

// Characters Windows refuses in file names, besides the control characters.
bool BadNameCharacter(unsigned char c) { return c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr; }

std::string FolderProblem(const std::string& folder) {
    static const char* const kPlaceholders[] = {"<INSTALLDIR>", "<WINDOWS>", "<SYSTEM>"};
    if (folder.empty()) return "the target folder is empty";
    if (folder.compare(0, 2, "\\\\") == 0)
        return "network paths (\\\\server\\...) are not supported: the setup program would lose a backslash";
    std::string rest = folder;
    const bool drive = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
                       folder[2] == '\\';
    bool anchored = drive;
    if (drive) rest = folder.substr(3);
    for (size_t at = rest.find('<'); at != std::string::npos; at = rest.find('<')) {
        const size_t end = rest.find('>', at);
        const std::string placeholder = rest.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
        bool known = false;
        for (const char* p : kPlaceholders) {
            if (placeholder == p) known = true;
            else if (SameNoCase(placeholder, p))
                return "write " + std::string(p) + " in capitals; the setup program replaces it only so";
        }
        if (!known) return "unknown placeholder " + placeholder + " (known: <INSTALLDIR>, <WINDOWS>, <SYSTEM>)";
        if (at != 0 || drive) return "a placeholder must stand at the start of the folder";
        anchored = true;
        rest.erase(at, placeholder.size());
    }
    if (!anchored)
        return "the target folder must begin with <INSTALLDIR>, <WINDOWS>, <SYSTEM> or a drive (C:\\)";
    for (unsigned char c : rest)
        if (c != '\\' && BadNameCharacter(c)) return "the target folder holds a character Windows refuses in paths";
    return std::string();
}

bool Parser::File(int line, const std::string& key, const std::string& value) {
    ProductFile file;
    file.line = line;
    file.source = key;
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar = value.find('|'); ; bar = value.find('|', start)) {
        parts.push_back(Trim(value.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (parts.size() < 2 || parts.size() > 3)
        return Fail(line, "expected SOURCE = FOLDER | FLAGS [| NAME]");
    std::string folder;
    if (!Ansi(line, parts[0], &folder)) return false;
    for (char& c : folder)
        if (c == '/') c = '\\';
    const std::string problem = FolderProblem(folder);
    if (!problem.empty()) return Fail(line, "\"" + parts[0] + "\": " + problem);
    file.folder = folder;
    file.flags = parts[1];
    if (file.flags.size() != 8 || file.flags.find_first_not_of("01") != std::string::npos)
        return Fail(line, "FFlags \"" + file.flags + "\" must be eight characters 0 or 1");
    std::string name = parts.size() == 3 ? parts[2] : key.substr(key.find_last_of("/\\") + 1);
    if (!Ansi(line, name, &file.name)) return false;
    if (file.name.empty() || file.name == "." || file.name == ".." || file.name.size() > 255)
        return Fail(line, "\"" + name + "\" is not a file name");
    for (unsigned char c : file.name)
        if (BadNameCharacter(c)) return Fail(line, "file name \"" + name + "\" holds a character Windows refuses");
    m_d->files.push_back(file);
    return true;
}

bool Parser::Shortcut(int line, const std::string& key, const std::string& value) {
    ProductShortcut shortcut;
    shortcut.line = line;
    shortcut.desktop = m_section == "Desktop";
    const size_t bar = value.find('|');
    std::string target;
    if (!Ansi(line, key, &shortcut.name) || !Ansi(line, Trim(value.substr(0, bar)), &target) ||
        !Ansi(line, bar == std::string::npos ? std::string() : Trim(value.substr(bar + 1)), &shortcut.arguments))
        return false;
    if (shortcut.name == "." || shortcut.name == ".." || shortcut.name.size() > 200 ||
        std::any_of(shortcut.name.begin(), shortcut.name.end(), [](char c) { return BadNameCharacter(c); }))
        return Fail(line, "shortcut name \"" + key + "\" is no file name Windows accepts");
    for (char& c : target)
        if (c == '/') c = '\\';
    const size_t slash = target.find_last_of('\\');
    shortcut.folder = slash == std::string::npos ? std::string() : target.substr(0, slash);
    shortcut.file = target.substr(slash + 1);
    std::string problem = FolderProblem(shortcut.folder);
    if (problem.empty() && (shortcut.file.empty() || std::any_of(shortcut.file.begin(), shortcut.file.end(),
                                                                 [](char c) { return BadNameCharacter(c); })))
        problem = "names no file in its folder";
    if (!problem.empty())
        return Fail(line, "shortcut \"" + key + "\": expected NAME = TARGET [| ARGUMENTS], TARGET as in [Files]: \"" +
                              Trim(value.substr(0, bar)) + "\": " + problem);
    m_d->shortcuts.push_back(shortcut);
    return true;
}

bool Parser::Finish(int lastLine) {
    if (!m_d->Doc("ProName") || m_d->Doc("ProName")->empty())
        return Fail(lastLine, "[Product] ProName is missing: the dialog's title needs it");
    std::vector<LanguageTexts> translations;
    for (const LanguageTexts& t : m_d->translations) {
        const std::string where = "[Texts." + t.code + "] or [Pages." + t.code + "]";
        if (t.code == m_d->languages.front())
            return Fail(t.line, where + " is for the main language " + t.code + ", whose texts and pages go into "
                                "[Texts] and [Pages]");
        if (std::find(m_d->languages.begin(), m_d->languages.end(), t.code) == m_d->languages.end())
            return Fail(t.line, where + " is for a language that [Product] Languages does not list");
    }
    // In the order of Languages, one for each further language.
    for (size_t i = 1; i < m_d->languages.size(); ++i) translations.push_back(TranslationOf(m_d, m_d->languages[i]));
    m_d->translations = translations;
    ApplyProductDefaults(m_d);  // adds keys: pointers into them are taken only now
    const std::string* name = m_d->Doc("ProName");
    const std::string* update = m_d->Doc("UpdateRegVersion");
    const std::string* regVersion = m_d->Doc("RegVersion");
    if (update && *update != "0" && (!regVersion || regVersion->empty()))
        return Fail(lastLine, "UpdateRegVersion=1 needs RegVersion, the registry value that receives the version");
    const std::string* uninstall = m_d->Doc("Uninstall");
    if (uninstall && *uninstall == "1" && (!update || *update != "1"))
        return Fail(lastLine, "Uninstall=1 needs UpdateRegVersion=1: only then does the setup program write the list "
                              "of installed files that the uninstaller removes");
    const std::string* target = m_d->Doc("TargetPath");
    if (uninstall && *uninstall == "1" && target && *target == "0") {
        const std::string why = m_keyLines.count("TargetPath")
                                    ? "TargetPath=0 (line " + std::to_string(m_keyLines["TargetPath"]) + ")"
                                    : "TargetPath=0, which TargetPathTemp implies,";
        return Fail(m_keyLines["Uninstall"], "Uninstall=1 needs TargetPath 1 or 2: with " + why +
                                                 " the list of installed files and the uninstaller would lie in the "
                                                 "temporary folder, where every user may write");
    }
    const std::string* entry = m_d->Doc("RegEntry");
    if (target && *target == "1" && (!entry || entry->empty()))
        return Fail(lastLine, "TargetPath=1 needs RegEntry, the registry value that holds the folder");
    const std::string* user = m_d->Doc("TargetPathUser");
    const std::string* ex = m_d->Doc("TargetPathEx");
    if (target && *target == "2" && user && *user == "2" && (!ex || ex->empty()))
        return Fail(lastLine, "TargetPathUser=2 needs TargetPathEx, the folder to install into");
    if (m_d->files.empty()) return Fail(lastLine, "[Files] lists no file to install");
    std::map<std::string, const ProductFile*> targets;
    for (const ProductFile& file : m_d->files) {
        auto inserted = targets.emplace(TargetIdentity(file.folder, file.name), &file);
        if (!inserted.second)
            return Fail(file.line, "\"" + file.source + "\" goes to the same target as \"" +
                                       inserted.first->second->source + "\" (line " +
                                       std::to_string(inserted.first->second->line) + ")");
    }
    // A link per name and place; several Start-menu shortcuts share a folder named after the product.
    std::map<std::string, const ProductShortcut*> links;
    size_t menuShortcuts = 0;
    for (const ProductShortcut& shortcut : m_d->shortcuts) {
        std::string link = (shortcut.desktop ? "D:" : "S:") + shortcut.name;
        AnsiMakeUpper(&link[0]);
        auto inserted = links.emplace(link, &shortcut);
        if (!inserted.second)
            return Fail(shortcut.line, "shortcut \"" + Cp1252ToUtf8(shortcut.name) +
                                           "\" is named like the one in line " +
                                           std::to_string(inserted.first->second->line));
        menuShortcuts += shortcut.desktop ? 0 : 1;
    }
    if (menuShortcuts > 1 && (name->back() == '.' || name->back() == ' ' ||
                              std::any_of(name->begin(), name->end(), [](char c) { return BadNameCharacter(c); })))
        return Fail(lastLine, "several Start-menu shortcuts go into a folder named after the product, but ProName \"" +
                                  Cp1252ToUtf8(*name) + "\" is no folder name Windows accepts");
    return true;
}

}  // namespace

std::string TargetIdentity(const std::string& folder, const std::string& name) {
    std::string path;
    for (char c : folder + "\\")
        if (c != '\\' || path.empty() || path.back() != '\\') path.push_back(c);
    if (path[0] == '<') {
        const size_t end = path.find('>');
        if (path[end + 1] != '\\') path.insert(end + 1, "\\");
    }
    path += name;
    AnsiMakeUpper(&path[0]);
    return path;
}

const std::string* ProductDescription::Doc(const std::string& key) const {
    for (const auto& entry : docKeys)
        if (entry.first == key) return &entry.second;
    return nullptr;
}

std::string ProductDescription::LanguageList() const {
    if (languages.size() == 1 && languages.front() == "de") return std::string();
    std::string list;
    for (const std::string& code : languages) list += (list.empty() ? "" : ",") + code;
    return list;
}

long ProductDescription::DocNumber(const std::string& key) const {
    const std::string* value = Doc(key);
    return value ? std::strtol(value->c_str(), nullptr, 10) : 0;
}

std::string UnescapeText(const std::string& written) {
    std::string text;
    for (size_t i = 0; i < written.size(); ++i) {
        const char next = i + 1 < written.size() ? written[i + 1] : '\0';
        if (written[i] == '\\' && (next == 'n' || next == 't' || next == '\\')) {
            text.push_back(next == 'n' ? '\x06' : next == 't' ? '\t' : '\\');
            ++i;
        } else {
            text.push_back(written[i]);
        }
    }
    return text;
}

bool ParseProductDescription(const std::string& text, const std::string& path, ProductDescription* description,
                             std::string* error) {
    *description = ProductDescription();
    const size_t slash = path.find_last_of("/\\");
    description->folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    Parser parser(path, description, error);
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (!parser.Line(++line, raw)) return false;
        start = end + 1;
    }
    description->lineCount = line;
    return parser.Finish(line);
}

}  // namespace zembra
