// One manifest entry of the installation run: its folder, the weighing of an existing target, the
// decoding into place, and what happens when the target is in use.
#include "setup/SetupDlg.h"

#include "install/FinishPrograms.h"
#include "install/FolderCreation.h"
#include "install/OverwriteDlg.h"
#include "install/ProgressBar.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"
#include "setup/resource.h"

#include <io.h>
#include <cstdlib>

namespace {
bool Exists(const char* path) { return _access(path, 0) == 0; }

// The kept attributes without read-only; nothing when the target had none to keep.
void ClearReadOnly(const char* target, DWORD attributes) {
    if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY);
}
}  // namespace

bool CSetupDlg::InstallEntry(unsigned long index) {
    CString section;
    section.Format("PFile%ld", static_cast<long>(index));
    EntryFlags flags = DecodeEntryFlags(m_Profile.GetString(section, "FFlags", ""));
    if (!flags.install) return true;

    m_strCurFile = m_Profile.GetString(section, "FName", "");
    m_strCurFolder = m_Profile.GetString(section, "FDir", "");
    CString key = m_Profile.GetString(section, "FPName", "");
    long size = m_Profile.GetInt(section, "FSize", 0);
    ExpandPathPlaceholders(m_strCurFolder, m_strTargetDir, m_strWindowsDir, m_strSystemDir);

    // Listed even when it cannot be made; the folders made above it are not.
    if (!Exists(m_strCurFolder)) theApp.m_arrCreatedDirs.AddUnique(m_strCurFolder);
    if (theApp.m_bAbort) {
        CancelSequence();
        return false;
    }
    if (!CreateFolderPath(m_strCurFolder, true, &theApp.m_bAbort)) {
        // After the user chose to stop, the next enabled entry runs the cancel sequence.
        if (!theApp.m_bAbort) ShowMessage(FormatText(GetText(m_Profile, 2), m_strCurFolder), 0);
        return true;
    }

    CString target = m_strCurFolder;
    AddBackslash(target);
    target += m_strCurFile;
    DWORD attributes = ::GetFileAttributesA(target);
    if (Exists(target)) {
        if (flags.compareVersions) {
            DWORD versionHigh = static_cast<DWORD>(m_Profile.GetInt(section, "Vers1", 0));
            DWORD versionLow = static_cast<DWORD>(m_Profile.GetInt(section, "Vers2", 0));
            if (theApp.m_pfnCheckVersion(target, versionHigh, versionLow) == 0) return true;
        }
        if (flags.askBeforeOverwrite) {
            if (m_bOverwriteRemembered) {
                if (m_nOverwriteChoice == COverwriteDlg::KeepAll) return true;
            } else {
                COverwriteDlg question;
                question.m_strPath = target;
                question.m_pProfile = &m_Profile;
                if (question.DoModal() == IDOK) {
                    int choice = question.m_nChoice;
                    if (choice == COverwriteDlg::OverwriteAll || choice == COverwriteDlg::KeepAll) {
                        m_bOverwriteRemembered = true;
                        m_nOverwriteChoice = choice;
                    }
                    if (choice == COverwriteDlg::Keep || choice == COverwriteDlg::KeepAll) return true;
                }
            }
        }
        if (flags.clearReadOnly) ClearReadOnly(target, attributes);
    }

    m_strStatus = FormatText(GetText(m_Profile, 10), m_strCurFolder, m_strCurFile, DecimalText(size));
    SetDlgItemText(IDC_FILE_INFO, m_strStatus);
    while (m_bPaused) {
        PumpMessages();
        ::Sleep(50);
    }
    if (m_bCancelled) return false;
    PumpMessages();
    theApp.m_pfnSetProgress(m_Progress.m_hWnd, static_cast<DWORD>(m_nDone), m_nTotal);

    Outcome outcome = ExpandEntry(flags, key, target, attributes);
    if (outcome == Outcome::Scheduled) return true;  // the bar moves only for files in place or given up
    if (outcome == Outcome::Installed) {
        if (flags.startProgram) {
            RecordFinishProgram(theApp.m_strAppDir + "ny.tmp", m_nProgramCount, target, flags.startHidden,
                                flags.waitForEnd);
            ++m_nProgramCount;
        }
        theApp.m_arrInstalledFiles.AddUnique(target);
    }
    m_nDone += size;
    SetProgressPos(m_Progress.m_hWnd, m_nDone, m_nTotal);
    PumpMessages();
    ::Sleep(10);
    return true;
}

CSetupDlg::Outcome CSetupDlg::ExpandEntry(const EntryFlags& flags, const CString& key, const CString& target,
                                          DWORD attributes) {
    const CString& package = theApp.m_strPackagePath;
    for (;;) {
        bool cancelledBefore = m_bCancelled;
        int result = theApp.m_pfnExpand(package, m_strCurFolder, key, m_strCurFile, 0);
        if (result != ERROR_ACCESS_DENIED && result != ERROR_SHARING_VIOLATION) {
            // A cancel that arrived while the library decoded has made it drop the file.
            if (m_bCancelled && !cancelledBefore) return Outcome::NotInstalled;
            // Only a file written whole counts: a failed decoding, a package that cannot be read or an
            // entry missing from it is reported and the run goes on.
            if (result == 0 && Exists(target)) return Outcome::Installed;
            ShowMessage(target + GetText(m_Profile, 4), MB_ICONHAND);
            return Outcome::NotInstalled;
        }

        if (flags.replaceAtRestart && ScheduleSideFile(key, target)) {
            ++m_nRebootCount;
            return Outcome::Scheduled;
        }

        int answer;
        if (m_nLockAnswer == 0) {
            answer = ShowMessage(target + GetText(m_Profile, 3), MB_RETRYCANCEL | MB_ICONQUESTION);
            ::GetAsyncKeyState(VK_CONTROL);
            if (::GetAsyncKeyState(VK_CONTROL) != 0) m_nLockAnswer = answer == IDRETRY ? 1 : 2;
        } else if (m_nLockAnswer == 1) {
            // Retrying by itself: give the holder time and the user a chance to cancel.
            WaitBeforeRetry();
            if (m_bCancelled) return Outcome::NotInstalled;
            answer = IDRETRY;
        } else {
            answer = IDCANCEL;
        }
        if (answer != IDRETRY) {
            ShowMessage(target + GetText(m_Profile, 4), MB_ICONHAND);
            return Outcome::NotInstalled;
        }
        ClearReadOnly(target, attributes);
        ::DeleteFileA(target);
    }
}

bool CSetupDlg::ScheduleSideFile(const CString& key, const CString& target) {
    _splitpath(target, m_szDrive, m_szDir, m_szFName, nullptr);
    m_strSideFile.Format("%s%s%s.tny", m_szDrive, m_szDir, m_szFName);
    // Another target of this run (tool.exe beside tool.dll) waits for this side file at the restart;
    // writing over it would give that target the wrong content.
    if (m_arrScheduledSideFiles.Contains(m_strSideFile)) return false;
    CString sidePath = m_strSideFile;
    ::SetFileAttributesA(sidePath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(sidePath);

    m_strSideFile.Format("%s.tny", m_szFName);
    bool cancelledBefore = m_bCancelled;
    int result = theApp.m_pfnExpand(theApp.m_strPackagePath, m_strCurFolder, key, m_strSideFile, 0);
    bool whole = result == 0 && Exists(sidePath) && !(m_bCancelled && !cancelledBefore);
    if (!whole) {
        // A cut side file must never replace the target at the restart.
        ::DeleteFileA(sidePath);
        return false;
    }
    if (!theApp.m_pfnReplaceFileOnReboot(target)) return false;
    m_arrScheduledSideFiles.AddUnique(sidePath);
    return true;
}

void CSetupDlg::WaitBeforeRetry() {
    for (int slice = 0; slice < 10 || m_bPaused; ++slice) {
        PumpMessages();
        if (m_bCancelled) return;
        ::Sleep(50);
    }
}
