// Starting, timing, cancelling and ending the installation run. The driver runs inside the command
// or timer handler and keeps the dialog alive by draining the message queue between steps; the cancel
// handler runs inside those drains and talks to it only through m_bPaused and m_bCancelled.
#include "setup/SetupDlg.h"

#include "install/ProgressBar.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"

void CSetupDlg::OnInstall() {
    UpdateData(true);
    if (m_nRunState == 2) {
        if (m_nRebootCount > 0) ShowMessage(GetText(m_Profile, 17), 0);
        CDialog::OnOK();
        return;
    }
    m_nRunState = 1;
    UpdatePage();
    PumpMessages();
    AddBackslash(m_strTargetDir);
    RunInstallation();
}

void CSetupDlg::OnTimer(UINT_PTR id) {
    if (id == 1000) {
        KillTimer(1000);
        OnInstall();
        SetTimer(1001, 400);
    } else if (id == 1001 && m_nRunState == 2) {
        OnCancel();
    }
}

void CSetupDlg::OnCancel() {
    if (m_nRunState == 1) {
        if (m_bCancelled) return;  // confirmed once already; the run is on its way out
        m_bPaused = true;
        int answer = ::MessageBoxA(m_hWnd, GetText(m_Profile, 1), m_strProName, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL);
        if (answer == IDYES) {
            m_bCancelled = true;
            ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
            m_bPaused = false;
            theApp.m_pfnSetCancel(2);
        } else {
            m_bPaused = false;
        }
        return;
    }
    // The programs wait for each other with the queue drained, so this handler comes back while they
    // start (the close box, timer 1001): they must start once.
    if (m_bStartingPrograms) return;
    theApp.BeginWaitCursor();
    StartFinishPrograms();
    CDialog::OnCancel();
    theApp.EndWaitCursor();
}

void CSetupDlg::RunInstallation() {
    // A negative count would read as four thousand million sections.
    long count = m_Profile.GetInt("Doc", "FileCount", 0);
    unsigned long fileCount = count > 0 ? static_cast<unsigned long>(count) : 0;
    m_nTotal = m_Profile.GetInt("Doc", "DataSize", 0);
    SetProgressRange(m_Progress.m_hWnd, 65535);
    SetProgressPos(m_Progress.m_hWnd, 0, m_nTotal);
    m_nDone = 0;
    m_bOverwriteRemembered = false;
    m_nOverwriteChoice = 0;
    m_nLockAnswer = 0;
    m_nProgramCount = 0;
    m_arrScheduledSideFiles.RemoveAll();

    for (unsigned long index = 0; index < fileCount; ++index) {
        if (!InstallEntry(index)) break;
    }
    EndRun();
}

void CSetupDlg::CancelSequence() {
    m_bCancelled = true;
    ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
    m_bPaused = false;
    theApp.m_pfnSetCancel(2);
    CDialog::OnCancel();  // the base: no programs start after a cancelled run
}

void CSetupDlg::EndRun() {
    if (m_bWriteFileList) UpdateFileList();
    theApp.m_arrInstalledFiles.RemoveAll();
    theApp.m_arrCreatedDirs.RemoveAll();
    SetProgressRange(m_Progress.m_hWnd, 1);
    SetProgressPos(m_Progress.m_hWnd, 1, 1);
    m_bFinished = true;
    if (m_bCancelled) {
        CDialog::OnCancel();
    } else {
        ::Sleep(500);
        if (m_nRebootCount > 0) ShowMessage(GetText(m_Profile, 17), 0);
        ::EnableWindow(GetDlgItem(IDCANCEL), TRUE);
        m_nRunState = 2;
        UpdatePage();
        PumpMessages();
    }
    if (m_nUpdateRegVersion != 0) theApp.m_pfnSetRegEntry(m_strRegVersion, m_strProVersion);
}
