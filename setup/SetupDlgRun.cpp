// Starting, timing and cancelling the installation run. The driver that installs the files plugs in
// at RunInstallation; until it does, a run shows the progress page and stays there.
#include "setup/SetupDlg.h"

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
        CancelRun();
        return;
    }
    theApp.BeginWaitCursor();
    // After a completed run the recorded programs start here, before the dialog ends.
    CDialog::OnCancel();
    theApp.EndWaitCursor();
}

void CSetupDlg::RunInstallation() {}

void CSetupDlg::CancelRun() {
    // No driver is running that could be asked to stop; the dialog simply ends.
    CDialog::OnCancel();
}
