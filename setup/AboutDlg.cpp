#include "setup/AboutDlg.h"

#include "install/SetupTexts.h"

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(zembra::Text(zembra::SetupText::AboutCaption).c_str());
    // The template's two lines have no ids of their own: they are its texts in template order.
    const zembra::SetupText lines[] = {zembra::SetupText::AboutVersion, zembra::SetupText::AboutText};
    size_t line = 0;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child && line < 2; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            continue;
        ::SetWindowTextA(child, zembra::Text(lines[line++]).c_str());
    }
    return TRUE;
}
