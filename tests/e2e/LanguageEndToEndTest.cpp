// The run's language end to end: Setup.exe and UnZembra.exe started as Wine starts a program of the
// user, with the Windows UI language that the locale gives it (en_US and C: English, de_DE: German). A
// program started by another one under Wine keeps its parent's UI language whatever its environment
// says, so each run is a Wine process of its own, started from a shell with LANG and LC_ALL set here.
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"
#include "tests/win/support/UnixCommand.h"
#include "tools/pack/ProductPack.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <vector>

using testing_support::TempFolder;

namespace {

constexpr DWORD kRunTimeoutMs = 120000;

std::string WindowsPath(const char* path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return full;
}

class LanguageRun : public testing::Test {
protected:
    // An installer of one file into Ziel, with the given lines in [Product] and after it.
    std::string Installer(const std::string& name, const std::string& product, const std::string& more = "") {
        m_root.Write("a.txt", "neu a");
        m_root.Write(name + ".ini", "[Product]\nProName=Sprachen\nProVersion=1.0\n" + product +
                                        "[Placement]\nTargetPath=2\nTargetPathUser=2\nTargetPathEx=" +
                                        m_root.Path("Ziel") + "\n" + more + "[Files]\na.txt = <INSTALLDIR> | 10000000\n");
        zembra::ProductPackOptions options;
        options.description = m_root.Path(name + ".ini");
        options.runtimeFolder = WindowsPath(ZEMBRA_RUNTIME_DIR);
        options.output = m_root.Path(name + ".exe");
        std::string error;
        EXPECT_TRUE(zembra::PackProduct(options, &error)) << error;
        return options.output;
    }

    // Runs program with tail in a Wine process whose locale is locale, until its log ends; the log.
    std::string Run(const std::string& program, const std::string& tail, const char* locale) {
        const std::string log = m_root.Path("run.log");
        std::filesystem::remove(log);
        const std::string name = program.substr(program.find_last_of('\\') + 1);
        unix_command::Run("/bin/sh -c \"cd '" + unix_command::UnixPath(m_root.Path()) + "' && LANG=" + locale +
                              " LC_ALL=" + locale + " exec /usr/bin/wine '" + unix_command::UnixPath(program) +
                              "' " + tail + " /log='" + log + "' >/dev/null 2>&1\"",
                          [&] { return TempFolder::Read(log).find(name + ": End") != std::string::npos; }, kRunTimeoutMs);
        return TempFolder::Read(log);
    }

    TempFolder m_root;
};

TEST_F(LanguageRun, SetupSpeaksTheLanguageOfSwitchOrWindowsThatTheProductHas) {
    struct Row {
        const char* name;
        const char* languages;  // [Product] Languages
        const char* locale;
        const char* tail;
        std::vector<std::string> logged;  // UTF-8
    } rows[] = {
        {"English Windows, a product of both", "de, en", "en_US.UTF-8", "/auto /quiet",
         {"Setup.exe: Checksum of the installation package is correct", "Zembra.exe: Installed (5 bytes): ",
          "Zembra.exe: End: exit code 0 after", "Setup.exe: End: exit code 0 after"}},
        {"German Windows, a product of both", "de, en", "de_DE.UTF-8", "/auto /quiet",
         {"Setup.exe: Pr\xC3\xBC" "fsumme des Installationspakets in Ordnung", "Zembra.exe: Installiert (5 Bytes): ",
          "Setup.exe: Ende: Exitcode 0 nach"}},
        {"the switch before Windows", "de, en", "de_DE.UTF-8", "/auto /quiet /LANG=en",
         {"Setup.exe: Checksum of the installation package is correct", "Zembra.exe: Installed (5 bytes): "}},
        {"a switch for a language the product lacks", "en, de", "C.UTF-8", "/auto /quiet /LANG=fr",
         {"Setup.exe: This product does not come in the language fr (/LANG=); it speaks en, de.",
          "Zembra.exe: Installed (5 bytes): "}},
        {"German alone on English Windows, as before", "", "C.UTF-8", "/auto /quiet",
         {"Zembra.exe: Installiert (5 Bytes): ", "Setup.exe: Ende: Exitcode 0 nach"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::filesystem::remove_all(m_root.Path("Ziel"));
        const std::string setup =
            Installer("Setup", *r.languages ? "Languages = " + std::string(r.languages) + "\n" : std::string());
        const std::string log = Run(setup, r.tail, r.locale);
        for (const std::string& line : r.logged) EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
        EXPECT_EQ("neu a", TempFolder::Read(m_root.Path("Ziel/a.txt")));
    }
}

TEST_F(LanguageRun, ADamagedInstallerOfAnEnglishProductStopsInEnglish) {
    std::string bytes = TempFolder::Read(Installer("Setup", "Languages = en\n"));
    bytes[bytes.size() / 2] ^= 0x01;  // inside the setup program's entry
    m_root.Write("Damaged.exe", bytes);
    const std::string log = Run(m_root.Path("Damaged.exe"), "/auto /quiet", "de_DE.UTF-8");
    for (const char* line : {"Damaged.exe: Message (not shown): The installation package is damaged: | ",
                             " | Its checksum does not match its contents. Nothing was installed. Please obtain the "
                             "file again.",
                             "Damaged.exe: End: exit code 12 after"})
        EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
    EXPECT_FALSE(TempFolder::Exists(m_root.Path("Ziel/a.txt")));
}

TEST_F(LanguageRun, TheUninstallerSpeaksTheLanguageOfItsRecord) {
    const std::string setup = Installer("Setup", "Languages = en\nUpdateRegVersion = 1\nUninstall = 1\n"
                                                 "RegVersion = HKEY_CURRENT_USER\\Software\\Zembra Sprachen\\Version\n");
    Run(setup, "/auto /quiet", "de_DE.UTF-8");
    ASSERT_TRUE(TempFolder::Exists(m_root.Path("Ziel/UnZembra.exe")));
    const std::string log = Run(m_root.Path("Ziel\\UnZembra.exe"), "/quiet", "de_DE.UTF-8");
    for (const std::string& line : {"UnZembra.exe: Removed: " + m_root.Path("Ziel\\a.txt"),
                                    std::string("UnZembra.exe: End: exit code 0 after")})
        EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
    EXPECT_FALSE(TempFolder::Exists(m_root.Path("Ziel/a.txt")));
}

}  // namespace
