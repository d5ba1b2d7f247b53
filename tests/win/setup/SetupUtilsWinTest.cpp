// The setup program's message box and message-queue drain under the system's window manager.
#include "framework/WaitCursor.h"
#include "setup/SetupUtils.h"
#include "tests/win/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <vector>

namespace {

std::vector<UINT> g_received;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message >= WM_APP || message == WM_CHAR) {
        g_received.push_back(message);
        if (message == WM_APP + 1) PostMessageA(window, WM_APP + 2, 0, 0);  // posted while draining
    }
    return DefWindowProcA(window, message, w, l);
}

HWND MakeWindow(bool visible) {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "ZembraPumpTest";
    RegisterClassA(&cls);
    HWND window = CreateWindowA("ZembraPumpTest", "pump", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                cls.hInstance, nullptr);
    if (visible) ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace

TEST(SetupUtilsWin, ShowMessageIsATaskModalSetupBox) {
    struct Row {
        const char* name;
        UINT style;
        int answer;
        std::vector<int> buttons;  // by id
        bool icon;
    } rows[] = {
        {"style 0: OK without icon", 0, IDOK, {IDOK}, false},
        {"retry asked, retry answered", MB_RETRYCANCEL | MB_ICONQUESTION, IDRETRY, {IDCANCEL, IDRETRY}, true},
        {"retry asked, cancel answered", MB_RETRYCANCEL | MB_ICONQUESTION, IDCANCEL, {IDCANCEL, IDRETRY}, true},
        {"yes and no", MB_YESNO | MB_ICONQUESTION, IDNO, {IDYES, IDNO}, true},
    };
    HWND own = MakeWindow(true);
    for (const Row& r : rows) {
        // Wine does not apply MB_TOPMOST to the box's window (MB_SYSTEMMODAL it does), so the topmost
        // flag is checked natively, where the style reaches the hook as given.
        std::atomic<bool> ownDisabled{false};
        {
            MessageBoxWatcher boxes([&](const MessageBoxWatcher::Box&) {
                ownDisabled = !IsWindowEnabled(own);
                return r.answer;
            });
            EXPECT_EQ(r.answer, ShowMessage("Die Datei ist in Benutzung", r.style)) << r.name;
            ASSERT_EQ(1u, boxes.Boxes().size()) << r.name;
            MessageBoxWatcher::Box box = boxes.Boxes()[0];
            EXPECT_EQ("Setup", box.caption) << r.name;
            EXPECT_EQ("Die Datei ist in Benutzung", box.text) << r.name;
            EXPECT_EQ(r.buttons, box.buttons) << r.name;
            EXPECT_EQ(r.icon, box.hasIcon) << r.name;
        }
        EXPECT_TRUE(ownDisabled) << r.name;  // task-modal: the thread's other windows wait
        EXPECT_TRUE(IsWindowEnabled(own)) << r.name;
    }
    DestroyWindow(own);
}

TEST(SetupUtilsWin, PumpMessagesDrainsTheQueueWithoutWaiting) {
    HWND window = MakeWindow(false);
    PumpMessages();  // whatever creating the window queued
    g_received.clear();

    DWORD start = GetTickCount();
    PumpMessages();  // empty queue
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_TRUE(g_received.empty());

    PostMessageA(window, WM_APP + 0, 0, 0);
    PostMessageA(window, WM_APP + 1, 0, 0);
    PostMessageA(window, WM_KEYDOWN, 'A', 0x001E0001);  // translated into a character
    PostMessageA(window, WM_APP + 3, 0, 0);
    PumpMessages();
    // Messages posted while draining (by a handler, or the character of a key) queue up behind the
    // others and are dispatched before PumpMessages returns.
    EXPECT_EQ((std::vector<UINT>{WM_APP + 0, WM_APP + 1, WM_APP + 3, WM_APP + 2, WM_CHAR}), g_received);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE));
    DestroyWindow(window);
}

TEST(SetupUtilsWin, TheWaitCursorIsShownAndRestored) {
    HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    HCURSOR wait = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
    SetCursor(arrow);
    {
        CWaitCursor outer;
        EXPECT_EQ(wait, GetCursor());
        {
            CWaitCursor inner;
            EXPECT_EQ(wait, GetCursor());
        }
        EXPECT_EQ(wait, GetCursor());  // still inside the outer one
    }
    EXPECT_EQ(arrow, GetCursor());
}
