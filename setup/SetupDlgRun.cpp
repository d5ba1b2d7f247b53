// Starting and closing: the button "Installieren" and the unattended timers start the run, the cancel
// handler talks to a run that is going on, and closing the dialog after a completed run starts the
// programs that the run recorded.
#include "setup/SetupDlg.h"

#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"

void CSetupDlg::OnInstall() {
    UpdateData(true);
    if (m_nRunState == 2) {
        if (m_Driver.RebootCount() > 0) ShowMessage(GetText(m_Profile, 17), 0);
        CDialog::OnOK();
        return;
    }
    m_nRunState = 1;
    UpdatePage();
    ::PumpMessages();
    Install();
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
        m_Driver.RequestCancel();
        return;
    }
    // The programs wait for each other with the queue drained, so this handler comes back while they
    // start (the close box, timer 1001): they must start once.
    if (m_bStartingPrograms) return;
    if (m_nRunState == 0) {
        m_App.m_Messages.Log().Write(zembra::Text(zembra::SetupText::LogCancelledBefore));
        m_App.m_Result.Cancelled();
    }
    m_App.BeginWaitCursor();
    StartFinishPrograms();
    CDialog::OnCancel();
    m_App.EndWaitCursor();
}

void CSetupDlg::StartFinishPrograms() {
    m_bStartingPrograms = true;
    StartPrograms(m_Profile.GetInt("Doc", "StartEplorer", 0) != 0);
    m_bStartingPrograms = false;
}
