#include "framework/DataExchange.h"

#include "framework/CDialog.h"

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        int length = ::GetWindowTextLengthA(control);
        value.Empty();
        if (length > 0) {
            ::GetWindowTextA(control, value.GetBuffer(length), length + 1);
            value.ReleaseBuffer();
        }
    } else {
        ::SetWindowTextA(control, value);
    }
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) value = -1;
    // The group runs from the control with WS_GROUP up to the next one that has it.
    int index = 0;
    do {
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongA(control, GWL_STYLE) & WS_GROUP) &&
             (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON));
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd) return;
    control.SubclassWindow(pDX->m_pDlgWnd->GetDlgItem(id));
}

void DDX_Handle(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd) control.m_hWnd = pDX->m_pDlgWnd->GetDlgItem(id);
}
