#include "setup/WhitePanel.h"

void CWhitePanel::PreSubclassWindow() {
    SetWindowText("");
    CStatic::PreSubclassWindow();
}

LRESULT CWhitePanel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return CStatic::WindowProc(msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rect;
    GetClientRect(&rect);
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &rect, white);
    ::DeleteObject(white);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}
