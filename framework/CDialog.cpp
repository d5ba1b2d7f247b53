#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/DataExchange.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    CWinApp* app = GetApp();
    HINSTANCE instance = app ? app->m_hInstance : ::GetModuleHandleA(nullptr);
    // Without a parent the application's main window owns the dialog, so that it stays modal to it.
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!m_pParentWnd && app && app->m_pMainWnd && app->m_pMainWnd != this) parent = app->m_pMainWnd->m_hWnd;
    INT_PTR result = ::DialogBoxParamA(instance, MAKEINTRESOURCEA(m_nIDTemplate), parent, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    return result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

void CDialog::UpdateData(bool save) {
    CDataExchange dx(this, save);
    DoDataExchange(&dx);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        // Enter, Esc and the close box arrive here as IDOK and IDCANCEL (notification 0).
        if (HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) { OnOK(); result = 0; return true; }
            if (LOWORD(wParam) == IDCANCEL) { OnCancel(); result = 0; return true; }
        }
        return false;
    default:
        return false;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        self->m_hWnd = hWnd;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    if (!self) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT)

    LRESULT result = 0;
    bool handled = self->OnMessage(msg, wParam, lParam, result);
    if (msg == WM_NCDESTROY) self->m_hWnd = nullptr;
    if (!handled) return FALSE;
    switch (msg) {
    // These return their result directly instead of through DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
