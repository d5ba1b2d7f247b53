// Whole installations with the real setup program and library on the virtual display: packages from
// the package writer, questions read and answered from outside as a user would.
#include "tests/win/install/InstallRun.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using inst::Entry;
using inst::Installation;
using inst::Question;
using inst::kTexts;

namespace {

Entry File(const char* flags, const std::string& name, const std::string& dir, const std::string& data) {
    Entry e;
    e.flags = flags;
    e.name = name;
    e.dir = dir;
    e.data = data;
    return e;
}

std::string Without(std::string folder) {
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += item + "|";
    return text;
}

// The checked radio button of the overwrite dialog, 0-3, or -1.
int CheckedChoice(HWND dialog) {
    for (int c = 0; c < 4; ++c)
        if (::SendMessageA(::GetDlgItem(dialog, inst::kChoice0 + c), BM_GETCHECK, 0, 0) == BST_CHECKED) return c;
    return -1;
}

// A click on a radio button as the user makes it: the button checks itself and tells the dialog.
void ClickRadio(HWND dialog, int choice) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(::GetDlgItem(dialog, inst::kChoice0 + choice), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

const char kDriveQuestion[] = "Achtung!!!!\nEs gibt kein Laufwerk\nmit dem Namen: 'Q:\\' !\nVorgang abbrechen?";

}  // namespace

TEST(InstallRun, UnattendedRunInstallsTheEnabledFilesStartsTheProgramsAndCloses) {
    Installation run;
    const std::string helper = inst::HelperProgram();
    ASSERT_FALSE(helper.empty());
    const std::string text = inst::Text(5000, 1), noise = inst::Noise(200000, 2);
    run.entries = {
        File("10000000", "liesmich.txt", "<INSTALLDIR>", text),
        File("10000000", "daten.bin", "<INSTALLDIR>\\Bin\\Tief", noise),
        File("01111111", "aus.txt", "<INSTALLDIR>", "position 1 off"),
        File("1000000", "kurz.txt", "<INSTALLDIR>", "seven flags"),
        File("100000000", "lang.txt", "<INSTALLDIR>", "nine flags"),
        File("10000000", "erster.wait", "<INSTALLDIR>", "1500"),
        File("10000111", "erster.exe", "<INSTALLDIR>", helper),
        File("10000100", "zweiter.exe", "<INSTALLDIR>", helper),
    };
    const std::string T = run.Target();
    ASSERT_TRUE(run.Start("/auto"));
    ASSERT_NE(nullptr, run.WaitForDialog());
    EXPECT_TRUE(run.WaitForExit(60000)) << "the dialog closes by itself after the run";

    struct Row {
        const char* name;
        std::string file;
        bool present;
        std::string content;
    } rows[] = {
        {"text file", "liesmich.txt", true, text},
        {"nested folders made", "Bin\\Tief\\daten.bin", true, noise},
        {"position 1 off", "aus.txt", false, ""},
        {"seven flag characters", "kurz.txt", false, ""},
        {"nine flag characters", "lang.txt", false, ""},
        {"first program", "erster.exe", true, helper},
        {"second program", "zweiter.exe", true, helper},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.present, inst::Exists(run.TargetFile(r.file))) << r.name;
        if (r.present) {
            EXPECT_TRUE(run.Read(r.file) == r.content) << r.name << ": not byte-exact";
        }
    }

    Installation::List list = run.ReadList();
    ASSERT_TRUE(list.exists);
    EXPECT_TRUE(list.attributes & FILE_ATTRIBUTE_HIDDEN) << "the list file is hidden";
    EXPECT_EQ(Joined({T + "liesmich.txt", T + "Bin\\Tief\\daten.bin", T + "erster.wait", T + "erster.exe",
                      T + "zweiter.exe"}),
              Joined(list.files));
    // Folders missing when their first entry came up, and "Bin", made on the way, after its folder.
    EXPECT_EQ(Joined({T, T + "Bin\\Tief", T + "Bin\\"}), Joined(list.dirs));
    EXPECT_EQ("3.1", run.RegistryVersion());

    std::map<std::string, std::string> expectedKeys = {
        {"Prg0", T + "erster.exe"}, {"Prg0Hide", "1"}, {"Prg0Wait", "1"}, {"Prg1", T + "zweiter.exe"}};
    EXPECT_EQ(expectedKeys, run.RunKeys());

    // The first hidden (show 0) and waited for; the second shown without activation (8) after it ended;
    // both in the install folder.
    std::string expected = Lines({"erster.exe start show=0 cwd=" + Without(T), "erster.exe end",
                                  "zweiter.exe start show=8 cwd=" + Without(T)});
    EXPECT_TRUE(gui::WaitUntil([&] { return run.Read("markers.txt").size() >= expected.size(); }, 15000));
    ::Sleep(500);
    EXPECT_EQ(expected, run.Read("markers.txt")) << "each program starts once, in order";
}

TEST(InstallRun, InstallButtonRunsAndTheClosingButtonStartsThePrograms) {
    struct Row {
        const char* name;
        int closeWith;         // after the run
        int extraCloses;       // further close requests while the programs start
        bool programsStart;
    } rows[] = {
        {"Cancel after the run starts the programs", IDCANCEL, 0, true},
        {"close requests while they start are ignored", IDCANCEL, 3, true},
        {"Installieren again closes without them", inst::kInstall, 0, false},
    };
    for (const Row& r : rows) {
        Installation run;
        const std::string helper = inst::HelperProgram();
        run.entries = {File("10000000", "a.txt", "<INSTALLDIR>", "Inhalt a"),
                       File("10000000", "prog.wait", "<INSTALLDIR>", "1500"),
                       File("10000101", "prog.exe", "<INSTALLDIR>\\", helper),
                       File("10000100", "zwei.exe", "<INSTALLDIR>", helper)};
        ASSERT_TRUE(run.Start()) << r.name;
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog) << r.name;
        ::Sleep(1000);
        EXPECT_FALSE(inst::Exists(run.Target())) << r.name << ": nothing happens before the button";
        EXPECT_TRUE(gui::IsVisible(run.Item(inst::kInstall))) << r.name;

        gui::Click(dialog, inst::kInstall);
        EXPECT_TRUE(gui::WaitUntil([&] { return run.Finished(); }, 30000)) << r.name;
        EXPECT_FALSE(gui::IsVisible(run.Item(inst::kInstall))) << r.name;
        EXPECT_TRUE(::IsWindowEnabled(run.Item(IDCANCEL))) << r.name;
        EXPECT_EQ("Inhalt a", run.Read("a.txt")) << r.name;
        EXPECT_EQ(std::string("Ordner:\t") + run.Target() + "\nDatei:\tzwei.exe\nGröße:\t" + std::to_string(helper.size()),
                  run.ItemText(inst::kFileInfo))
            << r.name << ": the status line of the last file";
        HWND bar = run.Item(inst::kProgress);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), ::SendMessageA(bar, PBM_GETPOS, 0, 0))
            << r.name << ": the bar is full";
        ::Sleep(1000);
        EXPECT_FALSE(inst::Exists(run.TargetFile("markers.txt"))) << r.name << ": programs wait for the close";

        gui::Click(dialog, r.closeWith);
        for (int i = 0; i < r.extraCloses; ++i) {
            ::Sleep(300);
            gui::Click(dialog, IDCANCEL);
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(run.WaitForExit(20000)) << r.name;
        std::string T = run.Target();
        std::string expected =
            r.programsStart ? Lines({"prog.exe start show=8 cwd=" + Without(T), "prog.exe end",
                                     "zwei.exe start show=8 cwd=" + Without(T)})
                            : "";
        gui::WaitUntil([&] { return run.Read("markers.txt").size() >= expected.size(); }, 10000);
        ::Sleep(r.programsStart ? 500 : 2000);
        EXPECT_EQ(expected, run.Read("markers.txt")) << r.name;
    }
}

TEST(InstallRun, OverwriteDialogAsksForExistingTargetsAndRemembersTheAllChoices) {
    const int kEsc = -1;
    struct Row {
        const char* name;
        std::vector<int> answers;  // one per question, in order: a choice 0-3 or Esc
        std::string replaced;      // of the four existing files e1..e4: '1' replaced, '0' kept
    } rows[] = {
        {"Esc installs this file and asks again", {kEsc, kEsc, kEsc, kEsc}, "1111"},
        {"Alle überschreiben answers every later file", {1}, "1111"},
        {"Alle nicht überschreiben keeps every later file", {2, 3}, "0000"},
        {"single answers hold for one file", {0, 2, 0, 2}, "1010"},
    };
    for (const Row& r : rows) {
        Installation run;
        ASSERT_TRUE(::CreateDirectoryA(run.Target().c_str(), nullptr));
        for (int i = 1; i <= 4; ++i) ASSERT_TRUE(inst::WriteFile(run.TargetFile("e" + std::to_string(i)), "alt"));
        ASSERT_TRUE(inst::WriteFile(run.TargetFile("ohne"), "alt"));
        run.entries = {File("11000000", "e1", "<INSTALLDIR>", "neu1"), File("11000000", "e2", "<INSTALLDIR>", "neu2"),
                       File("11000000", "frisch", "<INSTALLDIR>", "neu5"),
                       File("11000000", "e3", "<INSTALLDIR>", "neu3"), File("11000000", "e4", "<INSTALLDIR>", "neu4"),
                       File("10000000", "ohne", "<INSTALLDIR>", "neu6")};
        ASSERT_TRUE(run.Start("/auto")) << r.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << r.name;

        std::vector<std::string> asked;
        for (size_t q = 0; q < r.answers.size(); ++q) {
            Question question = run.NextQuestion();
            ASSERT_TRUE(question.overwriteDialog) << r.name << ", question " << q << ": " << question.text;
            asked.push_back(question.text);
            EXPECT_EQ("Setup", question.caption) << r.name;
            EXPECT_EQ(0, CheckedChoice(question.window)) << r.name << ": opens on Überschreiben";
            EXPECT_EQ(kTexts[5], gui::WindowText(::GetDlgItem(question.window, inst::kConfirm))) << r.name;
            if (q == 0) {
                // The label follows the radio buttons; the question stays.
                for (int c : {1, 2, 3, 0, 2}) {
                    ClickRadio(question.window, c);
                    EXPECT_EQ(c, CheckedChoice(question.window)) << r.name;
                    EXPECT_EQ(kTexts[5 + c], gui::WindowText(::GetDlgItem(question.window, inst::kConfirm)))
                        << r.name << ", choice " << c;
                    EXPECT_EQ(question.text, gui::WindowText(::GetDlgItem(question.window, inst::kQuestion))) << r.name;
                }
            }
            int answer = r.answers[q];
            if (answer == kEsc) {
                ASSERT_TRUE(run.Answer(question, IDCANCEL)) << r.name;
            } else {
                ClickRadio(question.window, answer);
                ASSERT_TRUE(run.Answer(question, inst::kConfirm)) << r.name;
            }
        }
        EXPECT_TRUE(run.WaitForExit(30000)) << r.name << ": no further question";

        std::vector<std::string> expectedAsked, installed;
        const int order[] = {1, 2, 3, 4};
        for (size_t q = 0; q < r.answers.size(); ++q)
            expectedAsked.push_back("Die Datei " + run.TargetFile("e" + std::to_string(order[q])) + " gibt es schon.");
        EXPECT_EQ(Joined(expectedAsked), Joined(asked)) << r.name;
        for (int i = 1; i <= 4; ++i) {
            std::string name = "e" + std::to_string(i);
            bool replaced = r.replaced[i - 1] == '1';
            EXPECT_EQ(replaced ? "neu" + std::to_string(i) : "alt", run.Read(name)) << r.name << ": " << name;
            if (replaced) installed.push_back(run.TargetFile(name));
            if (i == 2) installed.push_back(run.TargetFile("frisch"));
        }
        installed.push_back(run.TargetFile("ohne"));
        EXPECT_EQ("neu5", run.Read("frisch")) << r.name << ": a new file is not asked about";
        EXPECT_EQ("neu6", run.Read("ohne")) << r.name << ": without position 2 nothing is asked";
        EXPECT_EQ(Joined(installed), Joined(run.ReadList().files)) << r.name << ": kept files are not listed";
    }
}

namespace {
// An installation into a prepared folder whose first two targets another program keeps in use.
struct LockedRun {
    Installation run;
    LockedRun() {
        ::CreateDirectoryA(run.Target().c_str(), nullptr);
        inst::WriteFile(run.TargetFile("l1.dat"), "alt1");
        inst::WriteFile(run.TargetFile("l2.dat"), "alt2");
        run.entries = {File("10000000", "l1.dat", "<INSTALLDIR>", "neu1"), File("10000000", "l2.dat", "<INSTALLDIR>", "neu2"),
                       File("10000000", "danach.txt", "<INSTALLDIR>", "neu3")};
    }
    std::string InUse(const char* name) { return run.TargetFile(name) + kTexts[3]; }
    std::string GivenUp(const char* name) { return run.TargetFile(name) + kTexts[4]; }
};
}  // namespace

TEST(InstallRun, TargetInUseIsRetriedOrGivenUp) {
    struct Row {
        const char* name;
        bool retry;
    } rows[] = {{"retry after the holder lets go installs the file", true}, {"giving up keeps the old file", false}};
    for (const Row& r : rows) {
        LockedRun locked;
        Installation& run = locked.run;
        inst::FileHolder holder(run.TargetFile("l1.dat"));
        ASSERT_TRUE(holder.Holding()) << r.name;
        ASSERT_TRUE(run.Start("/auto")) << r.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << r.name;

        Question q = run.NextQuestion();
        EXPECT_EQ("Setup", q.caption) << r.name;
        EXPECT_EQ(locked.InUse("l1.dat"), q.text) << r.name;
        if (r.retry) {
            ASSERT_TRUE(run.Answer(q, IDRETRY)) << r.name;
            q = run.NextQuestion();
            EXPECT_EQ(locked.InUse("l1.dat"), q.text) << r.name << ": still in use, asked again";
            holder.Release();
            ASSERT_TRUE(run.Answer(q, IDRETRY)) << r.name;
        } else {
            ASSERT_TRUE(run.Answer(q, IDCANCEL)) << r.name;
            q = run.NextQuestion();
            EXPECT_EQ(locked.GivenUp("l1.dat"), q.text) << r.name;
            EXPECT_EQ("Setup", q.caption) << r.name;
            ASSERT_TRUE(run.Answer(q, IDOK)) << r.name;
        }
        EXPECT_TRUE(run.WaitForExit(30000)) << r.name << ": no further question";
        holder.Release();
        EXPECT_EQ(r.retry ? "neu1" : "alt1", run.Read("l1.dat")) << r.name;
        EXPECT_EQ("neu2", run.Read("l2.dat")) << r.name;
        EXPECT_EQ("neu3", run.Read("danach.txt")) << r.name << ": the run goes on";
        std::vector<std::string> listed = {run.TargetFile("l2.dat"), run.TargetFile("danach.txt")};
        if (r.retry) listed.insert(listed.begin(), run.TargetFile("l1.dat"));
        EXPECT_EQ(Joined(listed), Joined(run.ReadList().files)) << r.name;
    }
}

TEST(InstallRun, CtrlHeldWhileAnsweringAppliesTheAnswerToLaterTargetsInUse) {
    struct Row {
        const char* name;
        int answer;
    } rows[] = {{"always retry", IDRETRY}, {"always give up", IDCANCEL}};
    for (const Row& r : rows) {
        LockedRun locked;
        Installation& run = locked.run;
        inst::FileHolder holder1(run.TargetFile("l1.dat")), holder2(run.TargetFile("l2.dat"));
        ASSERT_TRUE(holder1.Holding() && holder2.Holding()) << r.name;
        ASSERT_TRUE(run.Start("/auto")) << r.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << r.name;

        Question q = run.NextQuestion();
        EXPECT_EQ(locked.InUse("l1.dat"), q.text) << r.name;
        {
            inst::CtrlKeyDown ctrl;
            ASSERT_TRUE(ctrl.Pressed()) << r.name;
            ASSERT_TRUE(run.Answer(q, r.answer)) << r.name;
            ::Sleep(500);  // until the program has read the key
        }
        std::vector<std::string> later;
        if (r.answer == IDRETRY) {
            // Retrying by itself, the program stays responsive.
            for (int i = 0; i < 4; ++i) {
                DWORD_PTR ignored = 0;
                EXPECT_TRUE(::SendMessageTimeoutA(run.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 1500, &ignored))
                    << r.name << ": the dialog answers while the file stays in use";
                ::Sleep(250);
            }
            EXPECT_FALSE(run.ReadList().exists) << r.name << ": still retrying";
            holder1.Release();
            holder2.Release();
        } else {
            for (int i = 0; i < 2; ++i) {
                Question given = run.NextQuestion();
                later.push_back(given.text);
                ASSERT_TRUE(run.Answer(given, IDOK)) << r.name;
            }
        }
        EXPECT_TRUE(run.WaitForExit(30000)) << r.name << ": no further question";
        holder1.Release();
        holder2.Release();
        if (r.answer == IDRETRY) {
            EXPECT_EQ("", Joined(later)) << r.name;
            EXPECT_EQ("neu1", run.Read("l1.dat")) << r.name;
            EXPECT_EQ("neu2", run.Read("l2.dat")) << r.name;
        } else {
            EXPECT_EQ(Joined({locked.GivenUp("l1.dat"), locked.GivenUp("l2.dat")}), Joined(later))
                << r.name << ": the second is given up without asking";
            EXPECT_EQ("alt1", run.Read("l1.dat")) << r.name;
            EXPECT_EQ("alt2", run.Read("l2.dat")) << r.name;
        }
        EXPECT_EQ("neu3", run.Read("danach.txt")) << r.name;
    }
}

TEST(InstallRun, CancelEndsAutomaticRetrying) {
    LockedRun locked;
    Installation& run = locked.run;
    inst::FileHolder holder(run.TargetFile("l1.dat"));
    ASSERT_TRUE(holder.Holding());
    ASSERT_TRUE(run.Start("/auto"));
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    Question q = run.NextQuestion();
    ASSERT_EQ(locked.InUse("l1.dat"), q.text);
    {
        inst::CtrlKeyDown ctrl;
        ASSERT_TRUE(ctrl.Pressed());
        ASSERT_TRUE(run.Answer(q, IDRETRY));
        ::Sleep(500);
    }
    ::Sleep(1000);
    gui::Click(dialog, IDCANCEL);
    Question cancel = run.NextQuestion();
    EXPECT_EQ("Testprodukt", cancel.caption);
    EXPECT_EQ(kTexts[1], cancel.text);
    ASSERT_TRUE(run.Answer(cancel, IDYES));
    EXPECT_TRUE(run.WaitForExit(15000)) << "the retrying ends and the dialog closes";
    holder.Release();
    EXPECT_EQ("alt1", run.Read("l1.dat"));
    EXPECT_FALSE(inst::Exists(run.TargetFile("danach.txt")));
    EXPECT_EQ("", Joined(run.ReadList().files));
}

namespace {
const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

// The system's list of renames at the next restart, put back as it was at the end.
class PendingRenames {
public:
    PendingRenames() { m_exists = Read(&m_before); }
    ~PendingRenames() {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (m_exists) {
            ::RegSetValueExA(key, kPending, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(m_before.data()),
                             static_cast<DWORD>(m_before.size()));
        } else {
            ::RegDeleteValueA(key, kPending);
        }
        ::RegCloseKey(key);
    }
    // The pairs (source, destination) that name a file in folder.
    std::vector<std::string> PairsIn(const std::string& folder) const {
        std::string data;
        std::vector<std::string> items, pairs;
        if (!Read(&data)) return pairs;
        for (size_t start = 0; start < data.size();) {
            size_t end = data.find('\0', start);
            if (end == std::string::npos) end = data.size();
            items.push_back(data.substr(start, end - start));
            start = end + 1;
        }
        for (size_t i = 0; i + 1 < items.size(); i += 2)
            if (items[i].find(folder) != std::string::npos) pairs.push_back(items[i] + " -> " + items[i + 1]);
        return pairs;
    }

private:
    static bool Read(std::string* data) {
        char buffer[65536];
        DWORD size = sizeof(buffer);
        if (::RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, kPending, RRF_RT_REG_MULTI_SZ, nullptr, buffer, &size) !=
            ERROR_SUCCESS)
            return false;
        data->assign(buffer, size);
        return true;
    }
    bool m_exists = false;
    std::string m_before;
};
}  // namespace

TEST(InstallRun, TargetInUseWithPosition4GetsASideFileReplacedAtRestart) {
    PendingRenames pending;
    Installation run;
    ASSERT_TRUE(::CreateDirectoryA(run.Target().c_str(), nullptr));
    ASSERT_TRUE(inst::WriteFile(run.TargetFile("tool.exe"), "altes exe"));
    ASSERT_TRUE(inst::WriteFile(run.TargetFile("tool.dll"), "alte dll"));
    run.entries = {File("10010000", "tool.exe", "<INSTALLDIR>", "neues exe"),
                   File("10010000", "tool.dll", "<INSTALLDIR>", "neue dll"),
                   File("10000000", "frei.txt", "<INSTALLDIR>", "frei")};
    inst::FileHolder exe(run.TargetFile("tool.exe")), dll(run.TargetFile("tool.dll"));
    ASSERT_TRUE(exe.Holding() && dll.Holding());
    ASSERT_TRUE(run.Start());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    gui::Click(dialog, inst::kInstall);

    // tool.dll shares the side file tool.tny that tool.exe has taken: it must not take it over.
    std::vector<Question> asked = run.AnswerUntilFinished([&](const Question& q) {
        return q.text == run.TargetFile("tool.dll") + kTexts[3] ? IDCANCEL : IDOK;
    });
    EXPECT_TRUE(run.Finished());
    std::vector<std::string> texts;
    for (const Question& q : asked) texts.push_back(q.caption + ": " + q.text);
    EXPECT_EQ(Joined({"Setup: " + run.TargetFile("tool.dll") + kTexts[3], "Setup: " + run.TargetFile("tool.dll") + kTexts[4],
                      std::string("Setup: ") + kTexts[17]}),
              Joined(texts));

    exe.Release();
    dll.Release();
    EXPECT_EQ("neues exe", run.Read("tool.tny")) << "the side file holds tool.exe's new content";
    EXPECT_EQ("altes exe", run.Read("tool.exe"));
    EXPECT_EQ("alte dll", run.Read("tool.dll"));
    EXPECT_EQ("frei", run.Read("frei.txt"));
    EXPECT_EQ(Joined({"\\??\\" + run.TargetFile("tool.tny") + " -> !\\??\\" + run.TargetFile("tool.exe")}),
              Joined(pending.PairsIn(run.Target())));
    EXPECT_EQ(Joined({run.TargetFile("frei.txt")}), Joined(run.ReadList().files)) << "targets in use are not listed";

    // Closing through Installieren shows the restart note again.
    gui::Click(dialog, inst::kInstall);
    Question again = run.NextQuestion();
    EXPECT_EQ(kTexts[17], again.text);
    ASSERT_TRUE(run.Answer(again, IDOK));
    EXPECT_TRUE(run.WaitForExit(15000));
}

TEST(InstallRun, Position5InstallsOnlyOverOlderVersions) {
    const std::string v1234 = inst::VersionDll("zv_1_2_3_4.dll"), none = inst::VersionDll("zv_none.dll");
    ASSERT_FALSE(v1234.empty());
    ASSERT_FALSE(none.empty());
    struct Row {
        const char* name;
        std::string existing;  // empty: no file there
        long high, low;        // the packaged file's version
        bool installed;
    } rows[] = {
        {"packaged 1.2.5.0 over 1.2.3.4", v1234, 1 * 65536 + 2, 5 * 65536 + 0, true},
        {"packaged 1.2.3.4 over the same", v1234, 1 * 65536 + 2, 3 * 65536 + 4, false},
        {"packaged 1.1.9.9 over 1.2.3.4", v1234, 1 * 65536 + 1, 9 * 65536 + 9, false},
        {"packaged 2.0.0.0 over 1.2.3.4", v1234, 2 * 65536, 0, true},
        {"over a file without a version", none, 1 * 65536, 0, true},
        {"no file there", "", 0, 0, true},
    };
    Installation run;
    ASSERT_TRUE(::CreateDirectoryA(run.Target().c_str(), nullptr));
    int n = 0;
    for (const Row& r : rows) {
        std::string name = "v" + std::to_string(n++) + ".dll";
        if (!r.existing.empty()) {
            ASSERT_TRUE(inst::WriteFile(run.TargetFile(name), r.existing)) << r.name;
        }
        Entry e = File("10001000", name, "<INSTALLDIR>", "neue Version");
        e.extra = "Vers1=" + std::to_string(r.high) + "\r\nVers2=" + std::to_string(r.low) + "\r\n";
        run.entries.push_back(e);
    }
    ASSERT_TRUE(run.Start("/auto"));
    ASSERT_NE(nullptr, run.WaitForDialog());
    EXPECT_TRUE(run.WaitForExit(30000));
    n = 0;
    for (const Row& r : rows) {
        std::string name = "v" + std::to_string(n++) + ".dll";
        EXPECT_EQ(r.installed ? "neue Version" : r.existing, run.Read(name)) << r.name;
    }
}

TEST(InstallRun, Position3ClearsReadOnlyBeforeInstalling) {
    Installation run;
    ASSERT_TRUE(::CreateDirectoryA(run.Target().c_str(), nullptr));
    ASSERT_TRUE(inst::WriteFile(run.TargetFile("schreibgeschuetzt.txt"), "alt und lang, länger als das Neue"));
    ASSERT_TRUE(::SetFileAttributesA(run.TargetFile("schreibgeschuetzt.txt").c_str(),
                                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    run.entries = {File("10100000", "schreibgeschuetzt.txt", "<INSTALLDIR>", "neu")};
    ASSERT_TRUE(run.Start("/auto"));
    ASSERT_NE(nullptr, run.WaitForDialog());
    EXPECT_TRUE(run.WaitForExit(30000));
    EXPECT_EQ("neu", run.Read("schreibgeschuetzt.txt"));
    DWORD attributes = inst::Attributes(run.TargetFile("schreibgeschuetzt.txt"));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_READONLY);
}

TEST(InstallRun, MissingDriveAsksAndYesStopsAtTheNextEntry) {
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA("Q:\\")) << "the test needs a drive that Wine lacks";
    const std::string noFolder1 = "Error: " + std::string(kDriveQuestion) + "|Setup: Der Ordner Q:\\Ziel lässt sich nicht anlegen.|";
    const std::string noFolder2 = "Error: " + std::string(kDriveQuestion) + "|Setup: Der Ordner Q:\\Anders lässt sich nicht anlegen.|";
    struct Row {
        const char* name;
        int answer;
        std::string asked;
        const char* installed;  // of a, b, c
    } rows[] = {
        {"No skips each entry on the missing drive", IDNO, noFolder1 + noFolder2, "111"},
        {"Yes stops at the next entry", IDYES, "Error: " + std::string(kDriveQuestion) + "|", "100"},
    };
    for (const Row& r : rows) {
        Installation run;
        run.entries = {File("10000000", "a.txt", "<INSTALLDIR>", "a"), File("10000000", "q1.txt", "Q:\\Ziel", "q1"),
                       File("10000000", "b.txt", "<INSTALLDIR>", "b"), File("10000000", "q2.txt", "Q:\\Anders", "q2"),
                       File("10000110", "c.exe", "<INSTALLDIR>", inst::HelperProgram())};
        ASSERT_TRUE(run.Start("/auto")) << r.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << r.name;
        std::vector<Question> asked = run.AnswerUntilFinished(
            [&](const Question& q) { return q.caption == "Error" ? r.answer : IDOK; });
        std::vector<std::string> texts;
        for (const Question& q : asked) texts.push_back(q.caption + ": " + q.text);
        EXPECT_EQ(r.asked, Joined(texts)) << r.name;
        EXPECT_TRUE(run.WaitForExit(20000)) << r.name;
        const char* names[] = {"a.txt", "b.txt", "c.exe"};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(r.installed[i] == '1', inst::Exists(run.TargetFile(names[i]))) << r.name << ": " << names[i];
        EXPECT_EQ("3.1", run.RegistryVersion()) << r.name;
        ::Sleep(1000);
        EXPECT_EQ(r.answer == IDNO, inst::Exists(run.TargetFile("markers.txt")))
            << r.name << ": programs start only after a completed run";
    }
}

TEST(InstallRun, CancelDuringALongEntry) {
    // Large enough that decoding it takes seconds under Wine.
    static const std::string big = inst::Text(120u << 20, 9);
    struct Row {
        const char* name;
        int answer;
    } rows[] = {{"No: the run goes on", IDNO}, {"Yes: the entry is dropped and the dialog closes", IDYES}};
    for (const Row& r : rows) {
        Installation run;
        Entry large = File("10000000", "gross.dat", "<INSTALLDIR>", big);
        large.level = 1;
        run.entries = {File("10000000", "vorher.txt", "<INSTALLDIR>", "vorher"), large,
                       File("10000100", "prog.exe", "<INSTALLDIR>", inst::HelperProgram()),
                       File("10000000", "nachher.txt", "<INSTALLDIR>", "nachher")};
        ASSERT_TRUE(run.Start()) << r.name;
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog) << r.name;
        gui::Click(dialog, inst::kInstall);
        // The entry is decoded into a temporary file beside its target. Once that has grown, the library
        // is decoding: the cancel arrives through its pumping.
        auto staged = [&] {
            WIN32_FIND_DATAA found = {};
            HANDLE search = ::FindFirstFileA(run.TargetFile("~zem*.tmp").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) return 0ull;
            ::FindClose(search);
            return static_cast<unsigned long long>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
        };
        ASSERT_TRUE(gui::WaitUntil([&] { return staged() > 0; }, 30000, 5)) << r.name;
        gui::Click(dialog, IDCANCEL);
        Question q = run.NextQuestion();
        EXPECT_EQ("Testprodukt", q.caption) << r.name;
        EXPECT_EQ(kTexts[1], q.text) << r.name;
        // Decoding waits while the question is open: part of the entry is written, none of it in place.
        EXPECT_LT(staged(), big.size()) << r.name;
        EXPECT_FALSE(inst::Exists(run.TargetFile("gross.dat"))) << r.name;
        ASSERT_TRUE(run.Answer(q, r.answer)) << r.name;

        std::vector<std::string> listed;
        if (r.answer == IDNO) {
            EXPECT_TRUE(gui::WaitUntil([&] { return run.Finished(); }, 60000)) << r.name;
            EXPECT_TRUE(run.Read("gross.dat") == big) << r.name << ": decoded whole";
            EXPECT_EQ("nachher", run.Read("nachher.txt")) << r.name;
            listed = {run.TargetFile("vorher.txt"), run.TargetFile("gross.dat"), run.TargetFile("prog.exe"),
                      run.TargetFile("nachher.txt")};
        } else {
            EXPECT_TRUE(run.WaitForExit(30000)) << r.name;
            EXPECT_FALSE(inst::Exists(run.TargetFile("gross.dat"))) << r.name;
            EXPECT_EQ(0u, staged()) << r.name << ": the temporary file is gone";
            EXPECT_FALSE(inst::Exists(run.TargetFile("prog.exe"))) << r.name;
            EXPECT_FALSE(inst::Exists(run.TargetFile("nachher.txt"))) << r.name;
            EXPECT_EQ("3.1", run.RegistryVersion()) << r.name << ": written after a cancelled run too";
            listed = {run.TargetFile("vorher.txt")};
        }
        EXPECT_EQ("vorher", run.Read("vorher.txt")) << r.name;
        EXPECT_EQ(Joined(listed), Joined(run.ReadList().files)) << r.name;
    }
}

TEST(InstallRun, SecondRunIntoTheSameFolderMergesTheList) {
    Installation first;
    first.entries = {File("10000000", "A.txt", "<INSTALLDIR>", "a"), File("10000000", "B.txt", "<INSTALLDIR>", "b"),
                     File("10000000", "Größe.txt", "<INSTALLDIR>", "umlaut"),
                     File("10000000", "x.txt", "<INSTALLDIR>\\Unter", "x")};
    ASSERT_TRUE(first.Start("/auto"));
    ASSERT_NE(nullptr, first.WaitForDialog());
    ASSERT_TRUE(first.WaitForExit(30000));
    const std::string T = first.Target();
    Installation::List before = first.ReadList();
    EXPECT_EQ(Joined({T + "A.txt", T + "B.txt", T + "Größe.txt", T + "Unter\\x.txt"}), Joined(before.files));
    EXPECT_EQ(Joined({T, T + "Unter"}), Joined(before.dirs));
    // Visible and read-only now: the next run must rewrite it all the same and hide it again.
    ASSERT_TRUE(::SetFileAttributesA((T + "UnZembra.ini").c_str(), FILE_ATTRIBUTE_READONLY));

    Installation second;
    second.SetTarget(T);
    second.entries = {File("10000000", "b.TXT", "<INSTALLDIR>", "b2"), File("10000000", "GRÖSSE.txt", "<INSTALLDIR>", "u2"),
                      File("10000000", "E.txt", "<INSTALLDIR>\\Neu", "e")};
    ASSERT_TRUE(second.Start("/auto"));
    ASSERT_NE(nullptr, second.WaitForDialog());
    ASSERT_TRUE(second.WaitForExit(30000));
    Installation::List after = second.ReadList();
    EXPECT_TRUE(after.attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(0u, after.attributes & FILE_ATTRIBUTE_READONLY);
    // "GRÖSSE" is another name than "Größe": only letter case counts as the same.
    EXPECT_EQ(Joined({T + "b.TXT", T + "GRÖSSE.txt", T + "Neu\\E.txt", T + "A.txt", T + "Größe.txt", T + "Unter\\x.txt"}),
              Joined(after.files));
    EXPECT_EQ(Joined({T + "Neu", T, T + "Unter"}), Joined(after.dirs));
    EXPECT_EQ(6, after.fileCount);
}

TEST(InstallRun, EntriesThatCannotBeWrittenWholeAreReportedAndNotListed) {
    Installation run;
    ASSERT_TRUE(::CreateDirectoryA(run.Target().c_str(), nullptr));
    ASSERT_TRUE(inst::WriteFile(run.TargetFile("Sperre"), "a file where a folder should be"));
    Entry refused = File("10000100", "kaputt.exe", "<INSTALLDIR>", "no gzip member");
    refused.stored = true;
    Entry missing = File("10000000", "fehlt.txt", "<INSTALLDIR>", "");
    missing.packaged = false;
    run.entries = {File("10000000", "gut1.txt", "<INSTALLDIR>", "gut1"), refused, missing,
                   File("10000000", "unter.txt", "<INSTALLDIR>\\Sperre\\Sub", "blocked"),
                   File("10000000", "relativ.txt", "Cnirgends\\Bin", "relative"),
                   File("10000000", "gut2.txt", "<INSTALLDIR>", "gut2")};
    ASSERT_TRUE(run.Start("/auto"));
    ASSERT_NE(nullptr, run.WaitForDialog());
    std::vector<Question> asked = run.AnswerUntilFinished([](const Question&) { return IDOK; });
    std::vector<std::string> texts;
    for (const Question& q : asked) texts.push_back(q.caption + ": " + q.text);
    EXPECT_EQ(Joined({"Setup: " + run.TargetFile("kaputt.exe") + kTexts[4], "Setup: " + run.TargetFile("fehlt.txt") + kTexts[4],
                      "Setup: " + run.TargetFile("Sperre\\Sub\\unter.txt") + kTexts[4],
                      "Setup: Der Ordner Cnirgends\\Bin lässt sich nicht anlegen."}),
              Joined(texts));
    EXPECT_TRUE(run.WaitForExit(20000)) << "the run goes on to its end";
    EXPECT_EQ(Joined({run.TargetFile("gut1.txt"), run.TargetFile("gut2.txt")}), Joined(run.ReadList().files));
    EXPECT_TRUE(run.RunKeys().empty()) << "a program not written whole is not recorded";
    ::Sleep(500);
    EXPECT_FALSE(inst::Exists(run.TargetFile("markers.txt")));
}

TEST(InstallRun, PackageThatCannotBeLoadedInstallsNothing) {
    Installation run;
    run.packageOverride = "no package at all";
    run.entries = {File("10000000", "eins.txt", "<INSTALLDIR>", "1"), File("10000000", "zwei.txt", "<INSTALLDIR>", "2")};
    ASSERT_TRUE(run.Start("/auto"));
    ASSERT_NE(nullptr, run.WaitForDialog());
    std::vector<Question> asked = run.AnswerUntilFinished([](const Question&) { return IDOK; });
    std::vector<std::string> texts;
    for (const Question& q : asked) texts.push_back(q.text);
    EXPECT_EQ(Joined({run.TargetFile("eins.txt") + kTexts[4], run.TargetFile("zwei.txt") + kTexts[4]}), Joined(texts));
    EXPECT_TRUE(run.WaitForExit(20000));
    Installation::List list = run.ReadList();
    EXPECT_EQ(0, list.fileCount);
    EXPECT_EQ(Joined({run.Target()}), Joined(list.dirs));
}
