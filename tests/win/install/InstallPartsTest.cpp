// Pieces of the installation run under Wine, called in this process: folder creation with the drive
// question, the progress bar's scaling, and the start of programs after a run.
#include "install/FinishPrograms.h"
#include "install/FolderCreation.h"
#include "install/ProgressBar.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/install/InstallRun.h"
#include "tests/win/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// Keeps the current directory of the process as it was.
class CurrentDirectory {
public:
    CurrentDirectory() { ::GetCurrentDirectoryA(MAX_PATH, m_saved); }
    ~CurrentDirectory() { ::SetCurrentDirectoryA(m_saved); }
    std::string Now() const {
        char now[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, now);
        return now;
    }

private:
    char m_saved[MAX_PATH] = {};
};

bool IsFolder(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

const char kMissingDrive[] = "Q:\\";
const char kDriveQuestion[] = "Achtung!!!!\nEs gibt kein Laufwerk\nmit dem Namen: 'Q:\\' !\nVorgang abbrechen?";

}  // namespace

TEST(FolderCreation, MakesEveryMissingLevelAndTakesWhatExists) {
    struct Row {
        const char* name;
        std::string path;           // "@" stands for the scratch folder's path
        const char* prepareFile;    // made first, below the scratch folder
        const char* prepareFolder;  // likewise
        bool result;
        std::vector<std::string> folders;  // below the scratch folder, afterwards
    } rows[] = {
        {"nested levels", "@One\\Two\\Three", "", "", true, {"One", "One\\Two", "One\\Two\\Three"}},
        {"trailing backslash", "@Four\\Five\\", "", "", true, {"Four", "Four\\Five"}},
        {"a file in the folder's place counts as existing", "@Datei", "Datei", "", true, {}},
        {"a folder below a file is attempted and reported made", "@Blocker\\Sub", "Blocker", "", true, {}},
        // The first letter names the drive that is tested: C: exists.
        {"relative, its top folder present", "Cbereit\\Unten", "", "Cbereit", true, {"Cbereit\\Unten"}},
        {"relative, its top folder missing", "Cnirgends\\Unten", "", "", false, {}},
        {"empty path", "", "", "", false, {}},
    };
    for (const Row& r : rows) {
        testing_support::TempFolder scratch("zparts");
        CurrentDirectory keep;
        ASSERT_TRUE(::SetCurrentDirectoryA(scratch.Path().c_str())) << r.name;
        std::string path = r.path;
        if (!path.empty() && path[0] == '@') path = scratch.Path() + path.substr(1);
        if (*r.prepareFile) {
            ASSERT_TRUE(inst::WriteFile(scratch.Path() + r.prepareFile, "x")) << r.name;
        }
        if (*r.prepareFolder) {
            ASSERT_TRUE(::CreateDirectoryA((scratch.Path() + r.prepareFolder).c_str(), nullptr)) << r.name;
        }
        bool abort = false;
        MessageBoxWatcher boxes(IDNO);
        EXPECT_EQ(r.result, CreateFolderPath(path.c_str(), true, &abort)) << r.name;
        EXPECT_TRUE(boxes.Texts().empty()) << r.name << ": no question on an existing drive";
        EXPECT_FALSE(abort) << r.name;
        for (const std::string& folder : r.folders) {
            std::string full = scratch.Path() + folder;
            EXPECT_TRUE(IsFolder(full)) << r.name << ": " << folder;
            EXPECT_EQ(0u, ::GetFileAttributesA(full.c_str()) & FILE_ATTRIBUTE_READONLY) << r.name << ": " << folder;
        }
        if (*r.prepareFile) {
            EXPECT_FALSE(IsFolder(scratch.Path() + r.prepareFile)) << r.name << ": the file stays a file";
        }
        if (std::string(r.name) == "relative, its top folder missing") {
            EXPECT_FALSE(inst::Exists(scratch.Path() + "Cnirgends")) << r.name;
        }
    }
}

TEST(FolderCreation, PathFromTheRootOfTheCurrentDriveSkipsTheDriveTest) {
    testing_support::TempFolder scratch("zparts");
    CurrentDirectory keep;
    ASSERT_TRUE(::SetCurrentDirectoryA(scratch.Path().c_str()));
    std::string rooted = scratch.Path().substr(2) + "Wurzel\\Ast";  // "\users\...\Wurzel\Ast"
    bool abort = false;
    MessageBoxWatcher boxes(IDYES);
    EXPECT_TRUE(CreateFolderPath(rooted.c_str(), true, &abort));
    EXPECT_TRUE(IsFolder(scratch.Path() + "Wurzel\\Ast"));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(abort);
}

TEST(FolderCreation, MissingDriveAsksWhetherToStop) {
    ASSERT_FALSE(DriveExists(kMissingDrive)) << "the test needs a drive letter that Wine does not map";
    struct Row {
        const char* name;
        bool checkDrive;
        int answer;
        bool questions;
        bool abort;
    } rows[] = {
        {"answer No: entry skipped, run goes on", true, IDNO, true, false},
        {"answer Yes: the run is to stop", true, IDYES, true, true},
        {"no drive check: no question", false, IDYES, false, false},
    };
    for (const Row& r : rows) {
        CurrentDirectory keep;
        std::string before = keep.Now();
        bool abort = false;
        MessageBoxWatcher boxes(r.answer);
        EXPECT_FALSE(CreateFolderPath("Q:\\Programme\\Neu", r.checkDrive, &abort)) << r.name;
        std::vector<MessageBoxWatcher::Box> seen = boxes.Boxes();
        ASSERT_EQ(r.questions ? 1u : 0u, seen.size()) << r.name;
        if (r.questions) {
            EXPECT_EQ(kDriveQuestion, seen[0].text) << r.name;
            EXPECT_EQ("Error", seen[0].caption) << r.name;
            EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen[0].buttons) << r.name;
            EXPECT_TRUE(seen[0].hasIcon) << r.name;
        }
        EXPECT_EQ(r.abort, abort) << r.name;
        EXPECT_EQ(before, keep.Now()) << r.name << ": the current directory stays";
    }
}

TEST(FolderCreation, DriveExistsLeavesTheCurrentDirectory) {
    struct Row {
        const char* root;
        bool exists;
    } rows[] = {{"C:\\", true}, {"c:\\", true}, {"Z:\\", true}, {kMissingDrive, false}, {"", false}};
    for (const Row& r : rows) {
        CurrentDirectory keep;
        std::string before = keep.Now();
        EXPECT_EQ(r.exists, DriveExists(r.root)) << "'" << r.root << "'";
        EXPECT_EQ(before, keep.Now()) << "'" << r.root << "'";
    }
}

namespace {
// A progress bar of this process; its position is read back from the control.
class ProgressBar {
public:
    ProgressBar() {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&icc);
        m_bar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
    }
    ~ProgressBar() { ::DestroyWindow(m_bar); }
    HWND Handle() const { return m_bar; }
    int Pos() const { return static_cast<int>(::SendMessageA(m_bar, PBM_GETPOS, 0, 0)); }
    void Force(int pos) const { ::SendMessageA(m_bar, PBM_SETPOS, static_cast<WPARAM>(pos), 0); }

private:
    HWND m_bar;
};
}  // namespace

TEST(ProgressBar, PositionsScaleTo16BitsAndAreSentOnlyWhenTheyChange) {
    ProgressBar bar;
    ASSERT_NE(nullptr, bar.Handle());
    SetProgressRange(bar.Handle(), 65535);
    EXPECT_EQ(65535, static_cast<int>(::SendMessageA(bar.Handle(), PBM_GETRANGE, FALSE, 0)));

    // Each row first sets the bar to a marker position from outside, then calls SetProgressPos: the
    // marker stays when nothing was sent.
    struct Row {
        const char* name;
        bool withBar;
        long done, total;
        int shown;  // the bar's position afterwards
    } rows[] = {
        {"half", true, 50, 100, 32768},
        {"same position again: nothing sent", true, 50, 100, 7},
        {"rounded", true, 1, 3, 21845},
        {"large byte counts", true, 1500000000, 2000000000, 49151},
        {"computed without a bar, then the same with it: nothing sent", false, 10, 100, 7},
        {"with the bar again", true, 10, 100, 7},
        {"a new position", true, 100, 100, 65535},
        {"total 0 gives -1, which the bar shows as its start", true, 5, 0, 0},
        {"total 0 again: nothing sent", true, 6, 0, 7},
    };
    for (const Row& r : rows) {
        bar.Force(7);
        SetProgressPos(r.withBar ? bar.Handle() : nullptr, r.done, r.total);
        EXPECT_EQ(r.shown, bar.Pos()) << r.name;
    }

    SetProgressRange(bar.Handle(), 1);
    SetProgressPos(bar.Handle(), 1, 1);
    EXPECT_EQ(1, bar.Pos()) << "the end of a run fills a bar of range 1";
    SetProgressRange(nullptr, 5);  // no bar, nothing to do
}

TEST(FinishPrograms, RunAndWaitGivesTheExitCodeOrMinusOneWithoutAnyBox) {
    testing_support::TempFolder scratch("zparts");
    std::string helper = scratch.Path() + "helfer.exe";
    ASSERT_TRUE(inst::WriteFile(helper, inst::HelperProgram()));
    ASSERT_TRUE(inst::WriteFile(scratch.Path() + "helfer.wait", "400"));
    struct Row {
        const char* name;
        std::string path;
        int result;
        std::string markers;
    } rows[] = {
        {"waits for the end and reads the exit code", helper, 7,
         "helfer.exe start show=0 cwd=" + scratch.Path().substr(0, scratch.Path().size() - 1) +
             "\r\nhelfer.exe end\r\n"},
        {"a program that is missing", scratch.Path() + "fehlt.exe", -1, ""},
    };
    for (const Row& r : rows) {
        ::DeleteFileA((scratch.Path() + "markers.txt").c_str());
        MessageBoxWatcher boxes(IDOK);
        DWORD start = ::GetTickCount();
        EXPECT_EQ(r.result, RunAndWait(r.path.c_str(), nullptr, 1500, SW_HIDE)) << r.name;
        DWORD took = ::GetTickCount() - start;
        EXPECT_EQ(r.markers, inst::ReadFile(scratch.Path() + "markers.txt")) << r.name;
        EXPECT_TRUE(boxes.Texts().empty()) << r.name;
        EXPECT_LT(took, 10000u) << r.name;
    }
}

TEST(FinishPrograms, NothingToWaitForWithoutAProcess) {
    DWORD start = ::GetTickCount();
    EXPECT_EQ(-1, WaitForProgram(nullptr, 1500));
    EXPECT_LT(::GetTickCount() - start, 200u);
}

TEST(FinishPrograms, RecordedProgramsStartInOrderWithTheirParametersPastOneThatIsMissing) {
    testing_support::TempFolder scratch("zparts");
    testing_support::TempFolder elsewhere("zparts");
    std::string nyTmp = scratch.Path() + "ny.tmp";
    ASSERT_TRUE(inst::WriteFile(nyTmp, "[PARA]\r\nSetup=x\r\n"));
    ASSERT_TRUE(inst::WriteFile(scratch.Path() + "eins.exe", inst::HelperProgram()));
    ASSERT_TRUE(inst::WriteFile(scratch.Path() + "zwei.exe", inst::HelperProgram()));
    ASSERT_TRUE(inst::WriteFile(scratch.Path() + "eins.wait", "600"));
    RecordFinishProgram(nyTmp.c_str(), 0, (scratch.Path() + "fehlt.exe").c_str(), "", false, true);
    RecordFinishProgram(nyTmp.c_str(), 1, (scratch.Path() + "eins.exe").c_str(), "/register", true, true);
    RecordFinishProgram(nyTmp.c_str(), 2, (scratch.Path() + "zwei.exe").c_str(), "a b", false, false);
    char section[4096] = {};
    DWORD length = ::GetPrivateProfileSectionA("Run", section, sizeof(section), nyTmp.c_str());
    EXPECT_EQ("Prg0=" + scratch.Path() + "fehlt.exe|Prg0Wait=1|Prg1=" + scratch.Path() +
                  "eins.exe|Prg1Params=/register|Prg1Hide=1|Prg1Wait=1|Prg2=" + scratch.Path() + "zwei.exe|Prg2Params=a b|",
              [&] {
                  std::string keys(section, length);
                  for (char& c : keys)
                      if (c == '\0') c = '|';
                  return keys;
              }());

    CurrentDirectory keep;
    MessageBoxWatcher boxes(IDOK);
    // The programs inherit the folder given, whatever the current directory was.
    ::SetCurrentDirectoryA(elsewhere.Path().c_str());
    StartRecordedPrograms(nyTmp.c_str(), scratch.Path().c_str(), false);
    std::string cwd = scratch.Path().substr(0, scratch.Path().size() - 1);
    std::string expected = "eins.exe start show=0 cwd=" + cwd + " args=/register\r\neins.exe end\r\nzwei.exe start show=8 cwd=" +
                           cwd + " args=a b\r\n";
    EXPECT_TRUE(gui::WaitUntil([&] { return inst::ReadFile(scratch.Path() + "markers.txt").size() >= expected.size(); }, 10000));
    EXPECT_EQ(expected, inst::ReadFile(scratch.Path() + "markers.txt"));
    EXPECT_TRUE(boxes.Texts().empty());
    ::Sleep(300);  // until the last program has let go of its folder
}
