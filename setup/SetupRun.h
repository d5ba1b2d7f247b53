// CSetupRun: a setup run as the setup program makes it, with its dialog (CSetupDlg) or without any
// window (/quiet, CQuietRun). It settles what needs no window: the configuration "Zembra.ini" with
// the product's keys, the Windows and system folders, and whether the run may go ahead (the user's
// rights, the install path that the library finds, the package). It is the installation driver's host
// in all that needs no window: the library's calls, the file system, the questions and messages
// (through the run's messages, which a quiet run answers itself), the programs recorded for the end,
// and the log of every entry's outcome. The dialog adds its pages, bar and status line.
#pragma once

#include "framework/CString.h"
#include "install/InstallDriver.h"
#include "install/InstallHost.h"
#include "profile/CProfileDocument.h"

#include <windows.h>

#include <string>
#include <vector>

class CSetupApp;

class CSetupRun : public CInstallHost {
public:
    explicit CSetupRun(CSetupApp& app);
    ~CSetupRun() override;

protected:
    // The configuration, the keys and the folders; then the rights, the install path, the folder of
    // /DIR= and the package.
    // False when the run does not go ahead: the user has been told (the library tells its own), and
    // the program ends with 1603.
    bool Prepare();
    // The run of the manifest into m_strTargetDir, logged; a completed run makes the shortcuts.
    void Install();
    // The programs the run recorded, in order, logged; with explorer an Explorer window first.
    void StartPrograms(bool explorer);

    // The host's part that needs no window.
    void Tell(const CString& text, bool failure) override;
    bool AskRetry(const CString& text) override;
    bool ControlKeyDown() override;
    int AskOverwrite(const CString& target) override;
    bool AskCancel(const CString& text) override;
    void SetLibraryProgress(long done, long total) override;
    int Expand(const CString& folder, const CString& key, const CString& fileName) override;
    void CancelLibrary() override;
    int CheckVersion(const CString& target, uint32_t high, uint32_t low) override;
    bool ReplaceFileOnReboot(const CString& target) override;
    void SetRegEntry(const CString& path, const CString& value) override;
    bool RegistryKeyExists(const CString& key) override;
    uint32_t Attributes(const CString& path) override;
    void SetAttributes(const CString& path, uint32_t attributes) override;
    void RemoveFile(const CString& path) override;
    bool CreateFolderPath(const CString& folder, bool checkDrive, bool* abort) override;
    void RecordProgram(long n, const CString& path, const CString& parameters, bool hide, bool wait) override;
    void EntryDone(const CEntryOutcome& outcome) override;
    void Note(const CString& text) override { Log(text); }

    CSetupApp& m_App;
    CProfileDocument m_Profile;
    CString m_strTargetDir;
    CString m_strOfferedDir;  // the target folder as the library found it: another one takes the list along
    CString m_strListDir;
    CString m_strProName;
    CString m_strProVersion;
    CString m_strWindowsDir;
    CString m_strSystemDir;
    CString m_strRegVersion;
    std::vector<std::string> m_MadeForFolder;  // levels of /DIR= made to give them a short form
    bool m_bPathChange = false;
    long m_nUpdateRegVersion = 0;  // also: the list file is written
    CInstallDriver m_Driver;

    // A message naming a path the ANSI code page cannot say (UTF-8), as ShowMessage shows its own.
    int ShowUtf8Message(const std::string& text, unsigned style);

private:
    bool RightsGranted(long securityNTAuthority);
    // The folder of /DIR= as the target, in its ANSI form; false, the user told, when it is refused.
    bool TakeFolder();
    // The shortcuts, recorded in the list file in listFolder.
    void MakeShortcuts(const CString& listFolder);
    // Where the run's questions belong: the dialog while it is there.
    HWND Owner() const;
    void Log(const CString& text) const;
    void LogUtf8(const std::string& text) const;
};
