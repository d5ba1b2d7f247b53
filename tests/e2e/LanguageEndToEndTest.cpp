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

// A visible dialog that holds a control of that id: the overwrite question, whatever its caption.
HWND VisibleDialogWith(int id) {
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (gui::ClassName(window) == "#32770" && gui::IsVisible(window) && GetDlgItem(window, s->id))
                s->found = window;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class LanguageRun : public testing::Test {
protected:
    // An installer of one file into Ziel, with the given lines in [Product].
    std::string Installer(const std::string& name, const std::string& product, const char* flags = "10000000") {
        m_root.Write("a.txt", "neu a");
        m_root.Write(name + ".ini", "[Product]\nProName=Sprachen\nProVersion=1.0\n" + product +
                                        "[Placement]\nTargetPath=2\nTargetPathUser=2\nTargetPathEx=" +
                                        m_root.Path("Ziel") + "\n[Files]\na.txt = <INSTALLDIR> | " + flags + "\n");
        zembra::ProductPackOptions options;
        options.description = m_root.Path(name + ".ini");
        options.runtimeFolder = WindowsPath(ZEMBRA_RUNTIME_DIR);
        options.output = m_root.Path(name + ".exe");
        std::string error;
        EXPECT_TRUE(zembra::PackProduct(options, &error)) << error;
        return options.output;
    }

    // Starts program with tail in a Wine process whose locale is locale; its log goes to run.log.
    void Start(const std::string& program, const std::string& tail, const char* locale) {
        std::filesystem::remove(m_root.Path("run.log"));
        m_program = program.substr(program.find_last_of('\\') + 1);
        unix_command::Run("/bin/sh -c \"cd '" + unix_command::UnixPath(m_root.Path()) + "' && LANG=" + locale +
                              " LC_ALL=" + locale + " exec /usr/bin/wine '" + unix_command::UnixPath(program) +
                              "' " + tail + " /log='" + m_root.Path("run.log") + "' >/dev/null 2>&1 &\"",
                          [] { return true; });
    }
    // The log, once the program has written its last line (or the wait is over).
    std::string LogAtEnd() {
        const std::string log = m_root.Path("run.log");
        gui::WaitUntil([&] { return TempFolder::Read(log).find(m_program + ": End") != std::string::npos; },
                       kRunTimeoutMs);
        return TempFolder::Read(log);
    }
    std::string Run(const std::string& program, const std::string& tail, const char* locale) {
        Start(program, tail, locale);
        return LogAtEnd();
    }

    TempFolder m_root;
    std::string m_program;
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
    const std::string setup = Installer("Setup",
                                        "Languages = en\nUpdateRegVersion = 1\nUninstall = 1\n"
                                        "RegVersion = HKEY_CURRENT_USER\\Software\\Zembra Sprachen\\Version\n");
    Run(setup, "/auto /quiet", "de_DE.UTF-8");
    ASSERT_TRUE(TempFolder::Exists(m_root.Path("Ziel/UnZembra.exe")));
    const std::string log = Run(m_root.Path("Ziel\\UnZembra.exe"), "/quiet", "de_DE.UTF-8");
    for (const std::string& line : {"UnZembra.exe: Removed: " + m_root.Path("Ziel\\a.txt"),
                                    std::string("UnZembra.exe: End: exit code 0 after")})
        EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
    EXPECT_FALSE(TempFolder::Exists(m_root.Path("Ziel/a.txt")));
}

// What only the dialog shows: the further language's page and texts, the About box and the overwrite
// question's choices.
TEST_F(LanguageRun, TheDialogOfAnEnglishRunShowsTheLanguagesPageAndTheProgramsOwnWords) {
    constexpr int kInstall = 1047, kFirstPage = 1048, kLastPage = 1050, kChoice0 = 1052, kConfirm = 1056;
    std::filesystem::create_directories(m_root.Path("Ziel"));
    m_root.Write("Ziel/a.txt", "alt");
    Start(Installer("Setup", "Languages = de, en\n", "11000000"), "", "en_US.UTF-8");
    HWND dialog = nullptr;
    ASSERT_TRUE(gui::WaitUntil(
        [&] { return (dialog = FindWindowA(nullptr, "Sprachen V1.0")) && gui::IsVisible(dialog); }, kRunTimeoutMs));
    EXPECT_EQ("Install", gui::WindowText(GetDlgItem(dialog, kInstall)));
    EXPECT_EQ("Cancel", gui::WindowText(GetDlgItem(dialog, IDCANCEL)));
    EXPECT_NE(std::string::npos, gui::WindowText(GetDlgItem(dialog, kFirstPage)).find("Welcome to Sprachen 1.0"));

    PostMessageA(dialog, WM_SYSCOMMAND, 0x0010, 0);
    HWND about = nullptr;
    ASSERT_TRUE(gui::WaitUntil([&] { return (about = FindWindowA(nullptr, "About NyZembraSetup")) != nullptr; },
                               gui::kEventWaitMs));
    std::string lines;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        lines += gui::WindowText(child) + "|";
    EXPECT_NE(std::string::npos, lines.find("|Installs programs from a Zembra package.|")) << lines;
    ASSERT_TRUE(gui::AnswerMessageBox(about, IDOK));

    gui::Click(dialog, kInstall);
    HWND question = nullptr;
    ASSERT_TRUE(gui::WaitUntil([&] { return (question = VisibleDialogWith(kChoice0)) != nullptr; }, gui::kEventWaitMs))
        << TempFolder::Read(m_root.Path("run.log"));
    std::string choices;
    for (int id = kChoice0; id < kChoice0 + 4; ++id) choices += gui::WindowText(GetDlgItem(question, id)) + "|";
    EXPECT_EQ("Overwrite|Overwrite all|Do not overwrite|Overwrite none|", choices);
    DWORD_PTR ignored = 0;  // a click the radio button sees, so that it is checked
    SendMessageTimeoutA(GetDlgItem(question, kChoice0 + 2), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
    EXPECT_EQ("Do not overwrite", gui::WindowText(GetDlgItem(question, kConfirm))) << "the product's text 7";
    gui::Click(question, kConfirm);
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::IsVisible(GetDlgItem(dialog, kLastPage)); }, kRunTimeoutMs));
    EXPECT_EQ("Close", gui::WindowText(GetDlgItem(dialog, IDCANCEL)));
    gui::Click(dialog, IDCANCEL);
    const std::string log = LogAtEnd();
    for (const std::string& line : {"Zembra.exe: Question: The file " + m_root.Path("Ziel\\a.txt") +
                                        " already exists. | Do you want to overwrite it? Answer: Do not overwrite",
                                    "Zembra.exe: Kept, not overwritten: " + m_root.Path("Ziel\\a.txt")})
        EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
    EXPECT_EQ("alt", TempFolder::Read(m_root.Path("Ziel/a.txt")));
}

}  // namespace
