// The dialog as the installation run's host: its status line, bar, pages and message queue.
#include "setup/SetupDlg.h"

#include "install/ProgressBar.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"

void CSetupDlg::ShowStatus(const CString& text) { m_FileInfo.SetWindowText(text); }

void CSetupDlg::SetBarRange(int upper) { SetProgressRange(m_Progress.m_hWnd, upper); }

void CSetupDlg::SetBarPos(long done, long total) { SetProgressPos(m_Progress.m_hWnd, done, total); }

void CSetupDlg::PumpMessages() { ::PumpMessages(); }

void CSetupDlg::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void CSetupDlg::EnableCancel(bool enable) { ::EnableWindow(GetDlgItem(IDCANCEL), enable); }

void CSetupDlg::CloseDialog() { CDialog::OnCancel(); }

void CSetupDlg::ShowLastPage() {
    m_nRunState = 2;
    UpdatePage();
    ::PumpMessages();
}

void CSetupDlg::SetLibraryProgress(long done, long total) {
    m_App.m_pfnSetProgress(m_Progress.m_hWnd, static_cast<DWORD>(done), total);
}
