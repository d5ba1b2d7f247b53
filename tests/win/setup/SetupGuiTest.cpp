// The setup program as a user meets it: started in a prepared folder next to a test double of
// zembra1.dll, inspected and operated from outside on the virtual display.
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <richedit.h>
#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::string WinPath(const char* unixPath) {
    std::string path = unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path[0] == '\\' ? "Z:" + path : path;
}

std::string Data(const char* name) { return WinPath(ZEMBRA_SETUP_TEST_DATA) + "\\" + name; }

enum class Library { Fake, Partial, Real, None };

// Control ids of the setup dialog.
constexpr int kNext = 1021, kPic1 = 1031, kPic2 = 1032, kPic3 = 1033, kLabel = 1034, kEdit = 1035, kBrowse = 1036,
              kProgress = 1037, kWait = 1038, kInfo = 1039, kPrev = 1040, kLine = 1041, kPanelTop = 1042,
              kPanelBand = 1043, kInstall = 1047, kView1 = 1048, kView2 = 1049, kView3 = 1050, kCaption = 1051;

const char* const kLayoutIni =
    "[Doc]\r\n"
    "ProName=Testprodukt\r\n"
    "ProVersion=2.5\r\n"
    "DlgWidth=600\r\n"
    "Pic1Width=160\r\n"
    "Pic1Height=320\r\n"
    "Pic2Width=120\r\n"
    "Pic2Height=90\r\n"
    "Pic2Space=15\r\n"
    "Text0=Das Paket fehlt.\r\n"
    "Text11=Schließen\r\n"
    "Text12=Abbruch\r\n"
    "Text13=Los geht's\r\n"
    "Text14=Bitte warten, während installiert wird\r\n"
    "Text15=Zielordner:\r\n"
    "Text16=Ihnen fehlen die Rechte.\r\n";

struct SetupCase {
    std::string ini = kLayoutIni;
    std::string fakeIni;  // [Fake] settings of the test double
    Library library = Library::Fake;
    bool package = true;
    std::string tail;
    std::map<std::string, std::string> files;  // name in the folder -> test data file
    std::map<std::string, std::string> texts;  // name in the folder -> content
    std::vector<std::string> disabledDlls;     // system DLLs that Wine refuses to load for the program
};

// One run of the setup program in its own folder.
class SetupRun {
public:
    explicit SetupRun(const SetupCase& c) : m_folder("zsetup") {
        m_ok = m_folder.Copy(WinPath(ZEMBRA_SETUP_EXE), "Zembra.exe") &&
               Put("Zembra.ini", c.ini) && Put("fake.ini", "[Fake]\r\n" + c.fakeIni) &&
               Put("ny.tmp", "[PARA]\r\nSetup=" + m_folder.Path("paket.dat") + "\r\n");
        if (c.package) m_ok = m_ok && Put("paket.dat", "package");
        switch (c.library) {
        case Library::Fake: m_ok = m_ok && m_folder.Copy(WinPath(ZEMBRA_FAKE_DLL), "zembra1.dll"); break;
        case Library::Partial: m_ok = m_ok && m_folder.Copy(WinPath(ZEMBRA_FAKE_PARTIAL_DLL), "zembra1.dll"); break;
        case Library::Real: m_ok = m_ok && m_folder.Copy(WinPath(ZEMBRA_REAL_DLL), "zembra1.dll"); break;
        case Library::None: break;
        }
        for (const auto& f : c.files) m_ok = m_ok && m_folder.Copy(Data(f.second.c_str()), f.first);
        for (const auto& t : c.texts) m_ok = m_ok && Put(t.first, t.second);
        // Wine's loader reads the program's own DLL overrides from the registry as the program starts.
        HKEY overrides = nullptr;
        if (!c.disabledDlls.empty() &&
            ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zembra.exe\\DllOverrides", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &overrides, nullptr) == ERROR_SUCCESS) {
            for (const std::string& dll : c.disabledDlls)
                ::RegSetValueExA(overrides, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        }
        m_ok = m_ok && m_process.Start(m_folder.Path("Zembra.exe"), c.tail, m_folder.Path());
        if (overrides) {
            ::Sleep(1000);  // until the program has loaded its libraries
            ::RegCloseKey(overrides);
            ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zembra.exe\\DllOverrides");
            ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zembra.exe");
        }
    }
    ~SetupRun() {
        m_process.Kill();
        ::Sleep(100);  // let Wine release the program's files before the folder goes
    }

    bool Started() const { return m_ok; }
    gui::Process& Process() { return m_process; }
    const testing_support::TempFolder& Folder() const { return m_folder; }
    std::string FakeLog() const { return testing_support::TempFolder::Read(m_folder.Path("fake.log")); }
    HWND WaitForDialog(const std::string& title = "Testprodukt V2.5") {
        m_dialog = m_process.WaitForWindow(title, gui::kEventWaitMs);
        // The dialog is visible once its initialisation has run; let it finish painting.
        if (m_dialog) ::Sleep(300);
        return m_dialog;
    }
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }
    std::string Text(int id) const { return gui::WindowText(Item(id)); }
    bool Visible(int id) const { return gui::IsVisible(Item(id)); }
    RECT Rect(int id) const { return gui::ClientRectOf(Item(id)); }

private:
    bool Put(const std::string& name, const std::string& bytes) const { return !m_folder.Write(name, bytes).empty(); }

    testing_support::TempFolder m_folder;
    gui::Process m_process;
    HWND m_dialog = nullptr;
    bool m_ok = false;
};

std::string WithoutKeys(std::string ini, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        size_t at = ini.find(std::string("\r\n") + key + "=");
        if (at == std::string::npos) continue;
        size_t end = ini.find("\r\n", at + 2);
        ini.erase(at, end - at);
    }
    return ini;
}

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right - r.left) +
           " x " + std::to_string(r.bottom - r.top) + ")";
}

RECT Xywh(long x, long y, long w, long h) { return RECT{x, y, x + w, y + h}; }

// The template's own rectangles, in pixels: the dialog made from the program's resources by this
// process, with no code of the program running.
std::map<int, RECT> TemplateRects() {
    std::map<int, RECT> rects;
    HMODULE exe = ::LoadLibraryExA(WinPath(ZEMBRA_SETUP_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) return rects;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    HWND dialog = ::CreateDialogParamA(exe, MAKEINTRESOURCEA(102), nullptr,
                                       [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    if (dialog) {
        for (int id : {kInstall, kLabel, kWait, kProgress, kInfo, kCaption}) rects[id] = gui::ClientRectOf(::GetDlgItem(dialog, id));
        ::DestroyWindow(dialog);
    }
    ::FreeLibrary(exe);
    return rects;
}

long Width(const RECT& r) { return r.right - r.left; }
long Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

namespace {
struct Layout {
    const char* name;
    long W, P1W, P1H, P2W, P2H, P2S;
};

void ExpectLayout(const Layout& layout) {
    const long W = layout.W, P1W = layout.P1W, P1H = layout.P1H, P2W = layout.P2W, P2H = layout.P2H,
               P2S = layout.P2S, B = 40;
    SetupCase c;
    c.ini = WithoutKeys(kLayoutIni, {"DlgWidth", "Pic1Width", "Pic1Height", "Pic2Width", "Pic2Height", "Pic2Space"}) +
            "DlgWidth=" + std::to_string(W) + "\r\nPic1Width=" + std::to_string(P1W) + "\r\nPic1Height=" +
            std::to_string(P1H) + "\r\nPic2Width=" + std::to_string(P2W) + "\r\nPic2Height=" + std::to_string(P2H) +
            "\r\nPic2Space=" + std::to_string(P2S) + "\r\n";
    SetupRun run(c);
    ASSERT_TRUE(run.Started()) << layout.name;
    ASSERT_NE(nullptr, run.WaitForDialog()) << layout.name;

    const long F = ::GetSystemMetrics(SM_CYDLGFRAME), T = ::GetSystemMetrics(SM_CYCAPTION);
    std::map<int, RECT> tpl = TemplateRects();
    ASSERT_EQ(6u, tpl.size());
    const long bw = Width(tpl[kInstall]), bh = Height(tpl[kInstall]);
    const long lw = Width(tpl[kLabel]), lh = Height(tpl[kLabel]);
    const long h1038 = Height(tpl[kWait]), h1037 = Height(tpl[kProgress]), h1039 = Height(tpl[kInfo]);
    const long y0 = P1H / 2 - 10;
    const long editX = P1W + lw + 13, editW = W - P1W - lw - 43;

    struct Row {
        const char* name;
        int id;
        RECT expected;
    } rows[] = {
        {"picture of page 0", kPic1, Xywh(0, 0, P1W, P1H)},
        {"picture of page 1", kPic2, Xywh(W - P2W - P2S, 0, P2W, P2H)},
        {"picture of page 2", kPic3, Xywh(0, 0, P1W, P1H)},
        {"previous-page button", kPrev, Xywh(0, P1H + 10, 30, 24)},
        {"next-page button", kNext, Xywh(40, P1H + 10, 30, 24)},
        {"install button", kInstall, Xywh(W - 2 * (F + bw + 10), P1H + 10, bw, bh)},
        {"cancel button", IDCANCEL, Xywh(W - (2 * F + 10) - bw, P1H + 10, bw, bh)},
        {"separator line", kLine, Xywh(0, P1H, W + 5, 2)},
        {"wait text", kWait, Xywh(20, y0, W - 2 * F - 40, h1038)},
        {"progress bar", kProgress, Xywh(20, y0 + h1038 + 5, W - 2 * F - 40, h1037)},
        {"file information", kInfo, Xywh(20, y0 + h1038 + 5 + h1037 + 5, W - 2 * F - 40, h1039)},
        {"folder label", kLabel, Xywh(P1W + 10, P1H - lh - 5, lw, lh)},
        {"folder edit", kEdit, Xywh(editX, P1H - lh - 5, editW, lh)},
        {"browse button", kBrowse, Xywh(editX + editW, P1H - lh - 5, 20, lh)},
        {"text of page 0", kView1, Xywh(P1W + 10, 0, W - P1W - 20, P1H)},
        {"text of page 1", kView2, Xywh(5, 0, W - P2S - P2W - 5, P2H)},
        {"text of page 2", kView3, Xywh(P1W + 10, 0, W - P1W - 20, P1H)},
        {"white panel of pages 0 and 2", kPanelTop, Xywh(0, 0, W, P1H)},
        {"white band of page 1", kPanelBand, Xywh(0, 0, W, P2H)},
        {"band caption", kCaption, Xywh(5, P1H + 5, Width(tpl[kCaption]), Height(tpl[kCaption]))},
    };
    for (const Row& row : rows) {
        ASSERT_NE(nullptr, run.Item(row.id)) << layout.name << ", " << row.name;
        EXPECT_EQ(RectText(row.expected), RectText(run.Rect(row.id))) << layout.name << ", " << row.name;
    }

    RECT window = gui::ScreenRect(run.Dialog());
    EXPECT_EQ(W, Width(window)) << layout.name;
    EXPECT_EQ(B + P1H + T + 2 * F, Height(window)) << layout.name;
    EXPECT_NEAR((::GetSystemMetrics(SM_CXSCREEN) - W) / 2, window.left, 1) << layout.name << ": centred";
}
}  // namespace

TEST(SetupDialog, PlacesEveryControlFromTheConfiguredSizes) {
    const Layout layouts[] = {
        {"even sizes", 600, 160, 320, 120, 90, 15},
        {"odd sizes: halves truncate", 451, 99, 301, 77, 55, 3},
    };
    for (const Layout& layout : layouts) ExpectLayout(layout);
}


TEST(SetupDialog, TitleJoinsProductNameAndVersion) {
    struct Row {
        const char* name;
        std::string ini;
        const char* title;
    } rows[] = {
        {"name and version", kLayoutIni, "Testprodukt V2.5"},
        {"both absent", WithoutKeys(kLayoutIni, {"ProName", "ProVersion"}), " V"},
        {"version absent", WithoutKeys(kLayoutIni, {"ProVersion"}), "Testprodukt V"},
        {"umlaut in the name", "[Doc]\r\nProName=Größenwahn\r\nProVersion=1\r\nDlgWidth=500\r\nPic1Height=200\r\n",
         "Größenwahn V1"},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.ini = row.ini;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        EXPECT_NE(nullptr, run.WaitForDialog(row.title)) << row.name;
    }
}

TEST(SetupDialog, CaptionsComeFromNumberedTexts) {
    struct Row {
        const char* name;
        std::string ini;
        const char *cancel, *install, *wait, *label;
    } rows[] = {
        {"texts given", kLayoutIni, "Abbruch", "Los geht's", "Bitte warten, während installiert wird", "Zielordner:"},
        {"texts absent: empty captions, not the template's",
         WithoutKeys(kLayoutIni, {"Text12", "Text13", "Text14", "Text15"}), "", "", "", ""},
        {"byte 6 is a line break",
         WithoutKeys(kLayoutIni, {"Text14", "Text15"}) + "Text14=erste Zeile\x06zweite Zeile\r\nText15=Ziel\x06ordner\r\n", "Abbruch",
         "Los geht's", "erste Zeile\nzweite Zeile", "Ziel\nordner"},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.ini = row.ini;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << row.name;
        EXPECT_EQ(row.cancel, run.Text(IDCANCEL)) << row.name;
        EXPECT_EQ(row.install, run.Text(kInstall)) << row.name;
        EXPECT_EQ(row.wait, run.Text(kWait)) << row.name;
        EXPECT_EQ(row.label, run.Text(kLabel)) << row.name;
        EXPECT_EQ("", run.Text(kInfo)) << row.name << ": the template's sample file information is cleared";
    }
}

TEST(SetupDialog, StartPageShowsTheFolderControlsOnlyWhenThePathMayChange) {
    struct Row {
        const char* name;
        const char* fakeIni;
        bool folderControls;
    } rows[] = {
        {"PathChange 1", "PathChange=1\r\n", true},
        {"PathChange 0", "PathChange=0\r\n", false},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.fakeIni = row.fakeIni;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << row.name;
        for (int id : {kView1, kPanelTop, kPic1, kInstall, IDCANCEL, kLine, kCaption})
            EXPECT_TRUE(run.Visible(id)) << row.name << ": control " << id;
        for (int id : {kLabel, kEdit, kBrowse})
            EXPECT_EQ(row.folderControls, run.Visible(id)) << row.name << ": control " << id;
        for (int id : {kView2, kPic2, kPanelBand, kWait, kInfo, kProgress, kView3, kPic3, kPrev, kNext})
            EXPECT_FALSE(run.Visible(id)) << row.name << ": control " << id;
        EXPECT_EQ("C:\\Programme\\Fake\\", run.Text(kEdit)) << row.name << ": the library's folder";
    }
}

TEST(SetupDialog, PagesFollowTheRunStateWithTheirCancelCaption) {
    SetupRun run(SetupCase{});
    ASSERT_TRUE(run.Started());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);

    struct Step {
        const char* name;
        int command;
        std::initializer_list<int> shown, hidden;
        const char* cancel;
    } steps[] = {
        {"back on page 0 changes nothing", kPrev, {kView1, kPic1, kInstall, kEdit}, {kView2, kView3}, "Abbruch"},
        {"page 1", kNext, {kView2, kPic2, kPanelBand, kWait, kInfo, kProgress}, {kView1, kInstall, kEdit, kView3},
         "Abbruch"},
        {"page 2", kNext, {kView3, kPic3, kPanelTop}, {kView1, kView2, kInstall, kEdit, kProgress}, "Schließen"},
        {"forward on page 2 changes nothing", kNext, {kView3, kPic3}, {kView2, kInstall}, "Schließen"},
        {"back to page 1", kPrev, {kView2, kProgress}, {kView3, kInstall}, "Abbruch"},
        {"back to page 0", kPrev, {kView1, kInstall, kLabel, kEdit, kBrowse}, {kView2, kView3, kProgress},
         "Abbruch"},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(gui::ClickAndWait(dialog, step.command)) << step.name;
        for (int id : step.shown) EXPECT_TRUE(run.Visible(id)) << step.name << ": control " << id;
        for (int id : step.hidden) EXPECT_FALSE(run.Visible(id)) << step.name << ": control " << id;
        EXPECT_EQ(step.cancel, run.Text(IDCANCEL)) << step.name;
    }
}

TEST(SetupStart, RightsCheckAsksBothGroupsAndRefusesWithText16) {
    struct Row {
        const char* name;
        int level;
        int admin, powerUser;
        bool refused;
    } rows[] = {
        {"level 3 refuses every user", 3, 1, 1, true},
        {"level 1 with Power Users only", 1, 0, 1, false},
        {"level 2 with Power Users only", 2, 0, 1, true},
        {"level 2 with Administrators", 2, 1, 0, false},
        {"level 1 with neither group", 1, 0, 0, true},
        {"level -1 refuses every user", -1, 1, 1, true},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.ini += "SecurityNTAuthority=" + std::to_string(row.level) + "\r\n";
        c.fakeIni = "Admin=" + std::to_string(row.admin) + "\r\nPowerUser=" + std::to_string(row.powerUser) + "\r\n";
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        if (row.refused) {
            HWND box = run.Process().WaitForWindow("Setup", gui::kEventWaitMs);
            ASSERT_NE(nullptr, box) << row.name;
            EXPECT_EQ("Ihnen fehlen die Rechte.", gui::MessageBoxText(box)) << row.name;
            EXPECT_EQ(1u, run.Process().Windows().size()) << row.name << ": nothing but the message is shown";
            EXPECT_TRUE(gui::AnswerMessageBox(box, IDOK)) << row.name;
            EXPECT_TRUE(run.Process().WaitForExit(gui::kEventWaitMs)) << row.name;
        } else {
            EXPECT_NE(nullptr, run.WaitForDialog()) << row.name;
        }
        EXPECT_EQ(0u, run.FakeLog().find("IsUserMemberOfGroup 1\nIsUserMemberOfGroup 0\n"))
            << row.name << ": Power Users first, then Administrators";
    }
}

TEST(SetupStart, NoRightsCheckWithoutSecurityNTAuthority) {
    SetupCase c;
    c.fakeIni = "Admin=0\r\nPowerUser=0\r\n";
    SetupRun run(c);
    ASSERT_TRUE(run.Started());
    ASSERT_NE(nullptr, run.WaitForDialog());
    EXPECT_EQ(std::string::npos, run.FakeLog().find("IsUserMemberOfGroup"));
}

TEST(SetupStart, FailuresEndTheProgramWithoutTheDialog) {
    struct Row {
        const char* name;
        Library library;
        bool package;
        const char* tail;
        const char* caption;  // null: no window at all
        const char* message;
        const char* fakeIni = "";
    } rows[] = {
        {"package missing", Library::Fake, false, "", "Setup", "Das Paket fehlt."},
        {"package missing, unattended", Library::Fake, false, "/auto", "Setup", "Das Paket fehlt."},
        {"zembra1.dll missing", Library::None, true, "", "Zembra", "Ungültiger Aufruf"},
        {"an export missing", Library::Partial, true, "", nullptr, nullptr},
        // The library tells the user itself; the double says nothing.
        {"no install path", Library::Fake, true, "", nullptr, nullptr, "InstallPathResult=0\r\n"},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.fakeIni = row.fakeIni;
        c.library = row.library;
        c.package = row.package;
        c.tail = row.tail;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        if (row.caption) {
            HWND box = run.Process().WaitForWindow(row.caption, gui::kEventWaitMs);
            ASSERT_NE(nullptr, box) << row.name;
            EXPECT_EQ(row.message, gui::MessageBoxText(box)) << row.name;
            EXPECT_EQ(1u, run.Process().Windows().size()) << row.name << ": nothing but the message is shown";
            EXPECT_TRUE(gui::AnswerMessageBox(box, IDOK)) << row.name;
            EXPECT_TRUE(run.Process().WaitForExit(gui::kEventWaitMs)) << row.name;
        } else {
            size_t most = 0;
            bool ended = gui::WaitUntil(
                [&] {
                    most = std::max(most, run.Process().Windows().size());
                    return !run.Process().Running();
                },
                gui::kEventWaitMs, 5);
            EXPECT_TRUE(ended) << row.name;
            EXPECT_EQ(0u, most) << row.name << ": no window at all";
        }
        std::string log = run.FakeLog();
        EXPECT_EQ(row.library == Library::Fake, log.find("GetInstallPath") != std::string::npos)
            << row.name << ": the dialog asks for the folder before it checks the package";
        EXPECT_EQ(std::string::npos, log.find("SetProgress")) << row.name << ": no installation";
    }
}

TEST(SetupStart, AutoSwitchIsAPrefixOfTheCommandLineInAnyCase) {
    struct Row {
        const char* name;
        const char* tail;
        bool unattended;
    } rows[] = {
        {"capitals", "/AUTO", true},
        {"longer word", "/autostart", true},
        {"after another word", "x /auto", false},
        {"empty", "", false},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.tail = row.tail;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog) << row.name;
        // The unattended start moves to the progress page 400 ms after the dialog opened; the run (an
        // empty manifest here) completes and the dialog closes by itself 400 ms after that. Without it,
        // the start page is still there well after that.
        if (row.unattended) {
            EXPECT_TRUE(gui::WaitUntil([&] { return run.Visible(kProgress); }, gui::kEventWaitMs)) << row.name;
            EXPECT_TRUE(run.Process().WaitForExit(gui::kEventWaitMs)) << row.name;
        } else {
            EXPECT_FALSE(gui::WaitUntil([&] { return run.Visible(kProgress); }, 2500)) << row.name;
            EXPECT_TRUE(run.Visible(kInstall)) << row.name << ": the start page waits for the user";
            EXPECT_TRUE(run.Process().Running()) << row.name;
        }
    }
}

namespace {
// The colour at a point of a control, in the control's client coordinates.
COLORREF PixelOf(HWND control, int x, int y) {
    POINT p = {x, y};
    ::ClientToScreen(control, &p);
    // Another test's message box may stand over the dialog for a moment.
    HWND dialog = ::GetAncestor(control, GA_ROOT);
    gui::WaitUntil([&] { return ::GetAncestor(::WindowFromPoint(p), GA_ROOT) == dialog; }, 5000);
    return gui::ScreenPixel(p.x, p.y);
}

std::string ColourText(COLORREF c) {
    char text[32];
    std::snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Near enough for pictures that went through a lossy format.
bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 48 && std::abs(GetGValue(a) - GetGValue(b)) < 48 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 48;
}

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 192, 0), kYellow = RGB(255, 255, 0),
               kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

struct Probe {
    const char* where;
    int x, y;  // in the control, negative: from its right or bottom edge
    COLORREF colour;
};

void ExpectColours(const char* name, HWND control, std::initializer_list<Probe> probes) {
    RECT rect;
    ::GetClientRect(control, &rect);
    for (const Probe& p : probes) {
        int x = p.x < 0 ? rect.right + p.x : p.x, y = p.y < 0 ? rect.bottom + p.y : p.y;
        COLORREF seen = PixelOf(control, x, y);
        EXPECT_TRUE(Near(p.colour, seen)) << name << ", " << p.where << ": expected " << ColourText(p.colour)
                                          << ", seen " << ColourText(seen);
    }
}
}  // namespace

// gfx1: 60 x 40, upper half red, lower half blue, centred in the 160 x 320 column on black.
TEST(SetupPictures, StartPagePictureIsCentredUprightOnBlackInEveryFormat) {
    struct Row {
        const char* name;
        const char* file;
    } rows[] = {
        {"bitmap", "gfx1.bmp"},
        {"JPEG named gfx1.bmp", "picture.jpg"},
        {"GIF named gfx1.bmp", "picture.gif"},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.files = {{"gfx1.bmp", row.file}};
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << row.name;
        // centre (80, 160): the picture spans x 50..109, y 140..179
        ExpectColours(row.name, run.Item(kPic1),
                      {{"upper half", 80, 145, kRed},
                       {"lower half", 80, 174, kBlue},
                       {"left of the picture", 45, 160, kBlack},
                       {"right of the picture", 114, 160, kBlack},
                       {"above the picture", 80, 135, kBlack},
                       {"below the picture", 80, 184, kBlack},
                       {"picture's first column", 51, 150, kRed},
                       {"picture's last column", 108, 170, kBlue}});
    }
}

TEST(SetupPictures, UnreadablePictureDrawsNothing) {
    SetupCase c;
    c.texts = {{"gfx1.bmp", "this is no picture"}};
    SetupRun run(c);
    ASSERT_TRUE(run.Started());
    ASSERT_NE(nullptr, run.WaitForDialog());
    // Nothing drawn, not even the black background: the white panel behind it shows.
    ExpectColours("text file as gfx1.bmp", run.Item(kPic1), {{"centre", 80, 160, kWhite}, {"corner", 3, 3, kWhite}});
}

TEST(SetupPictures, ProgressPagePictureStandsAtTheRightOnWhite) {
    SetupCase c;
    c.files = {{"gfx1.bmp", "gfx1.bmp"}, {"gfx2.bmp", "gfx2.bmp"}};
    SetupRun run(c);
    ASSERT_TRUE(run.Started());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(gui::ClickAndWait(dialog, kNext));
    ::Sleep(300);
    // gfx2: 50 x 30 green in a 120 x 90 control; vertically centred (y 30..59), right edge on the control's
    ExpectColours("gfx2", run.Item(kPic2),
                  {{"picture", -10, 45, kGreen},
                   {"picture's last column", -1, 45, kGreen},
                   {"picture's first column", -50, 45, kGreen},
                   {"left of the picture", -52, 45, kWhite},
                   {"left edge", 2, 45, kWhite},
                   {"above the picture", -10, 27, kWhite}});
}

TEST(SetupPictures, LastPageShowsGfx3OrElseGfx1) {
    struct Row {
        const char* name;
        bool gfx3;
        COLORREF upper, lower;
    } rows[] = {
        {"gfx3.bmp present", true, kYellow, kYellow},
        {"gfx3.bmp absent", false, kRed, kBlue},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.files = {{"gfx1.bmp", "gfx1.bmp"}};
        if (row.gfx3) c.files["gfx3.bmp"] = "gfx3.bmp";
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog) << row.name;
        ASSERT_TRUE(gui::ClickAndWait(dialog, kNext)) << row.name;
        ASSERT_TRUE(gui::ClickAndWait(dialog, kNext)) << row.name;
        ::Sleep(300);
        ExpectColours(row.name, run.Item(kPic3),
                      {{"upper part", 80, 150, row.upper}, {"lower part", 80, 170, row.lower}, {"beside", 20, 160, kBlack}});
    }
}

TEST(SetupPages, StaticsOfTheStartPageStandOnWhite) {
    SetupRun run(SetupCase{});
    ASSERT_TRUE(run.Started());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    ExpectColours("page 0", run.Item(kLabel), {{"label's background", -2, 1, kWhite}});
    ExpectColours("page 0", run.Item(kCaption), {{"band caption keeps the dialog's colour", -1, 0, face}});
    ASSERT_TRUE(gui::ClickAndWait(dialog, kNext));
    ::Sleep(300);
    ExpectColours("page 1", run.Item(kWait), {{"wait text's background", -2, 1, face}});
}

TEST(SetupPages, TextsShowRtfOrPlainText) {
    struct Row {
        const char* name;
        int view;
        const char* file;
        std::string content;
        std::string shown;
    } rows[] = {
        {"RTF", kView1, "t1.rtf", "{\\rtf1\\ansi Hallo {\\b Welt} \\'e4\\par}", "Hallo Welt \xE4"},
        {"plain text", kView2, "t2.rtf", "Nur Text, kein RTF: {\\b nicht fett}", "Nur Text, kein RTF: {\\b nicht fett}"},
        {"missing", kView3, "", "", ""},
        {"cut at a zero byte", kView3, "t3.rtf", std::string("vorher\0nachher", 14), "vorher"},
    };
    for (const Row& row : rows) {
        SetupCase c;
        if (row.file[0]) c.texts[row.file] = row.content;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        ASSERT_NE(nullptr, run.WaitForDialog()) << row.name;
        std::string shown = run.Text(row.view);
        while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n')) shown.pop_back();
        EXPECT_EQ(row.shown, shown) << row.name;
    }

    // Each view is limited to 65535 characters instead of the control's 32767. (Wine's control raises
    // its limit to fit a longer streamed text instead of cutting it, so a short text shows the limit.)
    SetupRun run(SetupCase{});
    ASSERT_TRUE(run.Started());
    ASSERT_NE(nullptr, run.WaitForDialog());
    for (int view : {kView1, kView2, kView3}) {
        DWORD_PTR limit = 0;
        ASSERT_TRUE(::SendMessageTimeoutA(run.Item(view), EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 5000, &limit));
        EXPECT_EQ(65535u, limit) << "view " << view;
    }
}

TEST(SetupDialogs, AboutBoxOpensFromTheSystemMenu) {
    SetupRun run(SetupCase{});
    ASSERT_TRUE(run.Started());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(dialog, WM_SYSCOMMAND, 0x0010, 0);
    HWND about = run.Process().WaitForWindow("Info über NyZembraSetup", gui::kEventWaitMs);
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(dialog, ::GetWindow(about, GW_OWNER)) << "modal to the setup dialog";
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    bool versionShown = false;
    for (HWND child = ::GetWindow(about, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        versionShown = versionShown || gui::WindowText(child) == "NyZembraSetup Version 1.x";
    EXPECT_TRUE(versionShown);
    ASSERT_TRUE(gui::AnswerMessageBox(about, IDOK));
    EXPECT_TRUE(gui::IsVisible(dialog)) << "the setup dialog stays";
    EXPECT_TRUE(::IsWindowEnabled(dialog));
    EXPECT_EQ("Testprodukt V2.5", gui::WindowText(dialog));
}

TEST(SetupDialogs, FolderBrowserOpensOnTheFolderInTheFieldAndOnlyAChoiceChangesIt) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string tempFolder = temp;
    while (!tempFolder.empty() && tempFolder.back() == '\\') tempFolder.pop_back();
    tempFolder += '\\';
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);

    struct Row {
        const char* name;
        std::string target;  // from the library
        std::string typed;   // into the field before the browser opens; empty: nothing typed
        int answer;
        std::string shown;
    } rows[] = {
        // OK without another choice returns the folder the browser was opened on.
        {"OK on the preselected folder", std::string(windows) + "\\", "", IDOK, std::string(windows) + "\\"},
        {"OK on a typed folder: the browser opened there", tempFolder, std::string(windows) + "\\", IDOK,
         std::string(windows) + "\\"},
        {"OK on a typed drive root: one backslash", std::string(windows) + "\\", "C:\\", IDOK, "C:\\"},
        {"Cancel: the typed text stays", std::string(windows) + "\\", "D:\\Getippt\\", IDCANCEL, "D:\\Getippt\\"},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.fakeIni = "TargetDir=" + row.target + "\r\n";
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog) << row.name;
        if (!row.typed.empty()) {
            ASSERT_TRUE(gui::SetText(run.Item(kEdit), row.typed)) << row.name;
        }
        gui::Click(dialog, kBrowse);
        HWND browser = run.Process().WaitForOtherDialog({dialog}, gui::kEventWaitMs);
        ASSERT_NE(nullptr, browser) << row.name;
        EXPECT_EQ(dialog, ::GetWindow(browser, GW_OWNER)) << row.name;
        ::Sleep(300);  // the browser selects the folder once it is up
        ASSERT_TRUE(gui::AnswerMessageBox(browser, row.answer)) << row.name;
        // Handled only once the button's handler has returned: a cancelled browser has then left its mark.
        EXPECT_TRUE(::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, gui::kEventWaitMs, nullptr)) << row.name;
        EXPECT_TRUE(gui::WaitUntil([&] { return _stricmp(run.Text(kEdit).c_str(), row.shown.c_str()) == 0; },
                                     gui::kEventWaitMs))
            << row.name << ": " << run.Text(kEdit);
    }
}

TEST(SetupScreens, StartAndProgressPages) {
    std::string folder = WinPath(ZEMBRA_SCREENSHOT_DIR);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    // Without a window manager on the virtual display the title bar is drawn only when Wine draws it.
    HKEY x11 = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &x11,
                      nullptr);
    if (x11) ::RegSetValueExA(x11, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    SetupCase c;
    c.ini = WithoutKeys(kLayoutIni, {"Text15"}) + "Text15=Pfad:\r\n";
    c.files = {{"gfx1.bmp", "gfx1.bmp"}, {"gfx2.bmp", "gfx2.bmp"}};
    c.texts = {{"t1.rtf", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 {\\b Willkommen!}\\par "
                          "Dieses Programm installiert das Testprodukt auf Ihrem Rechner. Schließen Sie bitte "
                          "alle anderen Anwendungen, bevor Sie fortfahren.\\par\\par Größe: 12 MB\\par}"},
               {"t2.rtf", "Die Dateien werden jetzt kopiert."}};
    SetupRun run(c);
    if (x11) {
        ::RegDeleteValueA(x11, "Decorated");
        ::RegCloseKey(x11);
    }
    ASSERT_TRUE(run.Started());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ::SetForegroundWindow(dialog);
    ::Sleep(300);
    EXPECT_TRUE(gui::SaveWindowPng(dialog, folder + "\\setup-page0.png"));
    ASSERT_TRUE(gui::ClickAndWait(dialog, kNext));
    ::Sleep(400);
    EXPECT_TRUE(gui::SaveWindowPng(dialog, folder + "\\setup-page1.png"));
}

namespace {
GUITHREADINFO ThreadInfo(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

void Focus(HWND dialog, HWND control) {
    DWORD_PTR ignored;
    ::SendMessageTimeoutA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE, SMTO_NORMAL, 5000, &ignored);
}
}  // namespace

TEST(SetupPages, TextViewsNeverKeepTheFocus) {
    SetupCase c;
    c.texts = {{"t1.rtf", "Ein Text zum Anklicken."}};
    SetupRun run(c);
    ASSERT_TRUE(run.Started());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    HWND view = run.Item(kView1);

    struct Row {
        const char* name;
        int from;
        std::function<void()> act;
    } rows[] = {
        {"tabbing from Cancel onto the view", IDCANCEL,
         [&] {
             DWORD_PTR ignored;
             ::SendMessageTimeoutA(dialog, WM_NEXTDLGCTL, 0, FALSE, SMTO_NORMAL, 5000, &ignored);
         }},
        {"clicking into the view while the edit has the focus", kEdit,
         [&] {
             DWORD_PTR ignored;
             ::SendMessageTimeoutA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10), SMTO_NORMAL, 5000, &ignored);
             ::SendMessageTimeoutA(view, WM_LBUTTONUP, 0, MAKELPARAM(20, 10), SMTO_NORMAL, 5000, &ignored);
         }},
    };
    for (const Row& row : rows) {
        Focus(dialog, run.Item(row.from));
        ASSERT_EQ(run.Item(row.from), ThreadInfo(dialog).hwndFocus) << row.name;
        row.act();
        ::Sleep(100);
        GUITHREADINFO info = ThreadInfo(dialog);
        EXPECT_EQ(run.Item(row.from), info.hwndFocus) << row.name;
        EXPECT_NE(view, info.hwndCaret) << row.name << ": no caret in the view";
    }
}

namespace {
// The program file's resources, read as data by this process.
class ProgramResources {
public:
    ProgramResources() : m_exe(::LoadLibraryExA(WinPath(ZEMBRA_SETUP_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&icc);
    }
    ~ProgramResources() {
        if (m_exe) ::FreeLibrary(m_exe);
    }
    HMODULE Module() const { return m_exe; }
    // A dialog made from the template with a procedure that does nothing.
    HWND Dialog(int id) const {
        return ::CreateDialogParamA(m_exe, MAKEINTRESOURCEA(id), nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    }

private:
    HMODULE m_exe;
};

// Text and rectangle (dialog units: x, y, width, height) of a template control, by id or, for id -1, by its text.
struct TemplateControl {
    const char* name;
    int id;
    const char* text;
    RECT units;
};

void ExpectTemplate(int templateId, const char* caption, SIZE size, std::initializer_list<TemplateControl> controls) {
    ProgramResources res;
    HWND dialog = res.Dialog(templateId);
    ASSERT_NE(nullptr, dialog) << "template " << templateId;
    EXPECT_EQ(caption, gui::WindowText(dialog)) << "template " << templateId;
    RECT client = {0, 0, size.cx, size.cy};
    ::MapDialogRect(dialog, &client);
    RECT actual;
    ::GetClientRect(dialog, &actual);
    EXPECT_EQ(RectText(client), RectText(actual)) << "template " << templateId << " size";
    for (const TemplateControl& c : controls) {
        HWND control = nullptr;
        if (c.id != -1) {
            control = ::GetDlgItem(dialog, c.id);
        } else {
            for (HWND child = ::GetWindow(dialog, GW_CHILD); child && !control; child = ::GetWindow(child, GW_HWNDNEXT))
                if (gui::WindowText(child) == c.text) control = child;
        }
        ASSERT_NE(nullptr, control) << c.name;
        if (c.id != -1) {
            EXPECT_EQ(c.text, gui::WindowText(control)) << c.name;
        }
        // Position and size convert each on its own, as the dialog manager does.
        RECT mapped = c.units;
        ::MapDialogRect(dialog, &mapped);
        EXPECT_EQ(RectText(Xywh(mapped.left, mapped.top, mapped.right, mapped.bottom)),
                  RectText(gui::ClientRectOf(control)))
            << c.name;
    }
    ::DestroyWindow(dialog);
}

// x, y, width, height in dialog units, kept apart for the conversion.
RECT Units(long x, long y, long w, long h) { return RECT{x, y, w, h}; }
}  // namespace

TEST(SetupResources, AboutBoxTemplate) {
    ExpectTemplate(100, "Info über NyZembraSetup", SIZE{235, 55},
                   {{"version line", -1, "NyZembraSetup Version 1.x", Units(40, 10, 119, 8)},
                    {"OK button", IDOK, "OK", Units(178, 7, 50, 14)}});
}

TEST(SetupResources, OverwriteDialogTemplate) {
    ExpectTemplate(130, "Setup", SIZE{187, 113},
                   {{"question", 1057, "Static", Units(7, 5, 172, 25)},
                    {"choice 0", 1052, "Überschreiben", Units(7, 34, 172, 10)},
                    {"choice 1", 1053, "Alle überschreiben", Units(7, 46, 172, 10)},
                    {"choice 2", 1054, "Nicht überschreiben", Units(7, 58, 172, 10)},
                    {"choice 3", 1055, "Alle nicht überschreiben", Units(7, 70, 172, 10)},
                    {"confirm button", 1056, "...", Units(24, 93, 138, 14)}});
}

TEST(SetupResources, SetupDialogTemplateTexts) {
    ExpectTemplate(102, "ZembraSetup", SIZE{449, 383},
                   {{"install", kInstall, "Installieren", Units(321, 298, 50, 14)},
                    {"cancel", IDCANCEL, "Abbrechen", Units(383, 298, 50, 14)},
                    {"folder label", kLabel, "Pfad:", Units(7, 215, 19, 13)},
                    {"wait text", kWait, "Bitte warten Sie, während die neuen Daten installiert werden",
                     Units(180, 214, 190, 8)},
                    {"file information", kInfo, "Ordner:\tC:\\Programme\\Irgendwas\nDatei:\tDatei.xyz\nGröße:\t1000",
                     Units(181, 238, 189, 26)},
                    {"band caption", kCaption, "NyZembra", Units(7, 280, 40, 8)},
                    {"progress bar", kProgress, "Progress1", Units(179, 224, 80, 11)}});
}

TEST(SetupResources, IconAndAboutEntryText) {
    ProgramResources res;
    char text[256] = {};
    ::LoadStringA(res.Module(), 101, text, sizeof(text));
    EXPECT_STREQ("Inf&o über NyZembraSetup...", text);
    HICON icon = static_cast<HICON>(::LoadImageA(res.Module(), MAKEINTRESOURCEA(128), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    ::GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(32, bitmap.bmWidth);
    EXPECT_EQ(32, bitmap.bmHeight);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
}

namespace {
// The nine exports that the setup program binds, in the real library.
std::string MissingRealExports() {
    std::string missing;
    HMODULE lib = ::LoadLibraryA(WinPath(ZEMBRA_REAL_DLL).c_str());
    for (const char* name : {"ZEMBRA_Expand", "ZEMBRA_SetProgress", "ZEMBRA_SetCancel", "ZEMBRA_GetInstallPath",
                             "ZEMBRA_SetRegEntry", "ZEMBRA_IsUserMemberOfGroup", "ZEMBRA_CheckVersion",
                             "ZEMBRA_ReplaceFileOnReboot", "ZEMBRA_IsThisNT"})
        if (!lib || !::GetProcAddress(lib, name)) missing += std::string(" ") + name;
    if (lib) ::FreeLibrary(lib);
    return missing;
}

std::string ProgramFilesFolder() {
    char folder[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, folder, CSIDL_PROGRAM_FILES, FALSE);
    std::string path = folder;
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}
}  // namespace

TEST(SetupWithRealLibrary, MainScenarios) {
    ASSERT_EQ("", MissingRealExports()) << "the setup program would show no dialog";

    struct Row {
        const char* name;
        std::string iniExtra;
        const char* boxCaption;  // null: the dialog opens
        const char* boxText;
        std::string target;
    } rows[] = {
        {"target under Program Files with the product name", "TargetPath=2\r\nTargetPathUser=1\r\n", nullptr, "",
         ProgramFilesFolder() + "Testprodukt\\"},
        {"rights of an administrator", "SecurityNTAuthority=2\r\n", nullptr, "", ""},
        {"level 3 refuses every user", "SecurityNTAuthority=3\r\n", "Setup", "Ihnen fehlen die Rechte.", ""},
        {"registry folder required and missing",
         "TargetPath=1\r\nTargetPathRegistry=1\r\nRegEntry=HKEY_CURRENT_USER\\Software\\ZembraTestNichtDa\\Pfad\r\n",
         "Setup", "Pfad in der Registry nicht gefunden!\nEntpacken wird abgebrochen!", ""},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.library = Library::Real;
        c.ini += row.iniExtra;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        if (row.boxCaption) {
            HWND box = run.Process().WaitForWindow(row.boxCaption, gui::kEventWaitMs);
            ASSERT_NE(nullptr, box) << row.name;
            EXPECT_EQ(row.boxText, gui::MessageBoxText(box)) << row.name;
            EXPECT_EQ(1u, run.Process().Windows().size()) << row.name << ": nothing but the message is shown";
            EXPECT_TRUE(gui::AnswerMessageBox(box, IDOK)) << row.name;
            EXPECT_TRUE(run.Process().WaitForExit(gui::kEventWaitMs)) << row.name;
        } else {
            ASSERT_NE(nullptr, run.WaitForDialog()) << row.name;
            if (!row.target.empty()) {
                EXPECT_EQ(row.target, run.Text(kEdit)) << row.name;
            }
            EXPECT_TRUE(run.Visible(kView1)) << row.name;
        }
    }
}

// (Wine's version 1 library loads version 2 itself, so the fallback to version 1 alone cannot be shown.)
TEST(SetupStart, WithoutTheRichEditLibraryTheDialogGoesOnWithoutPages) {
    struct Row {
        const char* name;
        std::vector<std::string> disabled;
        const char* viewClass;  // null: no page views at all
    } rows[] = {
        {"version 2 present", {}, "RichEdit20A"},
        {"neither", {"riched20", "riched32"}, nullptr},
    };
    for (const Row& row : rows) {
        SetupCase c;
        c.texts = {{"t1.rtf", "{\\rtf1\\ansi Seite eins\\par}"}};
        c.disabledDlls = row.disabled;
        SetupRun run(c);
        ASSERT_TRUE(run.Started()) << row.name;
        if (!row.viewClass) {
            HWND box = run.Process().WaitForWindow("Zembra", gui::kEventWaitMs);
            ASSERT_NE(nullptr, box) << row.name;
            EXPECT_EQ("RICHEDXX.Dll konnte nicht geladen werden", gui::MessageBoxText(box)) << row.name;
            EXPECT_TRUE(gui::AnswerMessageBox(box, IDOK)) << row.name;
        }
        ASSERT_NE(nullptr, run.WaitForDialog()) << row.name << ": the dialog opens in every case";
        for (int view : {kView1, kView2, kView3}) {
            if (row.viewClass) {
                EXPECT_EQ(0, _stricmp(row.viewClass, gui::ClassName(run.Item(view)).c_str()))
                    << row.name << ": " << gui::ClassName(run.Item(view));
            } else {
                EXPECT_EQ(nullptr, run.Item(view)) << row.name;
            }
        }
        if (row.viewClass) {
            EXPECT_EQ(0u, run.Text(kView1).find("Seite eins")) << row.name << ": " << run.Text(kView1);
        }
        EXPECT_TRUE(run.Visible(kInstall)) << row.name;
    }
}

TEST(SetupStart, LibraryIsAskedForTheFolderWithTheConfigurationAndProductName) {
    SetupRun run(SetupCase{});
    ASSERT_TRUE(run.Started());
    ASSERT_NE(nullptr, run.WaitForDialog());
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    // the target starts as the temporary folder; the configuration is the one beside the program
    std::string expected =
        "GetInstallPath " + std::string(temp) + "|" + run.Folder().Path("Zembra.ini") + "|Testprodukt\n";
    std::string log = run.FakeLog();
    EXPECT_EQ(0, _stricmp(expected.c_str(), log.c_str())) << log;
}
