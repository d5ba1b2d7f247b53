#include "tools/pack/WingetManifest.h"

#include "archive/PackageDirectory.h"
#include "archive/PeImage.h"
#include "archive/Sha256.h"
#include "framework/AnsiText.h"
#include "framework/Cp1252Table.h"
#include "run/AnsiUtf8.h"
#include "run/RunSwitches.h"
#include "tools/pack/WholeFile.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace zembra {
namespace {

constexpr char kManifestVersion[] = "1.10.0";
constexpr size_t kHeadBytes = 4096;

// A key the manifest takes from the product: its default, and the lengths the schema allows.
struct WingetKey {
    const char* key;
    const char* fallback;  // another key whose value stands in, or a fixed text in quotes
    size_t min, max;
    const char* use;
};

const WingetKey kKeys[] = {
    {"ProName", nullptr, 2, 256, "the package's name"},
    {"ProVersion", nullptr, 1, 128, "the package's version"},
    {"Publisher", nullptr, 2, 256, "the publisher"},
    {"License", "\"Proprietary", 3, 512, "the licence"},
    {"Description", "ProName", 3, 256, "the short description"},
};

using Doc = std::map<std::string, std::string>;

const std::string* Lookup(const Doc& doc, const char* key) {
    const auto found = doc.find(key);
    return found == doc.end() ? nullptr : &found->second;
}

std::string Value(const Doc& doc, const WingetKey& key) {
    const std::string* value = Lookup(doc, key.key);
    if (value && !value->empty()) return *value;
    if (!key.fallback) return std::string();
    if (key.fallback[0] == '"') return key.fallback + 1;
    value = Lookup(doc, key.fallback);
    return value ? *value : std::string();
}

std::string KeyProblem(const Doc& doc) {
    const std::string* id = Lookup(doc, "PackageIdentifier");
    if (!id || id->empty())
        return "[Product] PackageIdentifier is missing: the manifest needs one, such as Maker.Product";
    std::string problem = PackageIdentifierProblem(*id);
    if (!problem.empty()) return "[Product] PackageIdentifier \"" + Cp1252ToUtf8(*id) + "\" " + problem;
    for (const WingetKey& key : kKeys) {
        const std::string value = Value(doc, key);
        if (value.size() < key.min || value.size() > key.max)
            return std::string("[Product] ") + key.key + " \"" + Cp1252ToUtf8(value) + "\" cannot be " + key.use +
                   " of the manifest: it takes " + std::to_string(key.min) + " to " + std::to_string(key.max) +
                   " characters";
    }
    for (unsigned char c : Value(doc, kKeys[1]))
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c))
            return "[Product] ProVersion holds one of \\ / : * ? \" < > |, which the manifest's version may not";
    return std::string();
}

// A YAML scalar in double quotes: UTF-8, with what YAML would not take as it stands escaped.
std::string Quoted(const std::string& cp1252) {
    std::string text = "\"";
    for (size_t i = 0; i < cp1252.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cp1252[i]);
        char escaped[8];
        if (c == '"' || c == '\\') text += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0 && kCp1252HighControls[c - 0x80] == 0))
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c), text += escaped;
        else text += Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
    }
    return text + "\"";
}

// The gzip member of an entry, decoded.
bool Gunzip(const std::string& member, std::string* data) {
    z_stream z = {};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(member.data()));
    z.avail_in = static_cast<uInt>(member.size());
    int result = Z_OK;
    char buffer[65536];
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        data->append(buffer, sizeof buffer - z.avail_out);
        if (result == Z_OK && z.avail_in == 0 && z.avail_out != 0) result = Z_DATA_ERROR;
    }
    inflateEnd(&z);
    return result == Z_STREAM_END;
}

// [Doc] of the installer's "Zembra.ini" (key=value lines, as zembra-pack writes them).
Doc ReadDoc(const std::string& ini) {
    Doc doc;
    bool inDoc = false;
    for (size_t start = 0; start < ini.size();) {
        size_t end = ini.find('\n', start);
        if (end == std::string::npos) end = ini.size();
        std::string line = ini.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (!line.empty() && line[0] == '[') inDoc = line == "[Doc]";
        const size_t equals = line.find('=');
        if (inDoc && equals != std::string::npos && line[0] != ';')
            doc[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return doc;
}

struct InstallerFacts {
    Doc doc;
    std::string sha256;    // upper-case hex
    std::string architecture;
};

bool ReadInstaller(const std::string& path, InstallerFacts* facts, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read the installer \"" + path + "\"";
        return false;
    }
    Sha256 sha;
    std::vector<char> block(1 << 20);
    std::string head;
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
        const size_t read = static_cast<size_t>(in.gcount());
        if (head.size() < kHeadBytes) head.append(block.data(), std::min(read, kHeadBytes - head.size()));
        sha.Update(block.data(), read);
    }
    facts->sha256 = sha.FinalHex();
    for (char& c : facts->sha256) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (in.bad() || facts->sha256.empty()) {
        *error = "cannot hash the installer \"" + path + "\"" + (sha.Error().empty() ? "" : ": " + sha.Error());
        return false;
    }
    PeImage image;
    std::string problem;
    if (!ParsePeHeaders(reinterpret_cast<const uint8_t*>(head.data()), head.size(), &image, &problem) ||
        (image.machine != kPeMachineI386 && image.machine != kPeMachineAmd64)) {
        *error = "\"" + path + "\" is no installer for x86 or x64" + (problem.empty() ? "" : ": " + problem);
        return false;
    }
    facts->architecture = image.machine == kPeMachineI386 ? "x86" : "x64";
    PackageDirectory directory;
    uint32_t size = 0;
    const uint32_t offset = directory.Load(path.c_str()) ? directory.Find("A23", &size) : 0;
    std::string member(size, '\0'), ini;
    in.clear();
    if (offset == 0 || !in.seekg(offset) || !in.read(&member[0], size) || !Gunzip(member, &ini)) {
        *error = "\"" + path + "\" is no installer written by zembra-pack --product (no readable Zembra.ini)";
        return false;
    }
    facts->doc = ReadDoc(ini);
    return true;
}

std::string Header(const char* type, const std::string& installer) {
    const std::string name = installer.substr(installer.find_last_of("/\\") + 1);
    return "# Written by zembra-pack from " + name +
           ".\n# yaml-language-server: $schema=https://aka.ms/winget-manifest." + type + "." + kManifestVersion +
           ".schema.json\n\n";
}

std::string Footer(const char* type) {
    return std::string("ManifestType: ") + type + "\nManifestVersion: " + kManifestVersion + "\n";
}

}  // namespace

std::string WingetLocale(const std::string& languageCode) {
    static const char* const kLocales[][2] = {
        {"de", "de-DE"}, {"en", "en-US"}, {"fr", "fr-FR"}, {"es", "es-ES"}, {"it", "it-IT"}, {"nl", "nl-NL"},
        {"pt", "pt-PT"}, {"da", "da-DK"}, {"sv", "sv-SE"}, {"nb", "nb-NO"}, {"fi", "fi-FI"},
    };
    for (const auto& locale : kLocales)
        if (AnsiCompareNoCase(languageCode.c_str(), locale[0]) == 0) return locale[1];
    return "de-DE";
}

std::string PackageIdentifierProblem(const std::string& id) {
    if (id.size() > 128) return "is longer than 128 characters";
    size_t parts = 0;
    for (size_t start = 0; start <= id.size(); ++parts) {
        size_t dot = id.find('.', start);
        if (dot == std::string::npos) dot = id.size();
        if (dot == start || dot - start > 32) return "needs parts of 1 to 32 characters between its dots";
        for (size_t i = start; i < dot; ++i) {
            const unsigned char c = static_cast<unsigned char>(id[i]);
            if (c <= 0x20 || c == 0x7F || c == 0xA0 || std::strchr("\\/:*?\"<>|", c))
                return "holds a blank or one of \\ / : * ? \" < > |";
        }
        start = dot + 1;
    }
    if (parts < 2 || parts > 8) return "needs two to eight parts joined by dots, such as Maker.Product";
    return std::string();
}

std::string WingetUrlProblem(const std::string& url) {
    const bool https = url.compare(0, 8, "https://") == 0 || url.compare(0, 8, "HTTPS://") == 0;
    if (url.size() <= 8 || url.size() > 2048 || !https)
        return "--url must be the installer's https:// address (at most 2048 characters)";
    for (unsigned char c : url)
        if (c <= 0x20 || c >= 0x7F) return "--url must not hold blanks or characters outside ASCII";
    return std::string();
}

std::string WingetKeyProblem(const std::function<const std::string*(const char*)>& doc) {
    Doc keys;
    for (const char* key : {"PackageIdentifier", "ProName", "ProVersion", "Publisher", "License", "Description"})
        if (const std::string* value = doc(key)) keys[key] = *value;
    return KeyProblem(keys);
}

bool WriteWingetManifest(const std::string& installer, const WingetOptions& options, std::string* error,
                         const std::function<void(const std::string&)>& warning) {
    InstallerFacts facts;
    if (!ReadInstaller(installer, &facts, error)) return false;
    const Doc& doc = facts.doc;
    std::string problem = KeyProblem(doc);
    if (problem.empty()) problem = WingetUrlProblem(options.url);
    if (!problem.empty()) {
        *error = installer + ": " + problem;
        return false;
    }
    const auto value = [&doc](const char* key) {
        const std::string* v = Lookup(doc, key);
        return v ? *v : std::string();
    };
    const std::string id = value("PackageIdentifier"), appId = value("AppId");
    const std::string ids =
        "PackageIdentifier: " + Quoted(id) + "\nPackageVersion: " + Quoted(value("ProVersion")) + "\n";
    const bool entry = value("Uninstall") == "1";
    // Program Files, with the product's name or a folder of its own: a place only administrators write.
    const bool machine =
        value("TargetPath") == "2" && (value("TargetPathUser") == "0" || value("TargetPathUser") == "1");

    // The description's texts are in the product's main language, the first of Languages.
    const std::string languages = value("Languages");
    const std::string localeName = WingetLocale(languages.substr(0, languages.find_first_of(", ")));
    std::string version =
        Header("version", installer) + ids + "DefaultLocale: " + localeName + "\n" + Footer("version");
    std::string locale = Header("defaultLocale", installer) + ids + "PackageLocale: " + localeName + "\n" +
                         "Publisher: " + Quoted(value("Publisher")) + "\nPackageName: " + Quoted(value("ProName")) +
                         "\nLicense: " + Quoted(Value(doc, kKeys[3])) + "\nShortDescription: " +
                         Quoted(Value(doc, kKeys[4])) + "\n" + Footer("defaultLocale");
    std::string setup = Header("installer", installer) + ids + "InstallerType: exe\n";
    if (machine) setup += "Scope: machine\n";
    setup += "InstallModes:\n- interactive\n- silent\n- silentWithProgress\n"
             "InstallerSwitches:\n  Silent: \"/auto /quiet\"\n  SilentWithProgress: \"/auto\"\n";
    // The setup program refuses /DIR= for a product that keeps its folder.
    if (value("PathChange") != "0") setup += "  InstallLocation: \"/DIR=\\\"<INSTALLPATH>\\\"\"\n";
    setup += "  Log: \"/log=\\\"<LOGPATH>\\\"\"\nExpectedReturnCodes:\n";
    for (const auto& code : {std::make_pair(kRunCancelled, "cancelledByUser"),
                             std::make_pair(kRunAlreadyRunning, "installInProgress"),
                             std::make_pair(kRunRestartNeeded, "rebootRequiredToFinish")})
        setup += "- InstallerReturnCode: " + std::to_string(code.first) + "\n  ReturnResponse: " + code.second + "\n";
    if (entry && !appId.empty()) setup += "ProductCode: " + Quoted(appId) + "\n";
    if (entry) {
        setup += "AppsAndFeaturesEntries:\n- DisplayName: " + Quoted(value("ProName")) + "\n  DisplayVersion: " +
                 Quoted(value("ProVersion")) + "\n";
        if (!value("Publisher").empty()) setup += "  Publisher: " + Quoted(value("Publisher")) + "\n";
        if (!appId.empty()) setup += "  ProductCode: " + Quoted(appId) + "\n";
    }
    if (machine || (value("SecurityNTAuthority") != "" && value("SecurityNTAuthority") != "0"))
        setup += "ElevationRequirement: elevationRequired\n";
    setup += "Installers:\n- Architecture: " + facts.architecture + "\n  InstallerUrl: " + Quoted(options.url) +
             "\n  InstallerSha256: " + facts.sha256 + "\n" + Footer("installer");

    if (!entry)
        warning(installer + ": warning: the product makes no entry in the list of installed programs (Uninstall=1): "
                            "the package manager can neither tell that it is installed nor remove it");
    else if (appId.empty())
        warning(installer + ": warning: without [Product] AppId the manifest names no ProductCode: the package "
                            "manager finds the installed product by its name alone");

    std::error_code code;
    std::filesystem::create_directories(options.folder, code);
    const std::string base = options.folder + (options.folder.empty() || options.folder.back() == '/' ||
                                                       options.folder.back() == '\\' ? "" : "/") + id;
    return WriteWholeFile(base + ".yaml", version, ExistingFile::Replace, error) &&
           WriteWholeFile(base + ".installer.yaml", setup, ExistingFile::Replace, error) &&
           WriteWholeFile(base + ".locale." + localeName + ".yaml", locale, ExistingFile::Replace, error);
}

}  // namespace zembra
