// The dialog as the installation run's host: its controls, its message boxes and the overwrite
// question, the bound library functions, and the file system as the system sees it.
#include "setup/SetupDlg.h"

#include "install/FinishPrograms.h"
#include "install/FolderCreation.h"
#include "install/OverwriteDlg.h"
#include "install/ProgressBar.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"
#include "setup/resource.h"

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

void CSetupDlg::Tell(const CString& text, bool failure) { ShowMessage(text, failure ? MB_ICONHAND : 0); }

bool CSetupDlg::AskRetry(const CString& text) {
    return ShowMessage(text, MB_RETRYCANCEL | MB_ICONQUESTION) == IDRETRY;
}

bool CSetupDlg::ControlKeyDown() {
    ::GetAsyncKeyState(VK_CONTROL);  // the first reading reports presses since the last one
    return ::GetAsyncKeyState(VK_CONTROL) != 0;
}

int CSetupDlg::AskOverwrite(const CString& target) {
    COverwriteDlg question;
    question.m_strPath = target;
    question.m_pProfile = &m_Profile;
    return question.DoModal() == IDOK ? question.m_nChoice : Dismissed;
}

bool CSetupDlg::AskCancel(const CString& text) {
    return ::MessageBoxA(m_hWnd, text, m_strProName, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

void CSetupDlg::SetLibraryProgress(long done, long total) {
    m_App.m_pfnSetProgress(m_Progress.m_hWnd, static_cast<DWORD>(done), total);
}

int CSetupDlg::Expand(const CString& folder, const CString& key, const CString& fileName) {
    return m_App.m_pfnExpand(m_App.m_strPackagePath, folder, key, fileName, 0);
}

void CSetupDlg::CancelLibrary() { m_App.m_pfnSetCancel(2); }

int CSetupDlg::CheckVersion(const CString& target, uint32_t high, uint32_t low) {
    return m_App.m_pfnCheckVersion(target, high, low);
}

bool CSetupDlg::ReplaceFileOnReboot(const CString& target) { return m_App.m_pfnReplaceFileOnReboot(target); }

void CSetupDlg::SetRegEntry(const CString& path, const CString& value) { m_App.m_pfnSetRegEntry(path, value); }

uint32_t CSetupDlg::Attributes(const CString& path) { return ::GetFileAttributesA(path); }

void CSetupDlg::SetAttributes(const CString& path, uint32_t attributes) { ::SetFileAttributesA(path, attributes); }

void CSetupDlg::RemoveFile(const CString& path) { ::DeleteFileA(path); }

bool CSetupDlg::CreateFolderPath(const CString& folder, bool checkDrive, bool* abort) {
    return ::CreateFolderPath(folder, checkDrive, abort);
}

void CSetupDlg::RecordProgram(long n, const CString& path, const CString& parameters, bool hide, bool wait) {
    RecordFinishProgram(m_App.m_strAppDir + "ny.tmp", n, path, parameters, hide, wait);
}
