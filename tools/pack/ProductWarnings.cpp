#include "tools/pack/ProductWarnings.h"

#include "run/AnsiUtf8.h"

#include <cctype>
#include <cstdint>
#include <set>

namespace zembra {
namespace {

constexpr size_t kStartFlag = 5;  // position 6 of FFlags

// What FormatText fills in, by text: 2 and 9 the folder or path, 10 the status line's three values.
const char* Filled(int text) {
    switch (text) {
        case 2: return "[1] (the folder)";
        case 9: return "[1] (the file)";
        case 10: return "[1] (the folder), [2] (the file name) and [3] (the size)";
        default: return nullptr;
    }
}

bool IsFilled(int text, int marker) { return (text == 2 || text == 9) ? marker == 1 : text == 10 && marker <= 3; }

// Markers [1] to [8] this text does not get, and folder placeholders, which texts never get.
std::string Unfilled(int text, const std::string& value) {
    std::string found;
    const auto add = [&found](const std::string& what) {
        if (found.find(what) == std::string::npos) found += (found.empty() ? "" : ", ") + what;
    };
    for (size_t at = value.find('['); at != std::string::npos; at = value.find('[', at + 1))
        if (at + 2 < value.size() && value[at + 1] >= '1' && value[at + 1] <= '8' && value[at + 2] == ']' &&
            !IsFilled(text, value[at + 1] - '0'))
            add(value.substr(at, 3));
    for (const char* placeholder : {"<INSTALLDIR>", "<WINDOWS>", "<SYSTEM>"})
        if (value.find(placeholder) != std::string::npos) add(placeholder);
    return found;
}

bool EndsWithNoCase(const std::string& name, const char* suffix) {
    const std::string s = suffix;
    if (name.size() < s.size()) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - s.size() + i])) != s[i]) return false;
    return true;
}

// What the system starts rather than opens with another program.
bool Startable(const ManifestFile& m) {
    return m.program || EndsWithNoCase(m.file->name, ".bat") || EndsWithNoCase(m.file->name, ".cmd") ||
           EndsWithNoCase(m.file->name, ".msi");
}

}  // namespace

std::vector<std::string> ProductWarnings(const ProductDescription& d, const ProductManifest& manifest,
                                         const PictureSize (&pictures)[3], const std::string& name) {
    std::vector<std::string> warnings;
    const auto warn = [&](int line, const std::string& what) {
        warnings.push_back(name + ":" + std::to_string(line) + ": warning: " + what);
    };
    for (const ManifestFile& m : manifest.files)
        if (m.file->flags[kStartFlag] == '1' && !Startable(m))
            warn(m.file->line, "\"" + m.file->source +
                                   "\" is to be started after the installation (flag 6), but it is no program: "
                                   "Windows will open it with whatever program its type belongs to");
    const auto checkTexts = [&](const std::string* texts, const int* lines) {
        for (int n = 0; n < kTextCount; ++n) {
            if (!lines[n]) continue;
            const std::string unfilled = Unfilled(n, texts[n]);
            if (unfilled.empty()) continue;
            const char* filled = Filled(n);
            warn(lines[n], "text " + std::to_string(n) + " holds " + unfilled +
                               ", which the setup program shows as written: in this text it fills in " +
                               (filled ? std::string("only ") + filled : std::string("no placeholder")));
        }
    };
    checkTexts(d.texts, d.textLine);
    for (const LanguageTexts& t : d.translations) checkTexts(t.texts, t.textLine);
    std::set<std::string> installed;
    for (const ManifestFile& m : manifest.files) installed.insert(TargetIdentity(m.file->folder, m.file->name));
    for (const ProductShortcut& s : d.shortcuts)
        if (!installed.count(TargetIdentity(s.folder, s.file)))
            warn(s.line, "shortcut \"" + Cp1252ToUtf8(s.name) + "\" points to " +
                             Cp1252ToUtf8(s.folder + "\\" + s.file) + ", which no line of [Files] installs");
    const long roomWidth[3] = {d.DocNumber("Pic1Width"), d.DocNumber("Pic2Width"), d.DocNumber("Pic1Width")};
    const long roomHeight[3] = {d.DocNumber("Pic1Height"), d.DocNumber("Pic2Height"), d.DocNumber("Pic1Height")};
    for (int i = 0; i < 3; ++i) {
        const PictureSize& p = pictures[i];
        const auto fits = [](long size, long room) { return int64_t{size} * 100 <= int64_t{room} * kPictureSlackPercent; };
        if (!d.pictureLine[i] || (fits(p.width, roomWidth[i]) && fits(p.height, roomHeight[i]))) continue;
        warn(d.pictureLine[i], "picture " + std::to_string(i + 1) + " \"" + d.pictures[i] + "\" is " +
                                   std::to_string(p.width) + " x " + std::to_string(p.height) +
                                   " pixels, much larger than the " + std::to_string(roomWidth[i]) + " x " +
                                   std::to_string(roomHeight[i]) +
                                   " the layout gives it: the page shows only part of it");
    }
    return warnings;
}

}  // namespace zembra
