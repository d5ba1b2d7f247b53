// Unattended deployment as a software-distribution tool runs it: Setup.exe /auto /quiet /log=FILE with
// a question pending. No window of the installer's processes may ever appear; the exit code and the
// log tell what became of each file.
#include "framework/WideText.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"
#include "tests/win/support/UnixCommand.h"
#include "tools/pack/ProductPack.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

using testing_support::TempFolder;

namespace {

// The process and every process it started, also those that ended meanwhile and left children.
std::set<DWORD> ProcessTree(DWORD root) {
    std::set<DWORD> tree = {root};
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return tree;
    for (size_t before = 0; before != tree.size();) {
        before = tree.size();
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
            if (tree.count(entry.th32ParentProcessID)) tree.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return tree;
}

// Class and title of every top-level window, shown or not, that a process of the tree owns.
std::set<std::string> TreeWindows(const std::set<DWORD>& tree) {
    struct Search {
        const std::set<DWORD>* tree;
        std::set<std::string> found;
    } search = {&tree, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            // The title as the system keeps it: no message to a process that may be ending.
            char title[256] = {};
            GetWindowTextA(window, title, sizeof title);
            if (s->tree->count(pid)) s->found.insert(gui::ClassName(window) + " \"" + title + "\"");
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Wine's own helper windows, which every process with a message queue gets.
bool WineHelperWindow(const std::string& window) {
    return window.rfind("IME ", 0) == 0 || window.rfind("Message ", 0) == 0 ||
           window.rfind("OleMainThreadWndClass ", 0) == 0;
}

std::string WindowsPath(const char* path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return full;
}

class UnattendedRun : public testing::Test {
protected:
    UnattendedRun() {
        std::filesystem::create_directories(m_root.Path("temp"));
        std::filesystem::create_directories(m_root.Path("Ziel"));
        m_root.Write("a.txt", "neu a");
        m_root.Write("b.dll", "neu b");
        m_root.Write("c.dat", "neu c");
        std::filesystem::copy_file(WindowsPath(ZEMBRA_RUNTIME_DIR) + "\\standin-setup.exe", m_root.Path("prog.exe"));
        m_root.Write("prog.ini", "[StandIn]\nExitCode=7\n");  // the exit code of prog.exe
        GetEnvironmentVariableA("TMP", m_tmp, MAX_PATH);
        GetEnvironmentVariableA("TEMP", m_temp, MAX_PATH);
        SetEnvironmentVariableA("TMP", m_root.Path("temp").c_str());
        SetEnvironmentVariableA("TEMP", m_root.Path("temp").c_str());
        DWORD size = sizeof m_pending;
        m_pendingSize = RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, kPending, RRF_RT_REG_MULTI_SZ, nullptr,
                                     m_pending, &size) == ERROR_SUCCESS ? size : 0;
    }
    ~UnattendedRun() override {
        SetEnvironmentVariableA("TMP", m_tmp);
        SetEnvironmentVariableA("TEMP", m_temp);
        // The system's renames at the next restart, as they were: a side file went onto the list.
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (m_pendingSize) RegSetValueExA(key, kPending, 0, REG_MULTI_SZ, reinterpret_cast<BYTE*>(m_pending), m_pendingSize);
        else RegDeleteValueA(key, kPending);
        RegCloseKey(key);
    }

    // An installer of the given [Files] lines into Ziel; placement: more lines of [Placement].
    std::string Installer(const std::string& name, const std::string& files, const std::string& placement = "",
                          const char* product = "Unbeaufsichtigt") {
        m_root.Write(name + ".ini", "[Product]\nProName=" + std::string(product) + "\nProVersion=1.0\n"
                                    "[Placement]\nTargetPath=2\nTargetPathUser=2\nTargetPathEx=" +
                                        Target("") + "\n" + placement + "[Texts]\n1=Abbrechen?\n[Files]\n" + files);
        zembra::ProductPackOptions options;
        options.description = m_root.Path(name + ".ini");
        options.runtimeFolder = WindowsPath(ZEMBRA_RUNTIME_DIR);
        options.output = m_root.Path(name + ".exe");
        std::string error;
        EXPECT_TRUE(zembra::PackProduct(options, &error)) << error;
        return options.output;
    }

    std::string Target(const std::string& name) const { return m_root.Path("Ziel") + "\\" + name; }

    // Runs it with tail in the test's folder, noting every window of its processes until it ends.
    DWORD Run(const std::string& setup, const std::string& tail, std::set<std::string>* windows) {
        gui::Process process;
        if (!process.Start(setup, tail, m_root.Path())) return 99;
        const bool ended = gui::WaitUntil([&] {
            const bool running = process.Running();
            for (const std::string& w : TreeWindows(ProcessTree(process.Id())))
                if (!WineHelperWindow(w)) windows->insert(w);
            return !running;
        }, 120000, 10);
        DWORD code = 99;
        if (ended) process.WaitForExit(1000, &code);
        return code;
    }

    static constexpr const char* kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
    static constexpr const char* kPending = "PendingFileRenameOperations";
    TempFolder m_root;
    char m_tmp[MAX_PATH] = {}, m_temp[MAX_PATH] = {};
    char m_pending[1 << 16] = {};
    DWORD m_pendingSize = 0;
};

// One file of each kind that would have asked; every answer is the fixed one, and the log says so.
TEST_F(UnattendedRun, QuietRunShowsNoWindowAnswersEachQuestionItselfAndLogsTheOutcomes) {
    struct Row {
        const char* name;
        std::string files;
        const char* inUse;  // held open without sharing during the run
        DWORD code;
        std::vector<std::string> logged;  // by the setup program
    } rows[] = {
        {"overwrite question keeps the file; the recorded program starts",
         "a.txt = <INSTALLDIR> | 11000000\nprog.ini = <INSTALLDIR> | 10000000 | Zembra.ini\n"
         "prog.exe = <INSTALLDIR> | 10000101\n", nullptr, 0,
         {"Beibehalten, nicht \xC3\xBC" "berschrieben: " + Target("a.txt"),
          "Programm beendet mit Exitcode 7: " + Target("prog.exe")}},
        {"file in use with a side file", "b.dll = <INSTALLDIR> | 10010000\n", "b.dll", 3010,
         {"In Gebrauch, wird beim n\xC3\xA4" "chsten Neustart ersetzt: " + Target("b.dll")}},
        {"file in use not retried", "c.dat = <INSTALLDIR> | 10000000\n", "c.dat", 1603,
         {"Nicht installiert, die Datei ist in Gebrauch (Fehlercode 32): " + Target("c.dat")}},
        {"missing drive stops the run", "a.txt = Q:\\Nirgends | 10000000\nc.dat = <INSTALLDIR> | 10000000\n",
         nullptr, 1603,
         {"Frage (nicht gezeigt): Achtung!!!! | Es gibt kein Laufwerk",
          "Nicht installiert, das Laufwerk fehlt, die Installation wurde beendet: Q:\\Nirgends\\a.txt"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (const char* name : {"a.txt", "b.dll", "c.dat"}) m_root.Write("Ziel/" + std::string(name), "alt");
        const std::string setup = Installer("Setup", r.files);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (r.inUse) held = CreateFileA(Target(r.inUse).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        std::filesystem::remove(m_root.Path("run.log"));
        std::set<std::string> windows;
        // A relative log name: the setup program runs in another folder, yet writes the same file.
        EXPECT_EQ(r.code, Run(setup, "/auto /quiet /log=run.log", &windows));
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(std::set<std::string>(), windows) << "no window at all";
        const std::string log = TempFolder::Read(m_root.Path("run.log"));
        // Wine's token is an elevated administrator's: the working folder is the system's, not the user's.
        char system[MAX_PATH] = {};
        GetSystemWindowsDirectoryA(system, MAX_PATH);
        std::vector<std::string> lines = {"Setup.exe: Pr\xC3\xBC" "fsumme des Installationspakets in Ordnung",
                                          "Setup.exe: Arbeitsordner: " + std::string(system) + "\\Temp\\Zembra-",
                                          "Zembra.exe: Ende: Exitcode " + std::to_string(r.code),
                                          "Setup.exe: Setup-Programm beendet mit Exitcode " + std::to_string(r.code)};
        for (const std::string& line : r.logged) lines.push_back("Zembra.exe: " + line);
        for (const std::string& line : lines)
            EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
        const size_t folder = log.find("Arbeitsordner: ") + 15, end = log.find('\r', folder);
        EXPECT_FALSE(TempFolder::Exists(log.substr(folder, end - folder))) << "the working folder is gone";
        EXPECT_EQ("alt", TempFolder::Read(Target(r.inUse ? r.inUse : "a.txt"))) << "the file there stays";
    }
    EXPECT_TRUE(std::filesystem::is_empty(m_root.Path("temp"))) << "the working folders are gone";
}

// A user whose folders have names outside the ANSI code page: Setup.exe, TEMP and the log lie in one.
// The product goes under TEMP, which the library takes by its short form; the log names everything whole.
TEST_F(UnattendedRun, NamesFromThreeScriptsInTheSetupFolderTempAndLogInstallAndLog) {
    namespace fs = std::filesystem;
    m_root.Write("Namen.ini", "[Product]\nProName=Namen\nProVersion=1.0\n[Placement]\nTargetPath=0\nTargetPathTemp=1\n"
                              "[Files]\na.txt = <INSTALLDIR> | 10000000\n");
    zembra::ProductPackOptions options;
    options.description = m_root.Path("Namen.ini");
    options.runtimeFolder = WindowsPath(ZEMBRA_RUNTIME_DIR);
    options.output = m_root.Path("Namen.exe");
    std::string error;
    ASSERT_TRUE(zembra::PackProduct(options, &error)) << error;
    const std::wstring root = fs::path(m_root.Path()).wstring();
    for (const wchar_t* name : {L"\u0141ukasz", L"\u0418\u0432\u0430\u043D", L"\u738B\u4F1F"}) {
        const std::wstring folder = root + name + L"\\", temp = folder + L"Temp " + name + L"\\";
        const std::wstring setup = folder + L"Setup.exe", log = folder + name + L".log";
        SCOPED_TRACE(zembra::WideToUtf8(name));
        ASSERT_TRUE(fs::create_directories(fs::path(temp)));
        ASSERT_TRUE(CopyFileW(fs::path(options.output).wstring().c_str(), setup.c_str(), TRUE));
        SetEnvironmentVariableW(L"TMP", temp.c_str());
        SetEnvironmentVariableW(L"TEMP", temp.c_str());
        gui::Process process;
        ASSERT_TRUE(process.Start(setup, L"/auto /quiet /log=\"" + log + L"\"", root));
        DWORD code = 99;
        EXPECT_TRUE(process.WaitForExit(120000, &code));
        EXPECT_EQ(0u, code);
        std::ifstream installed(fs::path(temp + L"Namen\\a.txt"));
        EXPECT_EQ("neu a", std::string(std::istreambuf_iterator<char>(installed), {}));
        std::ifstream logged(fs::path(log), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(logged)), {});
        for (const std::string& line : {"Setup.exe: Start: " + zembra::WideToUtf8(setup) + " /auto /quiet /log=",
                                        std::string("Zembra.exe: Installiert (5 Bytes): "),
                                        std::string("Setup.exe: Ende: Exitcode 0")})
            EXPECT_NE(std::string::npos, text.find(line)) << line << "\n" << text;
    }
}

// A folder the package does not let change: nothing is installed, and the exit code and the log say why.
TEST_F(UnattendedRun, QuietRunRefusesAFolderSwitchThePackageDoesNotAllow) {
    const std::string setup = Installer("Setup", "a.txt = <INSTALLDIR> | 10000000\n", "PathChange=0\n");
    std::set<std::string> windows;
    EXPECT_EQ(1603u, Run(setup, "/auto /quiet /log=run.log /DIR=\"" + m_root.Path("Neu") + "\"", &windows));
    EXPECT_EQ(std::set<std::string>(), windows);
    const std::string log = TempFolder::Read(m_root.Path("run.log"));
    EXPECT_NE(std::string::npos, log.find("Zembra.exe: Meldung (nicht gezeigt): Dieses Paket erlaubt keinen anderen "
                                          "Installationsordner (PathChange=0): " + m_root.Path("Neu"))) << log;
    EXPECT_FALSE(TempFolder::Exists(Target("a.txt")));
    EXPECT_FALSE(TempFolder::Exists(m_root.Path("Neu")));
}

// A stop of the extractor's own: no box, only its code and the log.
TEST_F(UnattendedRun, QuietExtractorStopIsLoggedWithoutABox) {
    const std::string setup = Installer("Setup", "a.txt = <INSTALLDIR> | 10000000\n");
    std::filesystem::resize_file(setup, std::filesystem::file_size(setup) - 1);
    std::set<std::string> windows;
    EXPECT_EQ(12u, Run(setup, "/auto /quiet /log=run.log", &windows));
    EXPECT_EQ(std::set<std::string>(), windows);
    const std::string log = TempFolder::Read(m_root.Path("run.log"));
    EXPECT_NE(std::string::npos,
              log.find("Setup.exe: Meldung (nicht gezeigt): Das Installationspaket ist unvollst\xC3\xA4ndig"))
        << log;
}

// A log name that is a link: its target is never written. (Wine removes such a link only through Linux.)
TEST_F(UnattendedRun, ALogThatIsALinkIsNotFollowed) {
    const std::string setup = Installer("Setup", "a.txt = <INSTALLDIR> | 10000000\n"), link = m_root.Path("run.log");
    std::filesystem::resize_file(setup, std::filesystem::file_size(setup) - 1);
    const auto shell = [&](const std::string& command, bool linked) {
        return unix_command::Run("/bin/sh -c \"" + command + " '" + unix_command::UnixPath(link) + "'\"",
                                 [&] { return TempFolder::Exists(link) == linked; });
    };
    const std::shared_ptr<void> unlink(nullptr, [&](void*) { shell("rm -f", false); });
    ASSERT_TRUE(shell("ln -s '" + unix_command::UnixPath(m_root.Write("fremd.txt", "fremd")) + "'", true));
    std::set<std::string> windows;
    EXPECT_EQ(12u, Run(setup, "/auto /quiet /log=run.log", &windows));
    EXPECT_EQ("fremd", TempFolder::Read(m_root.Path("fremd.txt")));
}

// Cancelled before the run: the dialog's Cancel ends the program with 1602.
TEST_F(UnattendedRun, CancelBeforeTheRunEndsWith1602) {
    const std::string setup = Installer("Setup", "a.txt = <INSTALLDIR> | 10000000\n");
    gui::Process process;
    ASSERT_TRUE(process.Start(setup, "/log=run.log", m_root.Path()));
    HWND dialog = nullptr;
    ASSERT_TRUE(gui::WaitUntil([&] { return (dialog = FindWindowA(nullptr, "Unbeaufsichtigt V1.0")) != nullptr; },
                               gui::kEventWaitMs));
    gui::Click(dialog, IDCANCEL);
    DWORD code = 99;
    ASSERT_TRUE(process.WaitForExit(gui::kEventWaitMs, &code));
    EXPECT_EQ(1602u, code);
    EXPECT_FALSE(TempFolder::Exists(Target("a.txt")));
    EXPECT_NE(std::string::npos, TempFolder::Read(m_root.Path("run.log")).find("Ende: Exitcode 1602")) << TempFolder::Read(m_root.Path("run.log"));
}

// A second Setup.exe of the product while the first waits at its dialog ends at once with 1618, shows
// nothing and unpacks nothing; another product installs meanwhile.
TEST_F(UnattendedRun, SecondInstallationOfTheProductEndsWith1618WhileAnotherProductInstalls) {
    const std::string setup = Installer("Setup", "a.txt = <INSTALLDIR> | 10000000\n");
    const std::string other = Installer("Anderes", "c.dat = <INSTALLDIR> | 10000000\n", "", "Anderes Produkt");
    gui::Process first;
    ASSERT_TRUE(first.Start(setup, "", m_root.Path()));
    HWND dialog = nullptr;
    ASSERT_TRUE(gui::WaitUntil([&] { return (dialog = FindWindowA(nullptr, "Unbeaufsichtigt V1.0")) != nullptr; },
                               gui::kEventWaitMs));
    std::set<std::string> windows;
    EXPECT_EQ(1618u, Run(setup, "/auto /quiet /log=second.log", &windows));
    EXPECT_EQ(0u, Run(other, "/auto /quiet", &windows));
    EXPECT_EQ(std::set<std::string>(), windows);
    const std::string log = TempFolder::Read(m_root.Path("second.log"));
    EXPECT_NE(std::string::npos,
              log.find("Setup.exe: Eine andere Installation von Unbeaufsichtigt l\xC3\xA4uft bereits")) << log;
    EXPECT_EQ(std::string::npos, log.find("Arbeitsordner")) << log;
    EXPECT_EQ("neu c", TempFolder::Read(Target("c.dat")));
    gui::Click(dialog, IDCANCEL);
    DWORD code = 99;
    ASSERT_TRUE(first.WaitForExit(gui::kEventWaitMs, &code));
    EXPECT_EQ(1602u, code);
}

}  // namespace
