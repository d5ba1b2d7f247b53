// The end of a run and of the dialog: the installed-files list in the product's folder, and the
// programs that start when the dialog closes after a completed run.
#include "setup/SetupDlg.h"

#include "install/FileList.h"
#include "install/FinishPrograms.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"

void CSetupDlg::UpdateFileList() {
    if (m_strListDir.IsEmpty()) m_strListDir = m_strTargetDir;
    CString path = m_strListDir + "UnZembra.ini";
    // A hidden or read-only list from an earlier run must be writable; it is hidden again afterwards.
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    MergeFileList(path, theApp.m_arrInstalledFiles, theApp.m_arrCreatedDirs);
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL);
}

void CSetupDlg::StartFinishPrograms() {
    if (!m_bFinished) return;
    CString folder = "<INSTALLDIR>";
    ExpandPathPlaceholders(folder, m_strTargetDir, m_strWindowsDir, m_strSystemDir);
    m_bStartingPrograms = true;
    StartRecordedPrograms(theApp.m_strAppDir + "ny.tmp", folder, m_Profile.GetInt("Doc", "StartEplorer", 0) != 0);
    m_bStartingPrograms = false;
}
