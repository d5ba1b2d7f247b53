// The uninstaller's small progress window: a title, the item being removed and a bar. It has no
// close box (removal is not stopped half-way) and keeps itself painted by draining the message queue
// whenever it is moved on.
#pragma once

#include <windows.h>

#include <string>

namespace zembra {

class ProgressWindow {
public:
    ProgressWindow() = default;
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    bool Create(const std::string& title);
    void Show(const std::string& status, size_t done, size_t total);
    HWND Handle() const { return m_window; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintBar(HDC dc) const;

    HWND m_window = nullptr;
    HWND m_label = nullptr;
    size_t m_done = 0;
    size_t m_total = 0;
};

}  // namespace zembra
