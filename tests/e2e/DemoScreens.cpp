// demo-screens SETUP TITLE FOLDER [SUFFIX]: runs an installer interactively, as a user would, and saves
// the setup dialog's three pages as page0.png (start), page1.png (installing) and page2.png (done) in
// FOLDER, or page0SUFFIX.png ... The installer speaks the UI language of this program's Wine process. The dialog
// belongs to the setup program that the installer starts, so it is found by its title. Every wait is bounded; the exit
// code is 0 only when all three pages were saved.
#include "tests/win/support/GuiDriver.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kInstall = 1047, kProgress = 1037, kLastPageView = 1050;
constexpr DWORD kStepMs = 10;

HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

// The bar's position as a share of its range, 0 to 1; negative when it cannot be read. The bar lives
// in another process, so only messages that answer in their result are used.
double ProgressShare(HWND bar) {
    const LRESULT low = SendMessageA(bar, PBM_GETRANGE, TRUE, 0);
    const LRESULT high = SendMessageA(bar, PBM_GETRANGE, FALSE, 0);
    const LRESULT position = SendMessageA(bar, PBM_GETPOS, 0, 0);
    if (high <= low) return -1;
    return double(position - low) / double(high - low);
}

std::string g_suffix;  // of the pictures' names

bool Save(HWND dialog, const std::string& folder, const char* page) {
    const std::string name = page + g_suffix + ".png";
    const bool ok = gui::SaveWindowPng(dialog, folder + "\\" + name);
    std::printf("%s %s\n", ok ? "saved" : "could not save", name.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: demo-screens SETUP TITLE FOLDER [SUFFIX]\n");
        return 2;
    }
    if (argc == 5) g_suffix = argv[4];
    const std::string setup = argv[1], title = argv[2], folder = argv[3];
    std::string setupFolder = setup.substr(0, setup.find_last_of("\\/") + 1);
    gui::Process installer;
    if (!installer.Start(setup, "", setupFolder)) {
        std::fprintf(stderr, "demo-screens: cannot start %s\n", setup.c_str());
        return 1;
    }
    HWND dialog = nullptr;
    gui::WaitUntil([&] { return (dialog = FindWindowA(nullptr, title.c_str())) != nullptr && gui::IsVisible(dialog); },
                   60000);
    if (!dialog) {
        std::fprintf(stderr, "demo-screens: no window titled \"%s\" appeared\n", title.c_str());
        return 1;
    }
    Sleep(800);  // let the pages and pictures paint
    int saved = Save(dialog, folder, "page0");

    gui::Click(dialog, kInstall);
    // The progress page: taken as soon as it shows, and again once the bar stands in its middle part.
    HWND bar = Control(dialog, kProgress);
    bool shown = false, middle = false;
    gui::WaitUntil(
        [&] {
            if (!IsWindow(dialog) || gui::IsVisible(Control(dialog, kLastPageView))) return true;
            if (!gui::IsVisible(bar)) return false;
            const double share = ProgressShare(bar);
            if (!shown && share > 0) shown = Save(dialog, folder, "page1");
            if (shown && share > 0.3 && share < 0.8) middle = Save(dialog, folder, "page1");
            return middle;
        },
        120000, kStepMs);
    saved += shown ? 1 : 0;

    if (gui::WaitUntil([&] { return IsWindow(dialog) && gui::IsVisible(Control(dialog, kLastPageView)); }, 120000)) {
        Sleep(600);
        saved += Save(dialog, folder, "page2");
        gui::Click(dialog, IDCANCEL);  // "Schließen" or "Close": the dialog ends and starts the recorded programs
    }
    DWORD code = 0;
    if (!installer.WaitForExit(60000, &code)) {
        std::fprintf(stderr, "demo-screens: the installer did not end\n");
        return 1;
    }
    return saved == 3 ? 0 : 1;
}
