// Page navigation: one page of controls at a time, chosen by the run state.
#include "setup/SetupDlg.h"

#include "archive/PackageKeys.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"
#include "setup/resource.h"

#include <io.h>

namespace {
const int kPage0[] = {IDC_VIEW1, IDC_PANEL_TOP, IDC_PIC1, IDC_PATH_LABEL, IDC_PATH, IDC_BROWSE};
const int kPage1[] = {IDC_VIEW2, IDC_PIC2, IDC_PANEL_BAND, IDC_WAIT_TEXT, IDC_FILE_INFO, IDC_PROGRESS};
const int kPage2[] = {IDC_VIEW3, IDC_PANEL_TOP, IDC_PIC3};

template <size_t N>
void ShowGroup(HWND dialog, const int (&ids)[N], int show) {
    for (int id : ids) {
        HWND control = ::GetDlgItem(dialog, id);
        if (control) ::ShowWindow(control, show);
    }
}
}  // namespace

void CSetupDlg::UpdatePage() {
    ::LockWindowUpdate(m_hWnd);
    ShowGroup(m_hWnd, kPage0, SW_HIDE);
    ShowGroup(m_hWnd, kPage1, SW_HIDE);
    ShowGroup(m_hWnd, kPage2, SW_HIDE);

    if (m_nRunState == 0) {
        ShowGroup(m_hWnd, kPage0, SW_SHOW);
        HWND label = GetDlgItem(IDC_PATH_LABEL), edit = GetDlgItem(IDC_PATH), browse = GetDlgItem(IDC_BROWSE);
        if (m_bPathChange) {
            // They lie over the text view, which would otherwise paint over them.
            ::RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            ::RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
            ::RedrawWindow(browse, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
        } else {
            ::ShowWindow(label, SW_HIDE);
            ::ShowWindow(edit, SW_HIDE);
            ::ShowWindow(browse, SW_HIDE);
        }
    } else if (m_nRunState == 1) {
        ShowGroup(m_hWnd, kPage1, SW_SHOW);
    } else if (m_nRunState == 2) {
        ShowGroup(m_hWnd, kPage2, SW_SHOW);
    }

    ::ShowWindow(GetDlgItem(IDC_INSTALL), m_nRunState == 0 ? SW_SHOW : SW_HIDE);
    SetDlgItemText(IDCANCEL, GetText(m_Profile, m_nRunState == 2 ? 11 : 12));

    ::LockWindowUpdate(nullptr);
    Invalidate(TRUE);
}

void CSetupDlg::OnNextPage() {
    if (m_nRunState >= 2) return;
    m_nRunState = m_nRunState + 1 > 2 ? 2 : m_nRunState + 1;
    UpdatePage();
}

void CSetupDlg::OnPrevPage() {
    if (m_nRunState <= 0) return;
    m_nRunState = m_nRunState - 1 < 0 ? 0 : m_nRunState - 1;
    UpdatePage();
}

// Another language's page is its own entry (A11.en), unpacked beside the main language's (t1.en.rtf);
// the main language's stands in where the package lacks it.
CString CSetupDlg::PageFile(int page) {
    CString name;
    name.Format("t%d.rtf", page);
    if (m_App.m_bMainLanguage) return name;
    CString own;
    own.Format("t%d.%s.rtf", page, m_App.m_strLanguage.c_str());
    const std::string key = zembra::LanguagePageKey(page, m_App.m_strLanguage);
    if (m_App.m_pfnExpand(m_App.m_strPackagePath, m_App.m_strAppDir, key.c_str(), own, 0) == 0 &&
        _access(m_App.m_strAppDir + own, 0) == 0)
        return own;
    return name;
}
