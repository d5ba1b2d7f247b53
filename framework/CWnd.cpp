#include "framework/CWnd.h"

#include <commctrl.h>

CWnd::~CWnd() { Detach(); }

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

BOOL CWnd::ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
void CWnd::SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

void CWnd::CenterWindow() {
    RECT window, area;
    ::GetWindowRect(m_hWnd, &window);
    HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (monitor && ::GetMonitorInfoA(monitor, &info)) {
        area = info.rcWork;
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the caption reachable when the window is larger than the screen.
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

BOOL CWnd::SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr) != 0; }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
HMENU CWnd::GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id) {
    HWND hWnd = ::CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                  nullptr);
    return hWnd && SubclassWindow(hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd) return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    if (!::SetWindowSubclass(hWnd, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
        m_hWnd = nullptr;
        return FALSE;
    }
    m_bSubclassed = true;
    return TRUE;
}

void CWnd::Detach() {
    if (m_bSubclassed && m_hWnd) ::RemoveWindowSubclass(m_hWnd, SubclassProc, 0);
    m_bSubclassed = false;
    m_hWnd = nullptr;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    CWnd* self = reinterpret_cast<CWnd*>(refData);
    if (msg == WM_NCDESTROY) {
        // The subclass must go before the window does; the object outlives its window.
        LRESULT result = ::DefSubclassProc(hWnd, msg, wParam, lParam);
        self->Detach();
        return result;
    }
    return self->WindowProc(msg, wParam, lParam);
}
