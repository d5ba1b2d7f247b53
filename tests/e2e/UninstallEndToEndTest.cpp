// Whole removals under Wine: a product packed with Uninstall=1 is installed by its Setup.exe, whose
// setup program places UnZembra.exe beside the list of installed files and has it enter the product in
// the list of installed programs ("/register"). The entry is read as the system would, and its
// uninstall command is run as a deployment tool or a user would run it.
#include "install/ProductRecord.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"
#include "tests/win/support/UnixCommand.h"
#include "tools/pack/ProductPack.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

using testing_support::TempFolder;

namespace {

const char kUninstallKeys[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string WindowsPath(const std::string& path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// A value as text, DWORDs in decimal; "<none>" when missing.
std::string RegistryText(HKEY root, const std::string& key, const char* value) {
    std::vector<char> data(1 << 16);  // the restart's list grows with every test that uses it
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    if (RegGetValueA(root, key.c_str(), value, RRF_RT_REG_SZ | RRF_RT_REG_DWORD | RRF_RT_REG_MULTI_SZ, &type,
                     data.data(), &size) != ERROR_SUCCESS)
        return "<none>";
    if (type == REG_DWORD) return std::to_string(*reinterpret_cast<DWORD*>(data.data()));
    for (DWORD i = 0; i + 1 < size; ++i)
        if (!data[i]) data[i] = '|';
    return data.data();
}

// A Linux command line through the shell, and a bounded wait for its effect.
bool Shell(const std::string& command, const std::function<bool()>& done) {
    return unix_command::Run("/bin/sh -c \"" + command + "\"", done);
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// A link as the shell reads it: "target | arguments | working folder", empty when it cannot be read.
std::string ReadLink(const std::string& path) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH] = {};
    char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, folder[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                 reinterpret_cast<void**>(&link))) &&
                      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                      SUCCEEDED(file->Load(wide, STGM_READ)) &&
                      SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
                      SUCCEEDED(link->GetArguments(arguments, MAX_PATH)) &&
                      SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
    if (file) file->Release();
    if (link) link->Release();
    return read ? std::string(target) + " | " + arguments + " | " + folder : std::string();
}

std::string CommonFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

class UninstallEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        m_target = WindowsPath(m_root.Path("Ziel"));
        m_versionKey = "Software\\Zembra E2E Entfernen " + std::to_string(GetCurrentProcessId());
        m_entryKey = kUninstallKeys + (m_appId.empty() ? zembra::UninstallKeyName(m_target) : m_appId);
        std::filesystem::create_directories(m_root.Path("temp"));
        std::filesystem::create_directories(m_root.Path("produkt/daten"));
        m_root.Write("produkt/liesmich.txt", "Lies mich.\r\n");
        m_root.Write("produkt/daten/werte.csv", std::string(5000, '5'));
        const std::string runtime = WindowsPath(ZEMBRA_RUNTIME_DIR);
        std::filesystem::copy_file(runtime + "\\zv_1_2_3_4.dll", m_root.Path("produkt/werkzeug.dll"));
        m_root.Write("produkt/produkt.ini",
                     "[Product]\nProName=E2E Entfernen\nProVersion=3.1\nPublisher=Pr\xC3\xBC" "f GmbH\nUninstall=1\n"
                     "UpdateRegVersion=1\nRegVersion=HKEY_CURRENT_USER\\" + m_versionKey + "\\Produkt\\Version\n" +
                     (m_appId.empty() ? "" : "AppId=" + m_appId + "\n") +
                     "[Placement]\nTargetPath=2\nTargetPathUser=2\nTargetPathEx=" + m_target + "\n"
                     "[Files]\nwerkzeug.dll = <INSTALLDIR>\\Bin | 10000000\nliesmich.txt = <INSTALLDIR> | 10000000\n"
                     "daten/werte.csv = <INSTALLDIR>\\Daten | 10000000\n" + m_sections);
        zembra::ProductPackOptions options;
        options.description = m_root.Path("produkt/produkt.ini");
        options.runtimeFolder = runtime;
        options.output = m_root.Path("Setup.exe");
        std::string error;
        ASSERT_TRUE(zembra::PackProduct(options, &error)) << error;
        // The setup's and the uninstaller's working folders go to a temporary folder of the test's own.
        for (const char* name : {"TMP", "TEMP"}) {
            GetEnvironmentVariableA(name, m_temp[name[1] == 'E'], MAX_PATH);
            SetEnvironmentVariableA(name, m_root.Path("temp").c_str());
        }
    }

    void TearDown() override {
        SetEnvironmentVariableA("TMP", m_temp[0]);
        SetEnvironmentVariableA("TEMP", m_temp[1]);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_entryKey.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, m_versionKey.c_str());
    }

    // The installation; with Uninstall=1 the setup program places the uninstaller and its record in the
    // list folder and starts "UnZembra.exe /register" as it closes.
    void Install(const std::string& tail = "/auto") {
        gui::Process setup;
        ASSERT_TRUE(setup.Start(m_root.Path("Setup.exe"), tail, m_root.Path()));
        DWORD code = 99;
        EXPECT_TRUE(setup.WaitForExit(120000, &code));
        ASSERT_EQ(0u, code);
        ASSERT_TRUE(TempFolder::Exists(In("UnZembra.exe")));
        ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, m_entryKey)) << "UnZembra.exe /register made the entry";
    }

    // Runs a command line from the entry with a log; the exit code. A question, if one comes, is
    // declined (posted, so that nothing here waits for the other program).
    DWORD Run(const std::string& commandLine, bool decline) {
        const size_t end = commandLine.find('"', 1);
        gui::Process uninstall;
        if (!uninstall.Start(commandLine.substr(1, end - 1), commandLine.substr(end + 1) + " /log=\"" + m_log + "\"",
                             m_root.Path()))
            return 98;
        bool windowSeen = false;
        gui::WaitUntil([&] {
            const std::vector<HWND> windows = uninstall.Windows();
            windowSeen = windowSeen || !windows.empty();
            if (decline && !windows.empty()) gui::AnswerMessageBox(windows[0], IDNO);
            return !uninstall.Running();
        }, 60000, 10);
        DWORD code = 99;
        uninstall.WaitForExit(1000, &code);
        EXPECT_EQ(decline, windowSeen) << "windows only when asked for";
        return code;
    }

    std::string Entry(const char* value) const { return RegistryText(HKEY_LOCAL_MACHINE, m_entryKey, value); }
    std::string In(const std::string& name) const { return m_target + "\\" + name; }
    uintmax_t Size(const std::string& name) const { return std::filesystem::file_size(In(name)); }

    // Whatever is left of the product, links removed as themselves.
    void RemoveProduct() {
        Shell("rm -rf '" + unix_command::UnixPath(m_target) + "'", [&] { return !TempFolder::Exists(m_target); });
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_entryKey.c_str());
    }

    TempFolder m_root;
    std::string m_appId, m_sections;  // of the product, set before SetUp
    std::string m_target, m_versionKey, m_entryKey, m_log = m_root.Path("entfernen.log");
    char m_temp[2][MAX_PATH] = {};
};

TEST_F(UninstallEndToEnd, TheEntryNamesTheProductAndItsQuietCommandRemovesWhatWasInstalled) {
    Install();
    const std::string uninstaller = In("UnZembra.exe");
    struct Row {
        const char* value;
        std::string expected;
    } rows[] = {
        {"DisplayName", "E2E Entfernen"},
        {"DisplayVersion", "3.1"},
        {"Publisher", "Pr\xFC" "f GmbH"},
        {"InstallLocation", m_target},
        {"DisplayIcon", uninstaller},
        {"UninstallString", "\"" + uninstaller + "\""},
        {"QuietUninstallString", "\"" + uninstaller + "\" /auto /quiet"},
        {"EstimatedSize",
         std::to_string((5000 + 12 + Size("Bin\\werkzeug.dll") + Size("UnZembra.exe") + Size("UnZembra.dat") + 1023) / 1024)},
        {"NoModify", "1"},
        {"NoRepair", "1"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, Entry(r.value)) << r.value;
    EXPECT_EQ(8u, Entry("InstallDate").size()) << Entry("InstallDate");
    m_root.Write("Ziel/Daten/eigene.txt", "meins");  // the user's own file in a listed folder

    EXPECT_EQ(0u, Run(Entry("QuietUninstallString"), false));
    for (const char* name : {"UnZembra.exe", "UnZembra.dat", "UnZembra.ini", "liesmich.txt", "Bin", "Daten\\werte.csv"})
        EXPECT_FALSE(TempFolder::Exists(In(name))) << name;
    EXPECT_EQ("meins", TempFolder::Read(In("Daten\\eigene.txt"))) << "the user's file and its folders stay";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_entryKey)) << "the entry is gone";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, m_versionKey)) << "the value and the emptied keys it made are gone";
    const std::string written = TempFolder::Read(m_log);
    EXPECT_NE(std::string::npos, written.find("UnZembra.exe: Ordner bleibt, er enth\xC3\xA4lt weitere Dateien: " +
                                              In("Daten"))) << written;
    EXPECT_NE(std::string::npos, written.find("UnZembra.exe: Ende: Exitcode 0")) << written;
}

// A file that was there before the installation replaced it (a shared DLL, another product's file)
// belongs to somebody else: the product goes, that file stays, and the log says why.
TEST_F(UninstallEndToEnd, AFileThatWasThereBeforeTheInstallationStays) {
    std::filesystem::create_directories(m_target);
    ASSERT_FALSE(m_root.Write("Ziel/liesmich.txt", "schon vorher da").empty());
    Install();
    ASSERT_EQ("Lies mich.\r\n", TempFolder::Read(In("liesmich.txt"))) << "replaced by the installation";
    EXPECT_EQ(0u, Run(Entry("QuietUninstallString"), false));
    EXPECT_TRUE(TempFolder::Exists(In("liesmich.txt")));
    for (const char* name : {"UnZembra.exe", "UnZembra.ini", "Bin", "Daten"})
        EXPECT_FALSE(TempFolder::Exists(In(name))) << name;
    EXPECT_NE(std::string::npos, TempFolder::Read(m_log).find("UnZembra.exe: Bleibt, die Datei war schon vor der "
                                                              "Installation vorhanden: " + In("liesmich.txt")));
    RemoveProduct();
}

TEST_F(UninstallEndToEnd, AFolderGivenWithDirTakesTheWholeInstallationAndItsRemovalLeavesNothingItMade) {
    const std::string offered = m_target, top = WindowsPath(m_root.Path("Ebene 1"));
    m_target = top + "\\Ebene 2\\Ebene 3";
    m_entryKey = kUninstallKeys + zembra::UninstallKeyName(m_target);
    HKEY before = nullptr;  // there before the installation: it stays
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_versionKey.c_str(), 0, nullptr, 0, KEY_READ, nullptr,
                                             &before, nullptr));
    RegCloseKey(before);
    Install("/auto /DIR=\"" + m_target + "\"");
    EXPECT_EQ(m_target, Entry("InstallLocation"));
    EXPECT_FALSE(TempFolder::Exists(offered)) << "nothing went to the folder the package offered";

    EXPECT_EQ(0u, Run(Entry("QuietUninstallString"), false));
    EXPECT_FALSE(TempFolder::Exists(top)) << "all three levels the installation made are gone";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, m_versionKey + "\\Produkt"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, m_versionKey)) << "the key that was there before stays";
    const std::string written = TempFolder::Read(m_log);
    EXPECT_EQ(std::string::npos, written.find("Ordner bleibt")) << written;
}

// A folder outside the ANSI code page: its missing levels are made to get their short form, the entry
// names that form, the removal leaves nothing of them, and no copy of the uninstaller outlives it.
TEST_F(UninstallEndToEnd, AFolderOutsideTheCodePageGivenWithDirGoesWithTheUninstallerAndItsCopy) {
    namespace fs = std::filesystem;
    const std::wstring top = fs::path(m_root.Path()).wstring() + L"\u738B\u4F1F";
    const std::wstring folder = top + L"\\\u0418\u0432\u0430\u043D \u0141ukasz";
    gui::Process setup;
    ASSERT_TRUE(setup.Start(fs::path(m_root.Path("Setup.exe")).wstring(), L"/auto /quiet /DIR=\"" + folder + L"\"",
                            fs::path(m_root.Path()).wstring()));
    DWORD code = 99;
    EXPECT_TRUE(setup.WaitForExit(120000, &code));
    ASSERT_EQ(0u, code);
    std::ifstream installed(fs::path(folder + L"\\liesmich.txt"), std::ios::binary);
    EXPECT_EQ("Lies mich.\r\n", std::string(std::istreambuf_iterator<char>(installed), {}));
    installed.close();
    wchar_t shortForm[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameW(folder.c_str(), shortForm, MAX_PATH));
    m_target = WindowsPath(std::string(shortForm, shortForm + wcslen(shortForm)));  // Wine's are ASCII
    m_entryKey = kUninstallKeys + zembra::UninstallKeyName(m_target);
    EXPECT_EQ(m_target, Entry("InstallLocation"));

    EXPECT_EQ(0u, Run(Entry("QuietUninstallString"), false));
    EXPECT_FALSE(fs::exists(fs::path(top))) << "the levels made for their short form are gone as well";
    const std::string written = TempFolder::Read(m_log), moved = "Das Deinstallationsprogramm l\xC3\xA4uft weiter aus ";
    const size_t from = written.find(moved), to = written.find("\\UnZembra.exe", from);
    ASSERT_NE(std::string::npos, to) << written;
    const std::string parked = written.substr(from + moved.size(), to - from - moved.size());
    EXPECT_TRUE(gui::WaitUntil([&] { return !TempFolder::Exists(parked) && !TempFolder::Exists(parked + ".exe"); },
                               gui::kEventWaitMs))
        << parked << " and its short-lived copy are gone after the run";
}

TEST_F(UninstallEndToEnd, WhatStandsInTheWayDecidesTheExitCodeAndNothingUnlistedIsTouched) {
    namespace fs = std::filesystem;
    const std::string outside = WindowsPath(m_root.Path("anderswo"));
    HANDLE held = INVALID_HANDLE_VALUE;
    struct Row {
        const char* name;
        std::function<void()> before;
        bool interactive;
        DWORD code;
        std::vector<const char*> left;  // under the product folder afterwards
    } rows[] = {
        {"a file in use goes at the restart",
         [&] { held = CreateFileA(In("liesmich.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); },
         false, 3010, {"liesmich.txt"}},
        {"no list: nothing is removed", [&] { DeleteFileA(In("UnZembra.ini").c_str()); }, false, 1603,
         {"UnZembra.exe", "UnZembra.dat", "liesmich.txt", "Bin\\werkzeug.dll", "Daten\\werte.csv"}},
        {"declined: nothing is removed", [] {}, true, 1602,
         {"UnZembra.exe", "UnZembra.ini", "liesmich.txt", "Bin\\werkzeug.dll", "Daten\\werte.csv"}},
        {"a listed folder that became a link: its target stays whole",
         [&] {
             fs::create_directories(outside);
             m_root.Write("anderswo/werte.csv", "fremd");
             fs::remove_all(In("Daten"));
             ASSERT_TRUE(Shell("ln -s '" + unix_command::UnixPath(outside) + "' '" + unix_command::UnixPath(In("Daten")) +
                                   "'",
                               [&] { return TempFolder::Exists(In("Daten\\werte.csv")); }));
         },
         false, 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Install();
        r.before();
        const DWORD code = Run(Entry(r.interactive ? "UninstallString" : "QuietUninstallString"), r.interactive);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
        if (r.code == 0) {
            EXPECT_TRUE(code == 0 || code == 1603) << code << " (a link Wine cannot remove is reported)";
        } else {
            EXPECT_EQ(r.code, code);
        }
        for (const char* name : r.left) EXPECT_TRUE(TempFolder::Exists(In(name))) << name;
        if (r.interactive) {
            EXPECT_NE(std::string::npos, TempFolder::Read(m_log).find("Frage: M\xC3\xB6" "chten Sie E2E Entfernen 3.1 von "
                                                                      "Ihrem Computer entfernen?"));
        }
        if (r.code == 3010) {
            EXPECT_NE(std::string::npos,
                      RegistryText(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                                   "PendingFileRenameOperations").find(In("liesmich.txt")));
        }
        if (r.code == 0) {
            EXPECT_EQ("fremd", TempFolder::Read(outside + "\\werte.csv")) << "the link's target is whole";
        }
        RemoveProduct();
    }
}

// With an AppId and shortcuts: the entry's key is the AppId; the shortcuts, read back through the shell,
// lead to the installed files and go with the product, the Start menu's folder of the product too.
class UninstallWithAppIdEndToEnd : public UninstallEndToEnd {
protected:
    UninstallWithAppIdEndToEnd() {
        m_appId = "{7C3F0A12-5B6D-4E8F-9A1B-2C3D4E5F6071}";
        m_sections = "[Shortcuts]\nWerkzeug = <INSTALLDIR>\\Bin\\werkzeug.dll | /start \"mit Leerzeichen\"\n"
                     "Liesmich = <INSTALLDIR>\\liesmich.txt\n"
                     "[Desktop]\nE2E Entfernen = <INSTALLDIR>\\liesmich.txt | /zeigen\n";
    }
    void TearDown() override {
        std::filesystem::remove_all(m_menu);
        std::filesystem::remove(m_desktop + "\\E2E Entfernen.lnk");
        UninstallEndToEnd::TearDown();
    }
    const std::string m_menu = CommonFolder(CSIDL_COMMON_PROGRAMS) + "\\E2E Entfernen";
    const std::string m_desktop = CommonFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
};

TEST_F(UninstallWithAppIdEndToEnd, ShortcutsLeadToTheInstalledFilesAndGoWithTheEntryKeyedByTheAppId) {
    Install("/auto /quiet");
    EXPECT_EQ("E2E Entfernen", Entry("DisplayName"));
    const struct {
        std::string link, read;
    } rows[] = {
        {m_menu + "\\Werkzeug.lnk", In("Bin\\werkzeug.dll") + " | /start \"mit Leerzeichen\" | " + In("Bin")},
        {m_menu + "\\Liesmich.lnk", In("liesmich.txt") + " |  | " + m_target},
        {m_desktop + "\\E2E Entfernen.lnk", In("liesmich.txt") + " | /zeigen | " + m_target},
    };
    for (const auto& r : rows) EXPECT_EQ(r.read, ReadLink(r.link)) << r.link;
    EXPECT_EQ(0u, Run(Entry("QuietUninstallString"), false));
    for (const auto& r : rows) EXPECT_FALSE(TempFolder::Exists(r.link)) << r.link;
    EXPECT_FALSE(TempFolder::Exists(m_menu)) << "the product's folder in the Start menu";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_entryKey));
}

}  // namespace
