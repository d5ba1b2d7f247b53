// One installation with the real setup program and library, driven from outside: a package made by the
// package writer, a "Zembra.ini" with a manifest, the program started in its own setup folder, its
// questions read and answered as a user would, and what it left behind read back.
#pragma once

#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"
#include "tests/win/support/SampleData.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace inst {

std::string WinPath(const char* unixPath);
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
DWORD Attributes(const std::string& path);
using sample::Noise;
using sample::Text;
// The built helper program's bytes (started programs, a file held in use).
std::string HelperProgram();
std::string VersionDll(const char* name);  // one of the test DLLs with a file version

// The list file's letter code, decoded here independently of the program.
std::string DecodeName(const std::string& encoded);

// Control ids of the setup dialog and of the overwrite dialog.
constexpr int kProgress = 1037, kFileInfo = 1039, kInstall = 1047, kChoice0 = 1052, kConfirm = 1056,
              kQuestion = 1057;

// The numbered texts every test package carries.
extern const char* const kTexts[18];

struct Entry {
    std::string flags = "10000000";
    std::string name;
    std::string dir = "<INSTALLDIR>";
    std::string data;
    std::string key;        // empty: "K" and the entry's number
    bool packaged = true;   // false: the manifest names a key the package lacks
    bool stored = false;    // packed as plain bytes, which the decoder refuses
    int level = 6;
    long size = -1;         // FSize; -1: the data's size
    std::string extra;      // further lines of the section ("Vers1=...\r\n")
};

// A question of the program: a message box or the overwrite dialog.
struct Question {
    HWND window = nullptr;
    std::string caption;
    std::string text;  // a box's message, or the overwrite dialog's question
    bool overwriteDialog = false;
};

class Installation {
public:
    Installation();
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    std::string Root() const { return m_root; }
    std::string SetupFolder() const { return m_root + "setup\\"; }
    // The target folder; "ziel\" under the root unless set, created by the run.
    std::string Target() const { return m_target; }
    void SetTarget(const std::string& folder) { m_target = folder; }

    std::vector<Entry> entries;
    std::string docExtra;          // further [Doc] lines
    std::string regVersion;        // RegVersion; set by the constructor to a key of this run
    std::string packageOverride;   // when set, the package file's bytes instead of a package
    bool writeList = true;         // UpdateRegVersion

    // Writes package, configuration, "ny.tmp", program and library into the setup folder.
    bool Prepare();
    // Starts the program there (preparing the folder first unless done).
    bool Start(const std::string& tail = "");
    gui::Process& Process() { return m_process; }
    HWND WaitForDialog();
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }
    std::string ItemText(int id) const { return gui::WindowText(Item(id)); }
    bool Finished() const;  // the last page: Cancel carries text 11

    // The next question, or an empty one when none came in time or the program ended.
    Question NextQuestion(DWORD timeoutMs = 30000);
    bool Answer(const Question& question, int button);
    // Answers questions until the run has finished (or the program ended); the questions in order.
    std::vector<Question> AnswerUntilFinished(const std::function<int(const Question&)>& answer,
                                              DWORD timeoutMs = 60000);
    bool WaitForExit(DWORD timeoutMs = 30000) { return m_process.WaitForExit(timeoutMs); }

    std::string TargetFile(const std::string& name) const { return m_target + name; }
    std::string Read(const std::string& name) const { return ReadFile(TargetFile(name)); }

    // The list file "UnZembra.ini" of the target folder, decoded.
    struct List {
        bool exists = false;
        DWORD attributes = INVALID_FILE_ATTRIBUTES;
        long fileCount = -1, dirCount = -1;
        std::vector<std::string> files, dirs;
    };
    List ReadList() const;
    // [Run] of "ny.tmp": key -> value.
    std::map<std::string, std::string> RunKeys() const;
    // The value that RegVersion names, or "<none>".
    std::string RegistryVersion() const;
    std::string IniText() const;

private:
    testing_support::TempFolder m_folder{"zinst"};
    std::string m_root, m_target, m_regKey;
    bool m_prepared = false;
    gui::Process m_process;
    HWND m_dialog = nullptr;
};

// Keeps a file in use from a helper process (opened without sharing) until Release.
class FileHolder {
public:
    explicit FileHolder(const std::string& path);
    ~FileHolder() { Release(); }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;
    bool Holding() const { return m_holding; }
    void Release();

private:
    HANDLE m_held = nullptr, m_release = nullptr;
    PROCESS_INFORMATION m_process = {};
    bool m_holding = false;
};

// Holds the Ctrl key down while alive, pressed in the X server (zembra-xkey): Wine takes the modifier
// keys from there whenever one of its windows gains the focus, so a press sent with keybd_event alone
// is undone as soon as the program's message box closes.
class CtrlKeyDown {
public:
    CtrlKeyDown();
    ~CtrlKeyDown();
    CtrlKeyDown(const CtrlKeyDown&) = delete;
    CtrlKeyDown& operator=(const CtrlKeyDown&) = delete;
    // True once Windows programs see the key down.
    bool Pressed() const { return m_pressed; }

private:
    bool m_pressed = false;
};

}  // namespace inst
