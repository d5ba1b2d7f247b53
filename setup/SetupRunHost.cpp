// The run's host in all that needs no window: questions and messages through the run's messages
// (which show them, or answer them themselves under /quiet, and log them), the bound library
// functions, and the file system and the registry as the system sees them.
#include "setup/SetupRun.h"

#include "framework/HandleOwner.h"
#include "install/FinishPrograms.h"
#include "install/FolderCreation.h"
#include "install/OverwriteDlg.h"
#include "install/RunResult.h"
#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "services/RegistryPath.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"

void CSetupRun::Tell(const CString& text, bool failure) { ShowMessage(text, failure ? MB_ICONHAND : 0); }

bool CSetupRun::AskRetry(const CString& text) {
    return ShowMessage(text, MB_RETRYCANCEL | MB_ICONQUESTION) == IDRETRY;  // quiet: not retried
}

bool CSetupRun::ControlKeyDown() {
    if (m_App.m_Messages.Quiet()) return false;
    ::GetAsyncKeyState(VK_CONTROL);  // the first reading reports presses since the last one
    return ::GetAsyncKeyState(VK_CONTROL) != 0;
}

int CSetupRun::AskOverwrite(const CString& target) {
    static const zembra::SetupText kChoices[] = {zembra::SetupText::ChoiceOverwrite,
                                                 zembra::SetupText::ChoiceOverwriteAll, zembra::SetupText::ChoiceKeep,
                                                 zembra::SetupText::ChoiceKeepAll};
    int choice = Keep;  // a quiet run keeps what is there
    if (!m_App.m_Messages.Quiet()) {
        COverwriteDlg question;
        question.m_strPath = target;
        question.m_pProfile = &m_Profile;
        choice = question.DoModal() == IDOK ? question.m_nChoice : Dismissed;
    }
    const bool named = choice >= Overwrite && choice <= KeepAll;
    m_App.m_Messages.Record(FormatText(GetText(m_Profile, 9), target).c_str(),
                            zembra::Text(named ? kChoices[choice] : zembra::SetupText::ChoiceDismissed));
    return choice;
}

bool CSetupRun::AskCancel(const CString& text) {
    return m_App.m_Messages.Show(Owner(), text.c_str(), m_strProName, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL,
                                 IDNO, false) == IDYES;
}

void CSetupRun::SetLibraryProgress(long done, long total) {
    m_App.m_pfnSetProgress(nullptr, static_cast<DWORD>(done), total);
}

int CSetupRun::Expand(const CString& folder, const CString& key, const CString& fileName) {
    return m_App.m_pfnExpand(m_App.m_strPackagePath, folder, key, fileName, 0);
}

void CSetupRun::CancelLibrary() { m_App.m_pfnSetCancel(2); }

int CSetupRun::CheckVersion(const CString& target, uint32_t high, uint32_t low) {
    return m_App.m_pfnCheckVersion(target, high, low);
}

bool CSetupRun::ReplaceFileOnReboot(const CString& target) { return m_App.m_pfnReplaceFileOnReboot(target); }

void CSetupRun::SetRegEntry(const CString& path, const CString& value) { m_App.m_pfnSetRegEntry(path, value); }

bool CSetupRun::RegistryKeyExists(const CString& key) {
    zembra::RegistryPath path;
    if (!zembra::SplitRegistryPath(key + "\\", &path)) return true;
    RegistryKey opened;
    return ::RegOpenKeyExA(path.root, path.keyPath, 0, KEY_QUERY_VALUE, opened.Receive()) != ERROR_FILE_NOT_FOUND;
}

uint32_t CSetupRun::Attributes(const CString& path) { return ::GetFileAttributesA(path); }

void CSetupRun::SetAttributes(const CString& path, uint32_t attributes) { ::SetFileAttributesA(path, attributes); }

void CSetupRun::RemoveFile(const CString& path) { ::DeleteFileA(path); }

bool CSetupRun::CreateFolderPath(const CString& folder, bool checkDrive, bool* abort) {
    // A quiet run stops at a missing drive.
    return ::CreateFolderPath(folder, checkDrive, abort, [this](const CString& question) {
        return m_App.m_Messages.Show(Owner(), question.c_str(), kMissingDriveCaption, kMissingDriveStyle, IDYES, false);
    });
}

void CSetupRun::RecordProgram(long n, const CString& path, const CString& parameters, bool hide, bool wait) {
    RecordFinishProgram(m_App.m_strAppDir + "ny.tmp", n, path, parameters, hide, wait);
}

void CSetupRun::EntryDone(const CEntryOutcome& outcome) {
    m_App.m_Result.EntryDone(outcome);
    Log(CRunResult::Describe(outcome));
}
