// Drives a Windows GUI program from outside, as a user would: starts it in a prepared folder, finds
// its windows, reads texts, rectangles, visibility and screen pixels, presses buttons, answers message
// boxes. Every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// The bound of a wait for something that is bound to happen (a window comes or goes, a program ends).
// scripts/test runs every configuration at once on two loaded cores, so it is generous; a wait ends as
// soon as its event comes, so a passing test never spends it.
constexpr DWORD kEventWaitMs = 30000;

// Polls until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs = 20);

std::string WindowText(HWND window);
// Length of the window's text in characters, without reading it.
long TextLength(HWND window);
bool SetText(HWND window, const std::string& text);
std::string ClassName(HWND window);
bool IsVisible(HWND window);
// A child's window rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND child);
// The window's rectangle on the screen.
RECT ScreenRect(HWND window);
// A button click as the button itself would report it (works also for hidden buttons).
void Click(HWND dialog, int id);
// Sends WM_COMMAND for id and waits until the dialog has handled it; false on time-out.
bool ClickAndWait(HWND dialog, int id, DWORD timeoutMs = kEventWaitMs);

// The screen's colour at a point (screen coordinates), read from a screen capture.
COLORREF ScreenPixel(int x, int y);

// The window as it is on the screen, written as a PNG file (24-bit, no compression needed to view).
bool SaveWindowPng(HWND window, const std::string& path);

class Process {
public:
    Process() = default;
    ~Process();  // ends the program if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts exe with the given command-line tail in folder (its current directory); wide for names
    // outside the ANSI code page.
    bool Start(const std::string& exe, const std::string& tail, const std::string& folder);
    bool Start(const std::wstring& exe, const std::wstring& tail, const std::wstring& folder);
    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const;
    // True when the program ended within the time; its exit code in *code.
    bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr);
    void Kill();

    // Top-level windows of the program (visible only, or all).
    std::vector<HWND> Windows(bool visibleOnly = true) const;
    // The first visible top-level window whose title equals title; null when none came in time.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs) const;
    // A visible window of class "#32770" that is neither of the given ones; null when none came in time.
    HWND WaitForOtherDialog(const std::vector<HWND>& known, DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION m_info = {};
};

// A message box's text (its static control 0xFFFF).
std::string MessageBoxText(HWND box);
// Presses the message box's button id (IDOK ...) and waits until the box has gone.
bool AnswerMessageBox(HWND box, int id, DWORD timeoutMs = kEventWaitMs);

}  // namespace gui
