// The dialog's layout: every control placed from the sizes in "Zembra.ini" (pixels) and the sizes
// that some controls have from the template.
#include "setup/SetupDlg.h"

#include "setup/resource.h"

#include <initializer_list>

RECT CSetupDlg::ControlRect(int id) const {
    RECT rect = {};
    HWND control = GetDlgItem(id);
    if (control) {
        ::GetWindowRect(control, &rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CSetupDlg::Place(int id, int x, int y, int width, int height) {
    HWND control = GetDlgItem(id);
    if (control) ::MoveWindow(control, x, y, width, height, TRUE);
}

void CSetupDlg::LayOut() {
    const long W = m_nDlgWidth, P1W = m_nPic1Width, P1H = m_nPic1Height;
    const long P2W = m_nPic2Width, P2H = m_nPic2Height, P2S = m_nPic2Space;

    Place(IDC_PIC1, 0, 0, P1W, P1H);
    Place(IDC_PIC2, W - P2W - P2S, 0, P2W, P2H);
    Place(IDC_PIC3, 0, 0, P1W, P1H);

    Place(IDC_PREV, 0, P1H + 10, 30, 24);
    Place(IDC_NEXT, 40, P1H + 10, 30, 24);

    // Install and Cancel share Install's template size, 10 pixels apart and from the right border.
    RECT install = ControlRect(IDC_INSTALL);
    int bw = install.right - install.left, bh = install.bottom - install.top;
    int frame = ::GetSystemMetrics(SM_CYDLGFRAME);
    Place(IDC_INSTALL, W - 2 * (frame + bw + 10), P1H + 10, bw, bh);
    frame = ::GetSystemMetrics(SM_CYDLGFRAME);
    Place(IDCANCEL, W - (2 * frame + 10) - bw, P1H + 10, bw, bh);

    Place(IDC_LINE, 0, P1H, W + 5, 2);

    // The progress page's wait text, bar and file information, from the middle of the page down.
    long y = P1H / 2 - 10;
    for (int id : {IDC_WAIT_TEXT, IDC_PROGRESS, IDC_FILE_INFO}) {
        RECT rect = ControlRect(id);
        int h = rect.bottom - rect.top;
        frame = ::GetSystemMetrics(SM_CYDLGFRAME);
        Place(id, 20, y, W - 2 * frame - 40, h);
        if (id != IDC_FILE_INFO) y += h + 5;
    }

    RECT label = ControlRect(IDC_PATH_LABEL);
    int lw = label.right - label.left, lh = label.bottom - label.top;
    long ly = P1H - lh - 5;
    Place(IDC_PATH_LABEL, P1W + 10, ly, lw, lh);
    Place(IDC_PATH, P1W + lw + 13, ly, W - P1W - lw - 43, lh);
    RECT edit = ControlRect(IDC_PATH);
    Place(IDC_BROWSE, edit.right, ly, 20, lh);

    if (m_View1.m_hWnd) m_View1.MoveWindow(P1W + 10, 0, W - P1W - 20, P1H);
    if (m_View2.m_hWnd) m_View2.MoveWindow(5, 0, W - P2S - P2W - 5, P2H);
    if (m_View3.m_hWnd) m_View3.MoveWindow(P1W + 10, 0, W - P1W - 20, P1H);

    RECT line = ControlRect(IDC_LINE);
    m_PanelTop.SetWindowPos(nullptr, 0, 0, W, line.top, SWP_NOZORDER);
    m_PanelBand.SetWindowPos(nullptr, 0, 0, W, P2H, SWP_NOZORDER);

    RECT caption = ControlRect(IDC_BAND_CAPTION);
    Place(IDC_BAND_CAPTION, 5, line.top + 5, caption.right - caption.left, caption.bottom - caption.top);
}
