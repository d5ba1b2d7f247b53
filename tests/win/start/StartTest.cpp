// The extractor ZembraStart.exe run as a user would: as a single-file Setup.exe (extractor + package)
// or with a package named on its command line, with a stand-in for the setup program packed as A10 that
// records what it found. Each run gets a private temporary folder (TMP and TEMP), so "nothing was
// unpacked" and "the working folder is gone" can be seen from outside.
#include "archive/PackageKeys.h"
#include "run/WorkFolder.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"
#include "tests/win/support/SampleData.h"
#include "tests/win/support/UnixCommand.h"
#include "tools/pack/PackageWriter.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

using testing_support::TempFolder;
using zembra::EntryMode;
using zembra::PackageWriter;

namespace {

// A whole installer run, or the wait for its first message box.
constexpr DWORD kRunTimeoutMs = 120000;

const char kStandInFiles[] = "Zembra.exe|Zembra.ini|gfx1.bmp|ny.tmp|zembra1.dll";

// Build paths are Linux paths; under Wine they name drive Z: only while the current folder is there.
std::string WindowsPath(const char* path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return full;
}

std::string StartExe() { return WindowsPath(ZEMBRA_START_EXE); }
std::string StandInExe() { return WindowsPath(ZEMBRA_STANDIN_EXE); }
std::string RuntimeDll() { return WindowsPath(ZEMBRA_RUNTIME_DLL); }

std::map<std::string, std::string> ReadReport(const std::string& path) {
    std::map<std::string, std::string> report;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        size_t equals = line.find('=');
        if (equals != std::string::npos) report[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return report;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    return names;
}

// An access list, as the stand-in reads it back, that grants Everyone (WD), Users (BU) and
// Authenticated Users (AU) nothing.
bool Private(const std::string& acl) {
    return acl.rfind("D:", 0) == 0 && !std::regex_search(acl, std::regex(";(WD|BU|AU)\\)"));
}

std::string Flipped(std::string bytes, size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

// Wine's load order "native first" for one DLL in one program, for the life of the object.
class WineNativeFirst {
public:
    WineNativeFirst(const std::string& program, const char* dll)
        : m_key("Software\\Wine\\AppDefaults\\" + program) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, (m_key + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr) == ERROR_SUCCESS) {
            static const char kOrder[] = "native,builtin";
            RegSetValueExA(key, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
            RegCloseKey(key);
        }
    }
    ~WineNativeFirst() {
        RegDeleteKeyA(HKEY_CURRENT_USER, (m_key + "\\DllOverrides").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str());
    }

private:
    std::string m_key;
};

// A program started without waiting for it to become idle (the extractor never shows a window when
// all goes well); ended at the end of the test if it still runs.
class Launched {
public:
    Launched(const std::string& program, const std::string& tail, const std::string& folder) {
        std::string commandLine = "\"" + program + "\" " + tail;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &m_info))
            CloseHandle(m_info.hThread);
    }
    ~Launched() {
        if (!m_info.hProcess) return;
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_info.hProcess, 1);
        CloseHandle(m_info.hProcess);
    }
    Launched(const Launched&) = delete;
    Launched& operator=(const Launched&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    bool WaitForExit(DWORD timeoutMs, DWORD* code) const {
        return WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0 && GetExitCodeProcess(m_info.hProcess, code);
    }

private:
    PROCESS_INFORMATION m_info = {};
};

struct PackageOptions {
    bool prefix = true;   // the extractor in front: a single-file installer
    bool sealed = true;
    bool withSetup = true;
    bool withRuntime = true;
};

class ExtractorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_temp = m_folder.Path("temp");
        std::filesystem::create_directories(m_temp);
        for (const char* name : {"TMP", "TEMP"}) {
            char old[MAX_PATH] = {};
            GetEnvironmentVariableA(name, old, MAX_PATH);
            m_savedEnvironment[name] = old;
            SetEnvironmentVariableA(name, m_temp.c_str());
        }
    }
    void TearDown() override {
        for (const auto& saved : m_savedEnvironment) SetEnvironmentVariableA(saved.first.c_str(), saved.second.c_str());
    }

    std::string StandInIni(const std::string& report, int exitCode, const std::string& extra = "") const {
        return "[StandIn]\r\nReport=" + report + "\r\nExitCode=" + std::to_string(exitCode) + "\r\n" + extra;
    }

    // Writes the package at path; the stand-in writes its record to report.
    void MakePackage(const std::string& path, const std::string& ini, const PackageOptions& options = {}) const {
        PackageWriter writer;
        if (options.prefix) writer.SetPrefixFile(StartExe());
        writer.SetSealed(options.sealed);
        writer.SetTrailerText("Testpaket");
        if (options.withSetup) writer.AddFile("A10", StandInExe(), EntryMode::Gzip);
        writer.AddData("A20", "BM picture stand-in", EntryMode::Gzip);
        writer.AddData("A23", ini, EntryMode::Gzip);
        if (options.withRuntime) writer.AddFile(zembra::kRuntimeKey, RuntimeDll(), EntryMode::Gzip);
        writer.AddData("P0", std::string(100000, 'x'), EntryMode::Gzip);
        std::string error;
        ASSERT_TRUE(writer.Write(path, &error)) << error;
    }

    // Runs program with tail from the folder the installer lies in; false when it did not end in time.
    bool Run(const std::string& program, const std::string& tail, DWORD* exitCode) const {
        gui::Process process;
        if (!process.Start(program, tail, m_folder.Path())) return false;
        if (process.WaitForExit(kRunTimeoutMs, exitCode)) return true;
        HWND box = FindWindowA("#32770", nullptr);  // what held it up, if it shows: a message, a crash report
        ADD_FAILURE() << program << " did not end; on the screen: " << (box ? gui::MessageBoxText(box) : "nothing");
        return false;
    }

    // Runs program, which is expected to stop with one message box; its text, then the exit code.
    std::string RunToMessage(const std::string& program, const std::string& tail, DWORD* exitCode) const {
        gui::Process process;
        if (!process.Start(program, tail, m_folder.Path())) return "<not started>";
        HWND box = process.WaitForOtherDialog({}, kRunTimeoutMs);
        if (!box) return "<no message>";
        std::string text = gui::MessageBoxText(box);
        gui::AnswerMessageBox(box, IDOK);
        if (!process.WaitForExit(kRunTimeoutMs, exitCode)) return "<did not end>";
        return text;
    }

    TempFolder m_folder;
    std::string m_temp;
    std::map<std::string, std::string> m_savedEnvironment;
};

TEST_F(ExtractorTest, SingleFileInstallerRunsTheSetupProgramInAFreshFolderAndRemovesIt) {
    // A folder made the ordinary way grants others access, as the temporary folder's children do.
    const std::string control = m_folder.Path("control.txt");
    std::filesystem::copy_file(StandInExe(), m_folder.Path("control.exe"));
    m_folder.Write("Zembra.ini", StandInIni(control, 0));
    DWORD controlCode = 1;
    ASSERT_TRUE(Run(m_folder.Path("control.exe"), "", &controlCode));
    EXPECT_FALSE(Private(ReadReport(control)["acl"])) << ReadReport(control)["acl"];

    struct Row {
        const char* name;
        std::string tail;
        int exitCode;
    } rows[] = {
        {"unattended", "/auto", 0},
        {"no tail", "", 3},
        {"tail with quotes, blanks and words of the extractor's own", "/AUTO \"C:\\Mit Blanks\\x\" --package y", 37},
    };
    for (const Row& r : rows) {
        const std::string report = m_folder.Path("report.txt");
        const std::string setup = m_folder.Path("Setup.exe");
        MakePackage(setup, StandInIni(report, r.exitCode));
        DWORD code = 12345;
        ASSERT_TRUE(Run(setup, r.tail, &code)) << r.name;
        EXPECT_EQ(static_cast<DWORD>(r.exitCode), code) << r.name;
        auto found = ReadReport(report);
        const std::string folder = found["folder"];
        EXPECT_EQ(0u, folder.rfind(m_temp + "\\Zembra-", 0)) << r.name << ": " << folder;
        const std::string random = folder.substr(m_temp.size() + 8);  // after "\\Zembra-"
        EXPECT_TRUE(random.size() == 17 && random.find_first_not_of("0123456789ABCDEF") == 16)
            << r.name << ": sixteen random hex digits: " << folder;
        EXPECT_TRUE(Private(found["acl"])) << r.name << ": " << found["acl"];
        EXPECT_EQ(r.tail, found["tail"]) << r.name;
        EXPECT_EQ(kStandInFiles, found["files"]) << r.name;
        EXPECT_EQ(setup, found["setup"]) << r.name;
        EXPECT_TRUE(Entries(m_temp).empty()) << r.name << ": the working folder must be gone";
        std::filesystem::remove(report);
    }
}

TEST_F(ExtractorTest, NamedPackageRunsLikeAnAppendedOne) {
    const std::string report = m_folder.Path("report.txt");
    std::filesystem::create_directories(m_folder.Path("Mit Blanks"));
    const std::string spaced = m_folder.Path("Mit Blanks\\produkt 1.pkg");
    const std::string plain = m_folder.Path("produkt.pkg");
    PackageOptions bare;
    bare.prefix = false;
    MakePackage(spaced, StandInIni(report, 5), bare);
    MakePackage(plain, StandInIni(report, 5), bare);
    struct Row {
        const char* name;
        std::string tail;
        std::string package;
        std::string setupTail;
    } rows[] = {
        {"quoted path with blanks", "--package \"" + spaced + "\" /auto", spaced, "/auto"},
        {"plain path, no tail", "--package " + plain, plain, ""},
        {"option with equals sign", "--PACKAGE=" + plain + "   /auto x", plain, "/auto x"},
        {"relative to the current folder", "--package produkt.pkg /auto", plain, "/auto"},
    };
    for (const Row& r : rows) {
        DWORD code = 0;
        ASSERT_TRUE(Run(StartExe(), r.tail, &code)) << r.name;
        EXPECT_EQ(5u, code) << r.name;
        auto found = ReadReport(report);
        EXPECT_EQ(r.package, found["setup"]) << r.name;
        EXPECT_EQ(r.setupTail, found["tail"]) << r.name;
        EXPECT_EQ(kStandInFiles, found["files"]) << r.name;
        EXPECT_TRUE(Entries(m_temp).empty()) << r.name;
        std::filesystem::remove(report);
    }
}

TEST_F(ExtractorTest, TwoInstallersStartedAtOnceGetTwoFolders) {
    const std::string release = m_folder.Path("release");
    std::string setups[2], reports[2];
    for (int i = 0; i < 2; ++i) {
        reports[i] = m_folder.Path("report" + std::to_string(i) + ".txt");
        setups[i] = m_folder.Path("Setup" + std::to_string(i) + ".exe");
        MakePackage(setups[i], StandInIni(reports[i], 0, "HoldUntil=" + release + "\r\n"));
    }
    Launched first(setups[0], "/auto", m_folder.Path()), second(setups[1], "/auto", m_folder.Path());
    ASSERT_TRUE(first.Started() && second.Started());
    ASSERT_TRUE(gui::WaitUntil([&] { return TempFolder::Exists(reports[0]) && TempFolder::Exists(reports[1]); },
                               kRunTimeoutMs));
    const std::string folder0 = ReadReport(reports[0])["folder"], folder1 = ReadReport(reports[1])["folder"];
    EXPECT_NE(folder0, folder1);
    EXPECT_EQ(2u, Entries(m_temp).size()) << "both folders exist side by side while both run";
    std::ofstream(release) << "go";
    DWORD code0 = 1, code1 = 1;
    ASSERT_TRUE(first.WaitForExit(kRunTimeoutMs, &code0));
    ASSERT_TRUE(second.WaitForExit(kRunTimeoutMs, &code1));
    EXPECT_EQ(0u, code0);
    EXPECT_EQ(0u, code1);
    EXPECT_TRUE(Entries(m_temp).empty());
}

TEST_F(ExtractorTest, DamagedOrMissingPackageStopsWithAMessageAndUnpacksNothing) {
    const std::string report = m_folder.Path("report.txt");
    const std::string good = m_folder.Path("good.exe");
    MakePackage(good, StandInIni(report, 0));
    const std::string bytes = TempFolder::Read(good);
    const size_t extractorSize = static_cast<size_t>(std::filesystem::file_size(StartExe()));
    const size_t directoryEnd = bytes.size() - 33 - static_cast<unsigned char>(bytes[bytes.size() - 33]);
    PackageOptions unsealed;
    unsealed.sealed = false;
    PackageOptions noSetup;
    noSetup.withSetup = false;
    PackageOptions noRuntime;
    noRuntime.withRuntime = false;

    struct Row {
        const char* name;
        std::function<std::string()> make;  // writes the installer, returns the program to run
        std::string tail;
        const char* message;                // a part of the box's text
        DWORD exitCode;
    };
    auto setupWith = [&](const std::string& content) {
        return [&, content] { return m_folder.Write("Setup.exe", content); };
    };
    auto setupMade = [&](const PackageOptions& options) {
        return [&, options] {
            const std::string path = m_folder.Path("Setup.exe");
            MakePackage(path, StandInIni(report, 0), options);
            return path;
        };
    };
    Row rows[] = {
        {"cut in the middle of the entries", setupWith(bytes.substr(0, extractorSize + 50000)), "/auto",
         "unvollständig", 12},
        {"cut by one byte", setupWith(bytes.substr(0, bytes.size() - 1)), "/auto", "unvollständig", 12},
        {"a flipped byte in the first entry", setupWith(Flipped(bytes, extractorSize + 100)), "/auto", "beschädigt",
         12},
        {"a flipped byte in the last entry", setupWith(Flipped(bytes, bytes.size() - 200)), "/auto", "beschädigt", 12},
        {"a flipped byte in the directory", setupWith(Flipped(bytes, directoryEnd - 2)), "/auto", "beschädigt", 12},
        {"no seal", setupMade(unsealed), "/auto", "keine Prüfsumme", 12},
        {"no setup program", setupMade(noSetup), "/auto", "fehlt das Setup-Programm", 12},
        {"no runtime library", setupMade(noRuntime), "/auto", "fehlt die Laufzeitbibliothek zembra1.dll", 12},
        {"the bare extractor", [] { return StartExe(); }, "/auto",
         "kein Installationspaket angehängt", 10},
        {"a named package that does not exist", [] { return StartExe(); },
         "--package nirgends.pkg", "lässt sich nicht öffnen", 11},
        {"a named file that is no package", [&] {
             m_folder.Write("text.txt", "just text");
             return StartExe();
         },
         "--package text.txt", "unvollständig oder keines", 12},
        {"--package without a name", [] { return StartExe(); }, "--package", "fehlt der Name", 10},
    };
    for (const Row& r : rows) {
        const std::string program = r.make();
        DWORD code = 0;
        const std::string text = RunToMessage(program, r.tail, &code);
        EXPECT_NE(std::string::npos, text.find(r.message)) << r.name << ": " << text;
        EXPECT_EQ(r.exitCode, code) << r.name;
        EXPECT_TRUE(Entries(m_temp).empty()) << r.name << ": nothing may be unpacked";
        EXPECT_FALSE(TempFolder::Exists(report)) << r.name << ": the setup program must not run";
    }
}

// The descriptor the working folder is made with, as the system reads it: protected (nothing inherited),
// full access for SYSTEM, the Administrators and the process's user, nothing else.
TEST(WorkFolderAccess, GrantsTheUserSystemAndAdministratorsOnly) {
    unsigned long error = 0;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* text = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(zembra::PrivateFolderDescriptor(&error).c_str(),
                                                                     SDDL_REVISION_1, &descriptor, nullptr) &&
                ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                                     DACL_SECURITY_INFORMATION, &text, nullptr))
        << error;
    const std::regex expected(R"(D:P\(A;OICI;FA;;;SY\)\(A;OICI;FA;;;BA\)\(A;OICI;FA;;;S-1-5-[-0-9]+\))");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
    LocalFree(text);
    LocalFree(descriptor);
}

// Signed as publishers sign (one certificate, a chain, a nested second signature), each installs; the
// seal still protects the entries behind the extractor.
TEST_F(ExtractorTest, SignedInstallersInstallAndKeepTheirSeal) {
    const std::string report = m_folder.Path("report.txt");
    const std::string setup = m_folder.Path("Setup.exe");
    MakePackage(setup, StandInIni(report, 6));
    const std::string signedFolder = m_folder.Path("signed");
    std::filesystem::create_directories(signedFolder);
    const std::string failed = signedFolder + "\\failed";
    const std::string command = "/bin/sh " ZEMBRA_SOURCE_DIR "/tests/win/start/sign-installer.sh \"" +
                                unix_command::UnixPath(setup) + "\" \"" + unix_command::UnixPath(signedFolder) + "\"";
    ASSERT_TRUE(unix_command::Run(
        command, [&] { return TempFolder::Exists(signedFolder + "\\done") || TempFolder::Exists(failed); },
        kRunTimeoutMs));
    ASSERT_FALSE(TempFolder::Exists(failed)) << TempFolder::Read(failed);

    const size_t extractorSize = static_cast<size_t>(std::filesystem::file_size(StartExe()));
    for (const char* kind : {"single", "chain", "nested"}) {
        const std::string program = signedFolder + "\\" + kind + ".exe";
        const std::string bytes = TempFolder::Read(program);
        // The nested signatures reach beyond what may follow the marker.
        EXPECT_GT(bytes.size(), TempFolder::Read(setup).size() + (std::string(kind) == "nested" ? 8177 : 1000)) << kind;
        DWORD code = 0;
        ASSERT_TRUE(Run(program, "/auto", &code)) << kind;
        EXPECT_EQ(6u, code) << kind;
        EXPECT_EQ(program, ReadReport(report)["setup"]) << kind;
        EXPECT_TRUE(Entries(m_temp).empty()) << kind;
        std::filesystem::remove(report);

        const std::string altered = m_folder.Write(std::string("altered-") + kind + ".exe",
                                                   Flipped(bytes, extractorSize + 100));
        EXPECT_NE(std::string::npos, RunToMessage(altered, "/auto", &code).find("beschädigt")) << kind;
        EXPECT_EQ(12u, code) << kind;
        EXPECT_FALSE(TempFolder::Exists(report)) << kind;
    }
}

// A setup file that cannot be unpacked whole (here "Zembra.ini" on a full temporary disk) stops the run
// before the setup program starts, and nothing is left on the disk.
TEST_F(ExtractorTest, ASetupFileThatCannotBeUnpackedWholeStopsTheRun) {
    unix_command::SmallDrive small(6144);
    ASSERT_TRUE(small.Ready()) << "a small tmpfs as drive S: (mount needs root)";
    for (const char* name : {"TMP", "TEMP"}) SetEnvironmentVariableA(name, small.Root().c_str());
    const std::string report = m_folder.Path("report.txt");
    const std::string setup = m_folder.Path("Setup.exe");
    MakePackage(setup, StandInIni(report, 0) + "; " + sample::Noise(8u << 20, 3));
    DWORD code = 0;
    const std::string text = RunToMessage(setup, "/auto", &code);
    EXPECT_NE(std::string::npos, text.find("nicht vollständig entpacken")) << text;
    EXPECT_NE(std::string::npos, text.find("Es fehlt: Zembra.ini")) << text;
    EXPECT_EQ(14u, code);
    EXPECT_FALSE(TempFolder::Exists(report)) << "the setup program must not run";
    EXPECT_TRUE(Entries(small.Root()).empty());
}

// The runtime library imports version.dll and shell32.dll; the seal check loads bcrypt.dll. A DLL of
// any of these names beside Setup.exe must not get into the installer. Under Wine version.dll cannot
// show it: Wine's own user32 imports version.dll, so every program that uses user32 would load a
// planted version.dll at its start, before any code of its own runs (on Windows user32 is a KnownDLL
// and imports no such thing).
TEST_F(ExtractorTest, DllPlantedBesideTheInstallerIsNeverLoaded) {
    const std::string report = m_folder.Path("report.txt");
    const std::string marker = m_folder.Path("planted-was-loaded");
    std::filesystem::copy_file(StandInExe(), m_folder.Path("planted-probe.exe"));
    for (const std::string dll : {"shell32", "bcrypt"}) {
        std::filesystem::copy_file(WindowsPath(ZEMBRA_PLANTED_DLL), m_folder.Path(dll + ".dll"));
        // Wine prefers its builtin DLLs, while Windows takes a DLL found in the program's folder first
        // unless it is a KnownDLL. Both programs are told to behave that way (a Wine setting per program).
        WineNativeFirst probeSetting("planted-probe.exe", dll.c_str()), setupSetting("planted-Setup.exe", dll.c_str());

        // The probe: a program beside the planted DLL that loads it by name does get it, so the check
        // below could see the fault.
        m_folder.Write("Zembra.ini", StandInIni(report, 0, "LoadLibrary=" + dll + ".dll\r\n"));
        DWORD code = 1;
        ASSERT_TRUE(Run(m_folder.Path("planted-probe.exe"), "", &code)) << dll;
        ASSERT_TRUE(TempFolder::Exists(marker)) << dll << ": the planted DLL should load into an unprotected program";
        std::filesystem::remove(marker);
        std::filesystem::remove(report);

        const std::string setup = m_folder.Path("planted-Setup.exe");
        MakePackage(setup, StandInIni(report, 4));
        EXPECT_TRUE(Run(setup, "/auto", &code)) << dll;
        EXPECT_EQ(4u, code) << dll;
        EXPECT_TRUE(TempFolder::Exists(report)) << dll << ": the setup program ran";
        EXPECT_FALSE(TempFolder::Exists(marker)) << "the planted " << dll << ".dll was loaded";
        EXPECT_TRUE(Entries(m_temp).empty()) << dll;
        std::filesystem::remove(report);
        std::filesystem::remove(m_folder.Path(dll + ".dll"));
    }
}

}  // namespace
