// CWnd: a window handle and the few members the setup program calls on it.
//
// A CWnd does not own its window: dialog children die with their dialog. Classes that paint or filter
// messages themselves attach to an existing window with SubclassWindow and override WindowProc.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    operator HWND() const { return m_hWnd; }

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void SetWindowText(const char* text);
    BOOL ShowWindow(int show);
    HWND GetDlgItem(int id) const;
    void SetDlgItemText(int id, const char* text);
    void GetClientRect(RECT* rect) const;
    void ScreenToClient(RECT* rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow();
    void Invalidate(BOOL erase = TRUE);
    BOOL SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);
    BOOL IsIconic() const;
    HMENU GetSystemMenu(BOOL revert) const;
    HICON SetIcon(HICON icon, BOOL big);

    // Creates a window and attaches it (children: id in place of a menu).
    BOOL CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);
    // Attaches an existing window to this object; its messages then reach WindowProc.
    BOOL SubclassWindow(HWND hWnd);

    HWND m_hWnd = nullptr;

protected:
    // The attach step, run with m_hWnd set and before messages are routed here.
    virtual void PreSubclassWindow() {}
    // Messages of an attached window; the default passes them on to the window's own procedure.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData);
    void Detach();
    bool m_bSubclassed = false;
};
