// zembra-pack's product mode: a description, a runtime folder and the product's files in, a sealed
// single-file installer out. Descriptions here are UTF-8 written with escapes, since this source is
// compiled to code page 1252.
#include "archive/PackageDirectory.h"
#include "archive/PackageSeal.h"
#include "tests/native/pack/ZlibInflate.h"
#include "tests/native/support/PeBuilder.h"
#include "tests/native/support/TempFolder.h"
#include "tools/pack/Cp1252.h"
#include "tools/pack/PackCommand.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using testing_support::BuildPe;
using testing_support::PeSpec;
using testing_support::TempFolder;

namespace {

using Ini = std::map<std::string, std::map<std::string, std::string>>;

// Sections of a profile text as the setup program reads it: "[name]" lines and key=value lines.
Ini ParseIni(const std::string& text) {
    Ini ini;
    std::string section;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos) ini[section][line.substr(0, equals)] = line.substr(equals + 1);
    }
    return ini;
}

struct Installer {
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> entries;  // key, decoded content, in package order
    std::string Entry(const std::string& key) const {
        for (const auto& e : entries)
            if (e.first == key) return e.second;
        return "<missing>";
    }
};

Installer Open(const std::string& path) {
    Installer installer;
    installer.bytes = TempFolder::Read(path);
    zembra::PackageDirectory directory;
    if (!directory.Load(path.c_str())) return installer;
    for (size_t i = 0; i < directory.EntryCount(); ++i) {
        const zembra::PackageEntryInfo e = directory.Entry(i);
        installer.entries.emplace_back(e.key, Inflate(installer.bytes.substr(e.offset, e.size)));
    }
    return installer;
}

const std::string kGif("GIF89a\x64\0\x32\0-picture-2", 20);  // 100 x 50

class ProductPackTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_folder.Path("runtime"));
        std::filesystem::create_directories(m_folder.Path("product/bin"));
        std::filesystem::create_directories(m_folder.Path("product/daten"));
        PeSpec start, setup, library;
        start.appended.clear();
        setup.high = 0x00010000;
        library.dll = true;
        m_folder.Write("runtime/ZembraStart.exe", BuildPe(start));
        m_folder.Write("runtime/ZembraSetup.exe", BuildPe(setup));
        m_folder.Write("runtime/zembra1.dll", BuildPe(library));
        m_program.high = 0x00020005;  // 2.5.0.17
        m_program.low = 0x00000011;
        m_folder.Write("product/bin/tool.exe", BuildPe(m_program));
        m_folder.Write("product/liesmich.txt", "Lies mich\r\n");
        m_folder.Write("product/daten/werte.csv", std::string(70000, '7'));
        m_folder.Write("product/t1.rtf", "{\\rtf1 Willkommen}");
        m_folder.Write("product/t3.rtf", "{\\rtf1 Fertig}");
        m_folder.Write("product/gfx1.bmp", "BM-picture-1");
        m_folder.Write("product/gfx2.gif", kGif);
    }

    static std::string Description() {
        return "; demo\n"
               "[Product]\n"
               "ProName = Werkzeug\n"
               "ProVersion = 2.5\n"
               "UpdateRegVersion = 1\n"
               "RegVersion = HKEY_CURRENT_USER\\Software\\Werkzeug\\Version\n"
               "\n"
               "[Layout]\n"
               "DlgWidth=560\n"
               "Pic1Width=180\n"
               "Pic1Height=330\n"
               "\n"
               "[Placement]\n"
               "TargetPath=2\n"
               "TargetPathUser=1\n"
               "\n"
               "[Texts]\n"
               "0 = Das Paket fehlt.\n"
               "10 = Ordner:\\t[1]\\nDatei:\\t[2]\n"
               "13 = Installieren\n"
               "\n"
               "[Pages]\n"
               "1 = t1.rtf\n"
               "3 = t3.rtf\n"
               "\n"
               "[Pictures]\n"
               "1 = gfx1.bmp\n"
               "2 = gfx2.gif\n"
               "\n"
               "[Files]\n"
               "bin/tool.exe = <INSTALLDIR>\\Bin | 11001111\n"
               "liesmich.txt = <INSTALLDIR> | 11000000\n"
               "daten/werte.csv = <INSTALLDIR>\\Daten | 11100000 | Werte.csv\n";
    }

    // Runs zembra-pack in product mode on the description; the exit code, with its messages in m_err.
    int Pack(const std::string& description, const std::string& output = "Setup.exe",
             std::vector<std::string> extra = {}, bool terminal = false) {
        m_folder.Write("product/product.ini", description);
        std::vector<std::string> args = {"--product", m_folder.Path("product/product.ini"), "--runtime",
                                         m_folder.Path("runtime"), "-o", m_folder.Path(output)};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out;
        m_err.str("");
        return zembra::RunPackCommand(args, out, m_err, terminal);
    }

    TempFolder m_folder;
    PeSpec m_program;
    std::ostringstream m_err;
};

TEST_F(ProductPackTest, ManifestMatchesTheFiles) {
    ASSERT_EQ(0, Pack(Description())) << m_err.str();
    const Installer installer = Open(m_folder.Path("Setup.exe"));
    const Ini ini = ParseIni(installer.Entry("A23"));
    const auto& doc = ini.at("Doc");

    struct Row {
        const char* source;
        const char* flags;
        const char* name;
        const char* folder;
        bool version;
    } rows[] = {
        {"product/bin/tool.exe", "11001111", "tool.exe", "<INSTALLDIR>\\Bin", true},
        {"product/liesmich.txt", "11000000", "liesmich.txt", "<INSTALLDIR>", false},
        {"product/daten/werte.csv", "11100000", "Werte.csv", "<INSTALLDIR>\\Daten", false},
    };
    uint64_t total = 0;
    for (size_t i = 0; i < 3; ++i) {
        const Row& r = rows[i];
        const auto& file = ini.at("PFile" + std::to_string(i));
        const std::string content = TempFolder::Read(m_folder.Path(r.source));
        total += content.size();
        EXPECT_EQ(r.flags, file.at("FFlags")) << r.source;
        EXPECT_EQ(r.name, file.at("FName")) << r.source;
        EXPECT_EQ(r.folder, file.at("FDir")) << r.source;
        EXPECT_EQ(std::to_string(content.size()), file.at("FSize")) << r.source;
        EXPECT_EQ(content, installer.Entry(file.at("FPName"))) << r.source << ": the packed entry";
        EXPECT_EQ(r.version ? 1u : 0u, file.count("Vers1")) << r.source;
        if (r.version) {
            EXPECT_EQ(std::to_string(m_program.high), file.at("Vers1"));
            EXPECT_EQ(std::to_string(m_program.low), file.at("Vers2"));
        }
    }
    EXPECT_EQ("3", doc.at("FileCount"));
    EXPECT_EQ(std::to_string(total), doc.at("DataSize"));
    EXPECT_EQ(0u, ini.count("PFile3"));
}

TEST_F(ProductPackTest, UninstallPutsTheUninstallerAndItsRecordFirstIntoTheListFolder) {
    m_folder.Write("runtime/UnZembra.exe", BuildPe(PeSpec()));
    std::string text = Description();
    text.replace(text.find("UpdateRegVersion"), 0, "Uninstall = 1\nPublisher = B\xC3\xBCro GmbH\n");
    ASSERT_EQ(0, Pack(text)) << m_err.str();
    const Installer installer = Open(m_folder.Path("Setup.exe"));
    const Ini ini = ParseIni(installer.Entry("A23"));
    const std::string record = "; The uninstaller's product record, written by zembra-pack.\r\n[Product]\r\n"
                               "Name=Werkzeug\r\nVersion=2.5\r\nPublisher=B\xFCro GmbH\r\n"
                               "RegVersion=HKEY_CURRENT_USER\\Software\\Werkzeug\\Version\r\n";
    struct Row {
        const char* section;
        const char* name;
        const char* flags;
        std::string content;
        const char* params;
    } rows[] = {
        {"PFile0", "UnZembra.exe", "10000111", TempFolder::Read(m_folder.Path("runtime/UnZembra.exe")), "/register"},
        {"PFile1", "UnZembra.dat", "10000000", record, nullptr},
        {"PFile2", "tool.exe", "11001111", TempFolder::Read(m_folder.Path("product/bin/tool.exe")), nullptr},
    };
    for (const Row& r : rows) {
        const auto& file = ini.at(r.section);
        EXPECT_EQ(r.name, file.at("FName")) << r.section;
        EXPECT_EQ(r.flags, file.at("FFlags")) << r.section;
        EXPECT_EQ(r.content, installer.Entry(file.at("FPName"))) << r.section;
        EXPECT_EQ(std::to_string(r.content.size()), file.at("FSize")) << r.section;
        EXPECT_EQ(r.params ? r.params : "<none>", file.count("FParams") ? file.at("FParams") : "<none>") << r.section;
    }
    EXPECT_EQ("<LISTDIR>", ini.at("PFile0").at("FDir"));
    EXPECT_EQ("<LISTDIR>", ini.at("PFile1").at("FDir"));
    EXPECT_EQ("5", ini.at("Doc").at("FileCount"));
}

TEST_F(ProductPackTest, InstallerHoldsTheRuntimeThePagesAndPicturesInUnpackOrder) {
    ASSERT_EQ(0, Pack(Description())) << m_err.str();
    const Installer installer = Open(m_folder.Path("Setup.exe"));
    std::vector<std::string> keys;
    for (const auto& e : installer.entries) keys.push_back(e.first);
    EXPECT_EQ((std::vector<std::string>{"LOCK", "A10", "A20", "A21", "A23", "A11", "A12", "A13", "ZEMBRA1", "P0", "P1",
                                        "P2"}),
              keys);
    const std::string start = TempFolder::Read(m_folder.Path("runtime/ZembraStart.exe"));
    EXPECT_EQ(start, installer.bytes.substr(0, start.size())) << "the extractor comes first";
    EXPECT_EQ(TempFolder::Read(m_folder.Path("runtime/ZembraSetup.exe")), installer.Entry("A10"));
    EXPECT_EQ(TempFolder::Read(m_folder.Path("runtime/zembra1.dll")), installer.Entry("ZEMBRA1"));
    EXPECT_EQ(kGif, installer.Entry("A21"));
    EXPECT_EQ("{\\rtf1 Fertig}", installer.Entry("A13"));
    zembra::MemoryPackageSource source(installer.bytes.data(), installer.bytes.size());
    EXPECT_EQ(zembra::SealStatus::Intact, zembra::CheckPackageSeal(source));
    zembra::PackageTail tail;
    zembra::SealStatus status;
    ASSERT_TRUE(zembra::ReadPackageTail(source, &tail, &status));
    EXPECT_EQ(0u, tail.text.rfind("Werkzeug 2.5 sha256:", 0)) << tail.text;
}

TEST_F(ProductPackTest, DescriptionReachesZembraIniInCodePage1252) {
    std::string text = Description();
    text.replace(text.find("ProVersion"), 0,
                 "Text = B\xC3\xBCro-Werkzeug\nSecurityNTAuthority = 2\nStartEplorer=1\n");
    text.replace(text.find("13 = "), 0,
                 "1 = Wirklich abbrechen?\\nAlles bleibt, wie es war.\n"
                 "3 = \\n ist gesperrt. \\\\ nochmal? C:\\Pfad\n"
                 "17 = Gr\xC3\xB6\xC3\x9F" "e 5 \xE2\x82\xAC\n");
    ASSERT_EQ(0, Pack(text)) << m_err.str();
    const Installer installer = Open(m_folder.Path("Setup.exe"));
    const Ini ini = ParseIni(installer.Entry("A23"));
    const auto& doc = ini.at("Doc");
    struct Row {
        const char* key;
        std::string value;
    } rows[] = {
        {"ProName", "Werkzeug"},
        {"ProVersion", "2.5"},
        {"SecurityNTAuthority", "2"},
        {"StartEplorer", "1"},
        {"UpdateRegVersion", "1"},
        {"RegVersion", "HKEY_CURRENT_USER\\Software\\Werkzeug\\Version"},
        {"DlgWidth", "560"},
        {"Pic1Width", "180"},
        {"Pic1Height", "330"},
        {"TargetPath", "2"},
        {"TargetPathUser", "1"},
        {"Text0", "Das Paket fehlt."},
        {"Text1", "Wirklich abbrechen?\x06" "Alles bleibt, wie es war."},
        {"Text3", "\x06 ist gesperrt. \\ nochmal? C:\\Pfad"},
        {"Text10", "Ordner:\t[1]\x06" "Datei:\t[2]"},
        {"Text17", "Gr\xF6\xDF" "e 5 \x80"},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(1u, doc.count(r.key)) << r.key;
        EXPECT_EQ(r.value, doc.at(r.key)) << r.key;
    }
    EXPECT_EQ(0u, doc.count("Text")) << "the trailer text is no key of Zembra.ini";
    zembra::MemoryPackageSource source(installer.bytes.data(), installer.bytes.size());
    zembra::PackageTail tail;
    zembra::SealStatus status;
    ASSERT_TRUE(zembra::ReadPackageTail(source, &tail, &status));
    EXPECT_EQ(0u, tail.text.rfind("B\xFCro-Werkzeug sha256:", 0)) << tail.text;
}

TEST_F(ProductPackTest, OneSourceInTwoFoldersIsPackedOnce) {
    std::string text = Description();
    text += "liesmich.txt = <INSTALLDIR>\\Doku | 10000000\n";
    ASSERT_EQ(0, Pack(text)) << m_err.str();
    const Installer installer = Open(m_folder.Path("Setup.exe"));
    const Ini ini = ParseIni(installer.Entry("A23"));
    EXPECT_EQ(ini.at("PFile1").at("FPName"), ini.at("PFile3").at("FPName"));
    EXPECT_EQ("4", ini.at("Doc").at("FileCount"));
    EXPECT_EQ(12u, installer.entries.size()) << "no second entry for the same file";
}

TEST_F(ProductPackTest, SameInputGivesTheSameInstaller) {
    ASSERT_EQ(0, Pack(Description(), "first.exe")) << m_err.str();
    ASSERT_EQ(0, Pack(Description(), "second.exe")) << m_err.str();
    EXPECT_EQ(TempFolder::Read(m_folder.Path("first.exe")), TempFolder::Read(m_folder.Path("second.exe")));
}

TEST_F(ProductPackTest, IniOptionWritesTheComputedZembraIni) {
    ASSERT_EQ(0, Pack(Description(), "Setup.exe", {"--ini", m_folder.Path("Zembra.ini")})) << m_err.str();
    EXPECT_EQ(Open(m_folder.Path("Setup.exe")).Entry("A23"), TempFolder::Read(m_folder.Path("Zembra.ini")));
}

TEST_F(ProductPackTest, EveryBadInputIsRefusedAndWritesNothing) {
    auto replaced = [](const std::string& from, const std::string& to) {
        std::string text = Description();
        const size_t at = text.find(from);
        EXPECT_NE(std::string::npos, at) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    auto added = [](const std::string& lines) { return Description() + lines; };
    auto uninstalling = [&](const std::string& placement) {  // with the uninstaller, placed as given
        std::string text = replaced("UpdateRegVersion = 1", "UpdateRegVersion = 1\nUninstall = 1");
        return text.replace(text.find("TargetPath=2"), 12, placement);
    };
    struct Row {
        const char* name;
        std::string description;
        std::function<void(TempFolder&)> prepare;
        const char* message;
        std::vector<std::string> extra{};
    } rows[] = {
        {"unknown section", added("[Extras]\nx=1\n"), nullptr, "unknown section [Extras]"},
        {"section twice", added("[Layout]\nPic2Width=5\n"), nullptr, "section [Layout] appears a second time"},
        {"key before any section", "ProName=x\n" + Description(), nullptr, "a key before the first [section]"},
        {"line without equals sign", replaced("Pic1Width=180", "Pic1Width 180"), nullptr, "expected KEY = VALUE"},
        {"unclosed section header", replaced("[Layout]", "[Layout"), nullptr, "must end with ']'"},
        {"unknown key", replaced("Pic1Width=180", "PicWidth=180"), nullptr, "unknown key PicWidth in [Layout]"},
        {"key twice", replaced("Pic1Width=180", "Pic1Width=180\nPic1Width=10"), nullptr, "a second time"},
        {"number out of range", replaced("UpdateRegVersion = 1", "UpdateRegVersion = 1\nSecurityNTAuthority = 3"),
         nullptr, "SecurityNTAuthority must be a whole number from 0 to 2"},
        {"no number", replaced("DlgWidth=560", "DlgWidth=wide"), nullptr, "DlgWidth must be a whole number"},
        {"negative number", replaced("DlgWidth=560", "DlgWidth=-5"), nullptr, "DlgWidth must be a whole number"},
        {"unknown registry root", replaced("HKEY_CURRENT_USER\\Software", "HKEY_NOWHERE\\Software"), nullptr,
         "unknown registry root"},
        {"registry path without backslash", replaced("HKEY_CURRENT_USER\\Software\\Werkzeug\\Version", "Version"),
         nullptr, "is not a registry path"},
        {"text number 18", replaced("13 = Installieren", "18 = zu viel"), nullptr,
         "text number 18 is out of range"},
        {"text number not a number", replaced("13 = Installieren", "x = Installieren"), nullptr,
         "text number x is out of range"},
        {"negative text number", replaced("13 = Installieren", "-1 = Installieren"), nullptr,
         "text number -1 is out of range"},
        {"page number 4", replaced("3 = t3.rtf", "4 = t3.rtf"), nullptr, "page number 4 is out of range"},
        {"picture number 0", replaced("1 = gfx1.bmp", "0 = gfx1.bmp"), nullptr, "picture number 0 is out of range"},
        {"page without a file", replaced("3 = t3.rtf", "3 ="), nullptr, "page 3 names no file"},
        {"character outside code page 1252", replaced("ProVersion = 2.5", "ProVersion = 2\xE2\x86\x92" "5"), nullptr,
         "U+2192"},
        {"invalid UTF-8", replaced("ProVersion = 2.5", "ProVersion = 2\xFC" "5"), nullptr, "not UTF-8"},
        {"control character in a value", replaced("ProVersion = 2.5", "ProVersion = 2\x1A" "5"), nullptr,
         "control characters"},
        {"FFlags of seven characters", replaced("11000000\n", "1100000\n"), nullptr,
         "FFlags \"1100000\" must be eight characters 0 or 1"},
        {"FFlags of nine characters", replaced("11000000\n", "110000001\n"), nullptr, "must be eight characters"},
        {"FFlags with a 2", replaced("11000000\n", "11000002\n"), nullptr, "must be eight characters"},
        {"file line without flags", added("liesmich.txt = <INSTALLDIR>\\X\n"), nullptr,
         "expected SOURCE = FOLDER | FLAGS [| NAME]"},
        {"file line with four parts", added("liesmich.txt = <INSTALLDIR>\\X | 10000000 | a | b\n"), nullptr,
         "expected SOURCE = FOLDER | FLAGS [| NAME]"},
        {"placeholder in small letters", replaced("<INSTALLDIR>\\Bin", "<installdir>\\Bin"), nullptr,
         "write <INSTALLDIR> in capitals"},
        {"unknown placeholder", replaced("<INSTALLDIR>\\Bin", "<PROGRAMS>\\Bin"), nullptr,
         "unknown placeholder <PROGRAMS>"},
        {"placeholder inside the folder", replaced("<INSTALLDIR>\\Bin", "C:\\<INSTALLDIR>\\Bin"), nullptr,
         "must stand at the start"},
        {"relative folder", replaced("<INSTALLDIR>\\Bin", "Bin"), nullptr, "must begin with <INSTALLDIR>"},
        {"empty folder", replaced("<INSTALLDIR>\\Bin", ""), nullptr, "the target folder is empty"},
        {"network folder", replaced("<INSTALLDIR>\\Bin", "\\\\server\\share"), nullptr, "network paths"},
        {"folder with a star", replaced("<INSTALLDIR>\\Bin", "<INSTALLDIR>\\B*n"), nullptr, "refuses in paths"},
        {"file name with a colon", replaced("| Werte.csv", "| We:rte.csv"), nullptr, "holds a character Windows refuses"},
        {"two files, one target", added("daten/werte.csv = <INSTALLDIR> | 11000000 | LIESMICH.TXT\n"), nullptr,
         "goes to the same target as \"liesmich.txt\" (line 32)"},
        {"two files, one target written differently", added("liesmich.txt = <INSTALLDIR>\\\\Daten\\ | 10000000 | werte.CSV\n"),
         nullptr, "goes to the same target"},
        {"missing source file", added("fehlt.txt = <INSTALLDIR> | 11000000\n"), nullptr, "\"fehlt.txt\" cannot be opened"},
        {"version comparison without a version", replaced("11000000\n", "11001000\n"), nullptr,
         "has no version resource, but its flags ask to compare versions"},
        {"no product name", replaced("ProName = Werkzeug\n", ""), nullptr, "ProName is missing"},
        {"registry version without a registry path", replaced("RegVersion = HKEY_CURRENT_USER\\Software\\Werkzeug\\Version\n", ""),
         nullptr, "UpdateRegVersion=1 needs RegVersion"},
        {"folder from the registry without an entry", replaced("TargetPath=2", "TargetPath=1"), nullptr,
         "TargetPath=1 needs RegEntry"},
        {"explicit folder without a folder", replaced("TargetPathUser=1", "TargetPathUser=2"), nullptr,
         "TargetPathUser=2 needs TargetPathEx"},
        {"no files", Description().substr(0, Description().find("[Files]")), nullptr, "[Files] lists no file"},
        {"page that is no RTF", Description(), [](TempFolder& f) { f.Write("product/t3.rtf", "plain text"); },
         "page 3 \"t3.rtf\" is not an RTF file"},
        {"missing page", replaced("3 = t3.rtf", "3 = t4.rtf"), nullptr, "page 3 \"t4.rtf\" cannot be read"},
        {"picture that is no picture", Description(), [](TempFolder& f) { f.Write("product/gfx2.gif", "PNG?"); },
         "is not a BMP, JPEG or GIF picture"},
        {"runtime without zembra1.dll", Description(),
         [](TempFolder& f) { std::filesystem::remove(f.Path("runtime/zembra1.dll")); }, "lacks zembra1.dll"},
        {"runtime of two architectures", Description(),
         [](TempFolder& f) {
             PeSpec spec;
             spec.machine = 0x14C;
             spec.plus = false;
             f.Write("runtime/ZembraSetup.exe", BuildPe(spec));
         },
         "mixes architectures: ZembraStart.exe is 64-bit (x86-64), ZembraSetup.exe is 32-bit (x86)"},
        {"runtime library that is no DLL", Description(),
         [](TempFolder& f) { f.Write("runtime/zembra1.dll", BuildPe(PeSpec())); }, "zembra1.dll\" is not a DLL"},
        {"runtime program that is no program", Description(),
         [](TempFolder& f) { f.Write("runtime/ZembraStart.exe", "MZ but nothing else"); }, "not a Windows program"},
        {"trailer text too long", replaced("ProVersion = 2.5", "ProVersion = 2.5\nText=" + std::string(184, 'x')),
         nullptr, "at most 183 fit beside the seal"},
        {"placement value too long", replaced("TargetPathUser=1", "TargetSubDir=" + std::string(512, 's')), nullptr,
         "TargetSubDir is longer than 511 bytes"},
        {"uninstaller without the list file", replaced("UpdateRegVersion = 1", "Uninstall = 1"), nullptr,
         "Uninstall=1 needs UpdateRegVersion=1"},
        {"uninstaller missing from the runtime", replaced("UpdateRegVersion = 1", "UpdateRegVersion = 1\nUninstall = 1"),
         nullptr, "lacks UnZembra.exe"},
        {"AppId that is no GUID", replaced("ProVersion", "AppId = 12345\nProVersion"), nullptr,
         "AppId \"12345\" is no GUID"},
        {"package identifier of one part", replaced("ProVersion", "PackageIdentifier = Werkzeug\nProVersion"), nullptr,
         "needs two to eight parts"},
        {"shortcut to a folder of its own kind", added("[Desktop]\nWerkzeug = Bin\\tool.exe\n"), nullptr,
         "must begin with <INSTALLDIR>"},
        {"two shortcuts of one name", added("[Shortcuts]\nA = <INSTALLDIR>\\a.exe\na = <INSTALLDIR>\\b.exe\n"), nullptr,
         "shortcut \"a\" is named like the one in line 35"},
        {"a manifest without its identifier", Description(), nullptr, "PackageIdentifier is missing",
         {"--winget", "w", "--url", "https://example.com/Setup.exe"}},
        {"a file in the uninstaller's place",
         replaced("UpdateRegVersion = 1", "UpdateRegVersion = 1\nUninstall = 1") + "liesmich.txt = <INSTALLDIR> | 10000000 | unzembra.dat\n",
         [](TempFolder& f) { f.Write("runtime/UnZembra.exe", BuildPe(PeSpec())); }, "is the uninstaller's own name"},
        {"uninstaller in the temporary folder", uninstalling("TargetPath=0"), nullptr,
         ":6: Uninstall=1 needs TargetPath 1 or 2: with TargetPath=0 (line 15) the list"},
        {"uninstaller in the temporary folder that TargetPathTemp implies", uninstalling("TargetPathTemp=1"), nullptr,
         ":6: Uninstall=1 needs TargetPath 1 or 2: with TargetPath=0, which TargetPathTemp implies,"},
        {"a language zembra-pack does not know", replaced("ProVersion = 2.5", "ProVersion = 2.5\nLanguages = de, xx"),
         nullptr, ":5: Languages: \"xx\" is no language zembra-pack knows"},
        {"a language named twice", replaced("ProVersion = 2.5", "ProVersion = 2.5\nLanguages = en, de, EN"), nullptr,
         ":5: Languages: \"EN\" is no language zembra-pack knows, or is named twice"},
        {"texts of a language Languages does not list", added("[Texts.en]\n13 = Install\n"), nullptr,
         ":34: [Texts.en] or [Pages.en] is for a language that [Product] Languages does not list"},
        {"pages of a language nobody knows", added("[Pages.xx]\n1 = t1.rtf\n"), nullptr,
         ":34: unknown language \"xx\" in [Pages.xx]"},
        {"the main language's texts as a further one's",
         replaced("ProVersion = 2.5", "ProVersion = 2.5\nLanguages = en, de") + "[Texts.en]\n13 = Install\n", nullptr,
         ":35: [Texts.en] or [Pages.en] is for the main language en"},
        {"a further language's page that is no RTF",
         replaced("ProVersion = 2.5", "ProVersion = 2.5\nLanguages = de, en") + "[Pages.en]\n1 = gfx1.bmp\n", nullptr,
         "page 1 of en \"gfx1.bmp\" is not an RTF file"},
    };
    for (const Row& r : rows) {
        SetUp();  // a fresh runtime and product after rows that damaged them
        if (r.prepare) r.prepare(m_folder);
        m_folder.Write("Setup.exe", "the installer of yesterday");
        EXPECT_EQ(1, Pack(r.description, "Setup.exe", r.extra)) << r.name;
        EXPECT_NE(std::string::npos, m_err.str().find(r.message)) << r.name << ": " << m_err.str();
        EXPECT_TRUE(TempFolder::Read(m_folder.Path("Setup.exe")) == "the installer of yesterday") << r.name;
        EXPECT_FALSE(TempFolder::Exists(m_folder.Path("Setup.exe.partial"))) << r.name;
    }
}

TEST_F(ProductPackTest, MissingDescriptionOrBadCommandLineIsRefused) {
    std::ostringstream out, err;
    EXPECT_EQ(1, zembra::RunPackCommand({"--product", m_folder.Path("none.ini"), "--runtime", m_folder.Path("runtime"),
                                         "-o", m_folder.Path("Setup.exe")},
                                        out, err));
    EXPECT_NE(std::string::npos, err.str().find("cannot read the product description")) << err.str();
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } rows[] = {
        {"no runtime", {"--product", "p.ini", "-o", "Setup.exe"}, "no runtime folder given"},
        {"no output", {"--product", "p.ini", "--runtime", "bin"}, "no installer given"},
        {"no description", {"--product"}, "--product needs a value"},
        {"bad level", {"--product", "p.ini", "--level", "x"}, "--level needs a number"},
        {"plain entries mixed in", {"--product", "p.ini", "--gzip", "A", "b"}, "unknown argument \"--gzip\""},
        {"manifest without address", {"--product", "p.ini", "--runtime", "b", "-o", "S", "--winget", "w"},
         "go together"},
        {"manifest with a plain http address",
         {"--product", "p.ini", "--runtime", "b", "-o", "S", "--winget", "w", "--url", "http://example.com/S.exe"},
         "--url must be the installer's https:// address"},
        {"a first description in no known language", {"--init", "p.ini", "--from", "f", "--lang", "xx"},
         "--lang xx is no language zembra-pack knows"},
    };
    for (const Row& r : rows) {
        std::ostringstream o, e;
        EXPECT_EQ(2, zembra::RunPackCommand(r.args, o, e)) << r.name;
        EXPECT_NE(std::string::npos, e.str().find(r.message)) << r.name << ": " << e.str();
    }
}

TEST_F(ProductPackTest, ProgressShowsOnATerminalOrWhenAsked) {
    struct Row {
        const char* name;
        bool terminal;
        std::vector<std::string> extra;
        bool shown;
        bool lines;  // whole lines rather than one line redrawn
    } rows[] = {
        {"not a terminal", false, {}, false, false},
        {"not a terminal, asked for", false, {"--progress"}, true, true},
        {"a terminal", true, {}, true, false},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(0, Pack(Description(), "Setup.exe", r.extra, r.terminal)) << r.name << m_err.str();
        const std::string err = m_err.str();
        EXPECT_EQ(r.shown, err.find("100%") != std::string::npos) << r.name << ": " << err;
        if (r.shown) {
            EXPECT_EQ(r.lines, err.find('\r') == std::string::npos) << r.name;
        }
    }
}

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

TEST_F(ProductPackTest, LeftOutPartsGetDefaultsAndWhatIsWrittenWins) {
    struct Row {
        const char* name;
        std::string written;  // lines after ProName, sections included
        const char* key;
        std::string expected;
    } rows[] = {
        {"version of the program", "", "ProVersion", "2.5"},
        {"demo's dialog width", "", "DlgWidth", "600"},
        {"demo's page height", "", "Pic1Height", "320"},
        {"demo's picture column", "", "Pic1Width", "170"},
        {"demo's progress band", "", "Pic2Height", "80"},
        {"Program Files", "", "TargetPath", "2"},
        {"folder named after the product", "", "TargetPathUser", "1"},
        {"text naming the product", "", "Text14", "Bitte warten Sie, w\xE4hrend Werkzeug installiert wird \x85"},
        {"text with line break", "", "Text0", "Das Installationspaket von Werkzeug wurde nicht gefunden.\x06" "Die Installation wird beendet."},
        {"status line", "", "Text10", "Ordner:\t[1]\x06" "Datei:\t[2]\x06" "Gr\xF6\xDF" "e:\t[3] Bytes"},
        {"written version", "ProVersion = 3.1\n", "ProVersion", "3.1"},
        {"wider dialog, taller page", "[Layout]\nDlgWidth = 900\n", "Pic1Height", "480"},
        {"wider dialog, wider column", "[Layout]\nDlgWidth = 900\n", "Pic1Width", "255"},
        {"taller page, wider dialog", "[Layout]\nPic1Height = 400\n", "DlgWidth", "750"},
        {"taller page, taller band", "[Layout]\nPic1Height = 400\n", "Pic2Height", "100"},
        {"temporary folder asked for", "[Placement]\nTargetPathTemp = 1\n", "TargetPath", "0"},
        {"explicit folder", "[Placement]\nTargetPathEx = C:\\Ziel\n", "TargetPathUser", "2"},
        {"subfolder of Program Files", "[Placement]\nTargetSubDir = Firma\\Werkzeug\n", "TargetPathUser", "0"},
        {"empty text stays empty", "[Texts]\n13 =\n", "Text13", ""},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(0, Pack("[Product]\nProName = Werkzeug\n" + r.written + "[Files]\nbin/tool.exe = <INSTALLDIR> | 10000000\n"))
            << r.name << ": " << m_err.str();
        const Ini ini = ParseIni(Open(m_folder.Path("Setup.exe")).Entry("A23"));
        EXPECT_EQ(r.expected, ini.at("Doc").count(r.key) ? ini.at("Doc").at(r.key) : "<none>") << r.name;
    }
    ASSERT_EQ(0, Pack("[Product]\nProName = Werkzeug\n[Files]\nbin/tool.exe = <INSTALLDIR> | 10000000\n"));
    const Installer installer = Open(m_folder.Path("Setup.exe"));
    for (const char* page : {"A11", "A12", "A13"}) {
        EXPECT_EQ(0u, installer.Entry(page).rfind("{\\rtf1", 0)) << page;
        EXPECT_NE(std::string::npos, installer.Entry(page).find("Werkzeug")) << page;
    }
    const std::string pic1 = installer.Entry("A20"), pic2 = installer.Entry("A21");
    EXPECT_EQ("BM 170x320 BM 120x80 <missing>",
              pic1.substr(0, 2) + " " + std::to_string(Le32(pic1, 18)) + "x" + std::to_string(Le32(pic1, 22)) + " " +
                  pic2.substr(0, 2) + " " + std::to_string(Le32(pic2, 18)) + "x" + std::to_string(Le32(pic2, 22)) +
                  " " + installer.Entry("A22"))
        << "the last page shows picture 1";
}

TEST_F(ProductPackTest, EachLanguageGetsItsTextsAndPagesWhereTheSetupProgramFindsThem) {
    m_folder.Write("product/t1en.rtf", "{\\rtf1 Welcome}");
    m_folder.Write("runtime/UnZembra.exe", BuildPe(PeSpec()));
    const std::string files = "[Files]\nbin/tool.exe = <INSTALLDIR> | 10000000\n";
    const std::string uninstall =
        "UpdateRegVersion = 1\nUninstall = 1\nRegVersion = HKEY_CURRENT_USER\\Software\\W\\V\n";
    struct Row {
        const char* name;
        std::string description;
        const char* languages;  // the entry LANG, [Doc] Languages and the record's, "" where absent
        std::map<std::string, std::string> doc;    // [Doc] texts of the main language
        std::map<std::string, std::string> other;  // [Texts.en]
        std::map<std::string, const char*> pages;  // a word each page holds
    } rows[] = {
        {"German alone, as before",
         "[Product]\nProName = Werkzeug\n" + uninstall + files,
         "",
         {{"Text13", "Installieren"}},
         {},
         {{"A11", "Willkommen bei Werkzeug"}, {"A13", "Fertig!"}}},
        {"English alone, without texts",
         "[Product]\nProName = Werkzeug\nLanguages = en\n" + uninstall + files,
         "en",
         {{"Text13", "Install"}, {"Text14", "Please wait while Werkzeug is being installed \x85"}},
         {},
         {{"A11", "Welcome to Werkzeug"}, {"A12", "Werkzeug is being installed"}, {"A13", "Click \\b Close"}}},
        {"German and English, one text and one page written",
         "[Product]\nProName = Werkzeug\nLanguages = de, en\n" + uninstall +
             "[Texts.en]\n13 = Install now\n[Pages.en]\n1 = t1en.rtf\n" + files,
         "de,en",
         {{"Text13", "Installieren"}},
         {{"Text13", "Install now"}, {"Text12", "Cancel"}},
         {{"A11", "Willkommen"},
          {"A11.en", "Welcome}"},
          {"A12.en", "being installed"},
          {"A13.en", "Click \\b Close\\b0  to end the setup."}}},
        {"French first, with English defaults",
         "[Product]\nProName = Werkzeug\nLanguages = fr, en\n" + uninstall + files,
         "fr,en",
         {{"Text12", "Cancel"}},
         {{"Text12", "Cancel"}},
         {{"A11", "Welcome"}, {"A11.en", "Welcome"}}},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(0, Pack(r.description)) << r.name << ": " << m_err.str();
        const Installer installer = Open(m_folder.Path("Setup.exe"));
        const Ini ini = ParseIni(installer.Entry("A23"));
        const Ini record = ParseIni(installer.Entry("U1"));
        const auto value = [](const Ini& in, const char* section) {
            return in.at(section).count("Languages") ? in.at(section).at("Languages") : "<missing>";
        };
        const std::string expected = *r.languages ? r.languages : "<missing>";
        zembra::PackageDirectory directory;  // the entry is stored, for the extractor to read as it is
        uint32_t size = 0,
                 offset = directory.Load(m_folder.Path("Setup.exe").c_str()) ? directory.Find("LANG", &size) : 0;
        EXPECT_EQ(expected, offset ? installer.bytes.substr(offset, size) : "<missing>") << r.name;
        EXPECT_EQ(expected, value(ini, "Doc")) << r.name;
        EXPECT_EQ(expected, value(record, "Product")) << r.name;
        for (const auto& text : r.doc)
            EXPECT_EQ(text.second, ini.at("Doc").at(text.first)) << r.name << " " << text.first;
        EXPECT_EQ(r.other.empty() ? 0u : 1u, ini.count("Texts.en")) << r.name;
        for (const auto& text : r.other)
            EXPECT_EQ(text.second, ini.at("Texts.en").at(text.first)) << r.name << " " << text.first;
        for (const auto& page : r.pages)
            EXPECT_NE(std::string::npos, installer.Entry(page.first).find(page.second)) << r.name << " " << page.first;
        size_t furtherPages = 0;  // only a further language has pages beside A11 to A13
        for (const auto& entry : installer.entries)
            furtherPages += entry.first.rfind("A1", 0) == 0 && entry.first.size() > 3;
        EXPECT_EQ(r.other.empty() ? 0u : 3u, furtherPages) << r.name;
    }
}

TEST_F(ProductPackTest, WhatLooksUnintendedIsPackedWithOneWarningEach) {
    ASSERT_EQ(0, Pack(Description())) << m_err.str();
    EXPECT_EQ(std::string::npos, m_err.str().find("warning")) << m_err.str();
    std::string big(54, '\0');
    big.replace(0, 2, "BM");
    big.replace(14, 1, "\x28");  // a 40-byte header
    big.replace(18, 8, std::string("\xE8\x03\0\0\xE8\x03\0\0", 8));  // 1000 x 1000
    m_folder.Write("product/gfx1.bmp", big);
    std::string text = Description();
    text.replace(text.find("13 = Installieren"), 17, "13 = Installieren [1] in <INSTALLDIR>");
    text.replace(text.find("| 11000000\n"), 11, "| 11000100\n");
    text += "[Shortcuts]\nFehlt = <INSTALLDIR>\\fehlt.exe\nWerkzeug = <INSTALLDIR>\\bin\\TOOL.EXE\n";
    ASSERT_EQ(0, Pack(text)) << m_err.str();
    const std::string err = m_err.str();
    const char* const expected[] = {
        "product.ini:32: warning: \"liesmich.txt\" is to be started after the installation (flag 6), but it is no program",
        "product.ini:20: warning: text 13 holds [1], <INSTALLDIR>, which the setup program shows as written: in this "
        "text it fills in no placeholder",
        "product.ini:27: warning: picture 1 \"gfx1.bmp\" is 1000 x 1000 pixels, much larger than the 180 x 330",
        "product.ini:35: warning: shortcut \"Fehlt\" points to <INSTALLDIR>\\fehlt.exe, which no line of [Files] "
        "installs",
    };
    for (const char* warning : expected) EXPECT_NE(std::string::npos, err.find(warning)) << warning << "\n" << err;
    EXPECT_EQ(4, std::count(err.begin(), err.end(), '\n')) << err;
}

#ifndef _WIN32
// The package manager's manifest validates against its published schemas and names the very installer
// it was written from, also when written again from the installer signed since.
TEST_F(ProductPackTest, WingetManifestValidatesAndHoldsTheHashOfItsInstaller) {
    m_folder.Write("runtime/UnZembra.exe", BuildPe(PeSpec()));
    PeSpec start;
    start.appended.assign(10000, 'x');  // an installer long enough for a signature behind its package
    m_folder.Write("runtime/ZembraStart.exe", BuildPe(start));
    std::string text = Description();
    text.replace(text.find("UpdateRegVersion"), 0,
                 "Uninstall = 1\nPublisher = B\xC3\xBCro GmbH\nPackageIdentifier = Buero.Werkzeug\n"
                 "AppId = {0F1E2D3C-4B5A-4978-8796-A5B4C3D2E1F0}\n");
    const std::string folder = m_folder.Path("winget"), url = "https://example.com/Setup.exe";
    ASSERT_EQ(0, Pack(text, "Setup.exe", {"--winget", folder, "--url", url})) << m_err.str();
    const auto validate = [&](const std::string& installer) {
        const std::string command = "python3 " ZEMBRA_SOURCE_DIR "/tests/native/pack/validate-winget.py " ZEMBRA_SOURCE_DIR
                                    "/../shared/winget '" + folder + "' Buero.Werkzeug '" + installer + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const int result = validate(m_folder.Path("Setup.exe"));
    if (result == 77) GTEST_SKIP() << "no schemas in ../shared/winget or no jsonschema and PyYAML for python3";
    EXPECT_EQ(0, result);
    const std::string installer = TempFolder::Read(m_folder.Path("winget/Buero.Werkzeug.installer.yaml"));
    for (const char* line :
         {"ProductCode: \"{0F1E2D3C-4B5A-4978-8796-A5B4C3D2E1F0}\"", "Architecture: x64", "Scope: machine"})
        EXPECT_NE(std::string::npos, installer.find(line)) << line << "\n" << installer;
    m_folder.Write("Signed.exe", TempFolder::Read(m_folder.Path("Setup.exe")) + std::string(2048, 'S'));
    std::ostringstream out, err;
    ASSERT_EQ(0, zembra::RunPackCommand(
                     {"--winget-only", m_folder.Path("Signed.exe"), "--winget", folder, "--url", url}, out, err))
        << err.str();
    EXPECT_EQ(0, validate(m_folder.Path("Signed.exe")));
    EXPECT_TRUE(TempFolder::Exists(folder + "/Buero.Werkzeug.locale.de-DE.yaml"));

    // The default locale is the product's main language.
    std::filesystem::remove_all(folder);
    text.replace(text.find("Uninstall = 1"), 0, "Languages = en, de\n");
    ASSERT_EQ(0, Pack(text, "Setup.exe", {"--winget", folder, "--url", url})) << m_err.str();
    EXPECT_EQ(0, validate(m_folder.Path("Setup.exe")));
    EXPECT_NE(std::string::npos, TempFolder::Read(folder + "/Buero.Werkzeug.yaml").find("DefaultLocale: en-US"));
}
#endif

TEST_F(ProductPackTest, InitWritesADescriptionThatPacksAsItStands) {
    namespace fs = std::filesystem;
    std::ofstream(fs::path(m_folder.Path("product/daten")) / fs::u8path("Gr\xC3\xB6\xC3\x9F" "en.txt")) << "S M L";
    std::ostringstream out, err;
    ASSERT_EQ(0, zembra::RunPackCommand({"--init", m_folder.Path("init.ini"), "--from", m_folder.Path("product"),
                                         "--name", "Werkzeug"}, out, err)) << err.str();
    ASSERT_EQ(0, zembra::RunPackCommand({"--product", m_folder.Path("init.ini"), "--runtime", m_folder.Path("runtime"),
                                         "-o", m_folder.Path("Setup.exe")}, out, err)) << err.str();
    EXPECT_EQ("", err.str());
    const Ini ini = ParseIni(Open(m_folder.Path("Setup.exe")).Entry("A23"));
    std::map<std::string, std::string> files;  // FName -> FDir | FFlags
    for (int i = 0; ini.count("PFile" + std::to_string(i)); ++i) {
        const auto& file = ini.at("PFile" + std::to_string(i));
        files[file.at("FName")] = file.at("FDir") + " | " + file.at("FFlags");
    }
    EXPECT_EQ(8u, files.size());
    EXPECT_EQ("<INSTALLDIR>\\bin | 10001000", files["tool.exe"]) << "a program with a version";
    EXPECT_EQ("<INSTALLDIR>\\daten | 10000000", files["Gr\xF6\xDF" "en.txt"]) << "a name with umlauts, in code page 1252";
    EXPECT_EQ("<INSTALLDIR> | 10000000", files["liesmich.txt"]);
    EXPECT_EQ("2.5", ini.at("Doc").at("ProVersion"));
    EXPECT_EQ("<INSTALLDIR>\\bin\\tool.exe", ini.at("Shortcuts").at("Target0")) << "the main program in the Start menu";
    EXPECT_EQ(38u, ini.at("Doc").at("AppId").size()) << "a fresh GUID";
    EXPECT_EQ(0u, ini.at("Doc").count("Languages")) << "German needs no list";

    ASSERT_EQ(0, zembra::RunPackCommand({"--init", m_folder.Path("en.ini"), "--from", m_folder.Path("product"),
                                         "--name", "Tool", "--lang", "EN"},
                                        out, err))
        << err.str();
    ASSERT_EQ(0, zembra::RunPackCommand({"--product", m_folder.Path("en.ini"), "--runtime", m_folder.Path("runtime"),
                                         "-o", m_folder.Path("Setup.exe")}, out, err)) << err.str();
    const Ini english = ParseIni(Open(m_folder.Path("Setup.exe")).Entry("A23"));
    EXPECT_EQ("en", english.at("Doc").at("Languages"));
    EXPECT_EQ("Install", english.at("Doc").at("Text13"));
    EXPECT_NE(std::string::npos, TempFolder::Read(m_folder.Path("en.ini")).find("; 13 = Install\n"))
        << "its defaults shown";
}

TEST_F(ProductPackTest, InitRefusesWhatWouldNotPackAndWritesNothing) {
    namespace fs = std::filesystem;
    struct Row {
        const char* name;
        std::vector<const char*> files;  // UTF-8 names in a fresh folder
        std::string productName;
        bool descriptionExists;
        const char* message;
    } rows[] = {
        {"existing description", {"a.txt"}, "P", true, "exists already; zembra-pack does not replace it"},
        {"empty folder", {}, "P", false, "holds no file to install"},
        {"file name outside the code page", {"x\xE2\x86\x92y.txt"}, "P", false, "holds U+2192, which the setup's code page"},
        {"product name outside the code page", {"a.txt"}, "a\xE2\x86\x92" "b", false, "the product name"},
        {"equals sign in a path", {"a=b.txt"}, "P", false, "holds '='"},
#ifndef _WIN32
        {"names that differ in letter case", {"A.txt", "a.txt"}, "P", false, "differ only in letter case"},
#endif
    };
    for (const Row& r : rows) {
        TempFolder folder;
        fs::create_directories(folder.Path("f"));
        for (const char* file : r.files) std::ofstream(fs::path(folder.Path("f")) / fs::u8path(file)) << "x";
        if (r.descriptionExists) folder.Write("init.ini", "mine");
        std::ostringstream out, err;
        EXPECT_EQ(1, zembra::RunPackCommand({"--init", folder.Path("init.ini"), "--from", folder.Path("f"), "--name",
                                             r.productName}, out, err)) << r.name;
        EXPECT_NE(std::string::npos, err.str().find(r.message)) << r.name << ": " << err.str();
        EXPECT_EQ(r.descriptionExists ? "mine" : "", TempFolder::Read(folder.Path("init.ini"))) << r.name;
        EXPECT_FALSE(TempFolder::Exists(folder.Path("init.ini.partial"))) << r.name;
    }
}

TEST_F(ProductPackTest, InitNamesEveryNameItCannotCarryInOneRun) {
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::create_directories(folder.Path("f/unter"));
    for (const char* file : {"x\xE2\x86\x92y.txt", "unter/a=b.txt", "gut.txt"})
        std::ofstream(fs::path(folder.Path("f")) / fs::u8path(file)) << "x";
    std::ostringstream out, err;
    EXPECT_EQ(1, zembra::RunPackCommand({"--init", folder.Path("init.ini"), "--from", folder.Path("f"), "--name",
                                         "a\xE2\x86\x92" "b"}, out, err));
    for (const char* part : {"3 problems", "the product name", "holds U+2192", "a=b.txt\" holds '='"})
        EXPECT_NE(std::string::npos, err.str().find(part)) << part << ": " << err.str();
    EXPECT_FALSE(TempFolder::Exists(folder.Path("init.ini")));
}

#ifndef _WIN32
// Sizes the setup program reads as signed 32-bit numbers; sparse files make them cheaply.
TEST_F(ProductPackTest, SizesBeyondWhatTheSetupCountsAreRefused) {
    struct Row {
        const char* name;
        std::vector<uint64_t> sizes;
        const char* message;
    } rows[] = {
        {"one file of 2 GB", {0x80000000ull}, "larger than the 2 GB the setup program counts"},
        {"two files adding up beyond 2 GB", {0x40000000ull, 0x40000000ull}, "more than the 2147483647"},
    };
    for (const Row& r : rows) {
        std::string text = Description();
        for (size_t i = 0; i < r.sizes.size(); ++i) {
            const std::string name = "gross" + std::to_string(i) + ".dat";
            m_folder.Write("product/" + name, "");
            std::filesystem::resize_file(m_folder.Path("product/" + name), r.sizes[i]);
            text += name + " = <INSTALLDIR> | 10000000\n";
        }
        EXPECT_EQ(1, Pack(text)) << r.name;
        EXPECT_NE(std::string::npos, m_err.str().find(r.message)) << r.name << ": " << m_err.str();
    }
}
#endif

TEST(Cp1252, ConvertsWhatTheCodePageHolds) {
    struct Row {
        const char* name;
        std::string utf8;
        std::string cp1252;  // "<bad>" when refused
    } rows[] = {
        {"ASCII", "Setup 1.0", "Setup 1.0"},
        {"umlauts and sharp s", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F", "\xE4\xF6\xFC\xC4\xD6\xDC\xDF"},
        {"euro sign and typographic quotes", "\xE2\x82\xAC \xE2\x80\x9E" "a\xE2\x80\x9C", "\x80 \x84" "a\x93"},
        {"last Latin-1 letter", "\xC3\xBF", "\xFF"},
        {"arrow, not in the code page", "\xE2\x86\x92", "<bad>"},
        {"C1 control, undefined in the code page", "\xC2\x81", "<bad>"},
        {"overlong encoding", "\xC0\xAF", "<bad>"},
        {"cut sequence", "\xC3", "<bad>"},
        {"surrogate", "\xED\xA0\x80", "<bad>"},
        {"Latin-1 byte that is no UTF-8", "\xE4", "<bad>"},
    };
    for (const Row& r : rows) {
        std::string out;
        size_t bad = 99;
        const bool ok = zembra::Utf8ToCp1252(r.utf8, &out, &bad);
        EXPECT_EQ(r.cp1252 != "<bad>", ok) << r.name;
        if (ok) {
            EXPECT_EQ(r.cp1252, out) << r.name;
        } else {
            EXPECT_EQ(0u, bad) << r.name;
        }
    }
}

}  // namespace
