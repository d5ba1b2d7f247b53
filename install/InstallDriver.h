// CInstallDriver: the installation run. It walks the manifest [PFile0], [PFile1], ... of the setup
// configuration; for every enabled entry it makes the folder, weighs an existing target (version,
// overwrite question, read-only), has the library decode the entry into place, copes with a target in
// use (retry, or a side file that replaces it at the next restart), moves the bar and the status
// line, and lists what it installed and which folders it made (those above an entry's folder too). At
// the end it merges both lists into the list file "UnZembra.ini" with the registry keys that the
// product version is about to make, fills the bar, moves the dialog on and writes the version.
//
// Everything runs on the dialog's thread. The driver keeps the dialog alive by pumping its messages
// between steps (the library pumps while it decodes), so the dialog's cancel handler runs inside those
// pumps: it calls RequestCancel, which asks and talks to the run through the pause and cancel flags
// and the library's cancel call only.
#pragma once

#include "framework/CString.h"
#include "install/EntryFlags.h"
#include "install/InstallHost.h"
#include "profile/CNyStringArray.h"

#include <string>
#include <unordered_set>
#include <vector>

class CProfileDocument;

class CInstallDriver {
public:
    // What the dialog hands the run; folders end with a backslash (the list folder may be empty). A
    // list folder that is the temporary folder or lies in it (tempDir, given when the placement falls
    // back on it) is one every user may write to: a list there is written afresh, never merged, and
    // the uninstaller and its record are not placed there.
    struct Settings {
        CString targetDir, listDir, windowsDir, systemDir, tempDir;
        CString proVersion, regVersion;
        std::vector<std::string> madeFolders;  // made before the run (install/ChosenFolderForm.h): listed too
        bool writeFileList = false;
        bool updateRegVersion = false;
    };

    CInstallDriver(CProfileDocument& config, CInstallHost& host);

    // The whole run, from the bar's reset to the end of the run.
    void Run(const Settings& settings);
    // The cancel handler while a run is going on: pauses the run, asks, and on Yes stops it before its
    // next entry (the library drops the file it is decoding).
    void RequestCancel();

    bool Cancelled() const { return m_bCancelled; }
    bool UserCancelled() const { return m_bUserCancelled; }  // confirmed the cancel question (not a missing drive)
    bool Finished() const { return m_bFinished; }  // a run has ended, cancelled or not
    int RebootCount() const { return m_nRebootCount; }

private:
    enum class Step { Installed, Scheduled, NotInstalled };

    bool InstallEntry(unsigned long index);
    // The folder steps; false when the entry goes no further (*stop: the run ends).
    bool PrepareFolder(CEntryOutcome& outcome, bool* stop);
    // Version, overwrite question and read-only for an existing target; false keeps it.
    bool WeighExisting(const CString& section, const EntryFlags& flags, uint32_t attributes, CEntryOutcome& outcome);
    Step ExpandEntry(const EntryFlags& flags, const CString& key, uint32_t attributes, CEntryOutcome& outcome);
    bool ScheduleSideFile(const CString& key, const CString& target);
    void WaitBeforeRetry();
    void ClearReadOnly(const CString& target, uint32_t attributes);
    bool Exists(const CString& path) { return m_Host.Attributes(path) != CInstallHost::kNoFile; }
    // The target's attributes; not asked for where the answer is known.
    uint32_t TargetAttributes(const CString& target);
    int Expand(const CString& key, const CString& fileName, const CString& path);
    void CancelSequence();
    void EndRun();
    // The list file, with the registry keys that the version value is about to make.
    void UpdateFileList(const std::vector<std::string>& madeKeys);
    CString Text(long number);
    // The folder of the list file "UnZembra.ini": the list folder, or the install folder without one.
    CString ListFolder() const;
    bool ListFolderIsTemporary() const;

    CProfileDocument& m_Config;
    CInstallHost& m_Host;
    Settings m_Settings;

    // Across runs: the dialog's life.
    bool m_bFinished = false;
    int m_nRebootCount = 0;
    // The protocol with the cancel handler.
    bool m_bPaused = false;
    bool m_bCancelled = false;
    bool m_bUserCancelled = false;
    bool m_bAbort = false;  // the user chose to stop at a missing drive

    // One run.
    long m_nTotal = 0;
    long m_nDone = 0;
    bool m_bOverwriteRemembered = false;
    int m_nOverwriteChoice = 0;
    int m_nLockAnswer = 0;  // a target in use: 0 ask, 1 always retry, 2 always give up
    long m_nProgramCount = 0;
    CString m_strCurFile;
    CString m_strCurFolder;
    CNyStringArray m_arrInstalledFiles;
    CNyStringArray m_arrReplacedFiles;  // installed over a file that was there before
    CNyStringArray m_arrCreatedDirs;
    CNyStringArray m_arrScheduledSideFiles;  // side files that this run has handed to the restart
    // Folders that this run made, and every file it had the library write: a made folder holds no
    // other file, so a target there needs no look (which costs a search of the whole folder under
    // some systems).
    CNyStringArray m_arrMadeFolders;
    CNyStringArray m_arrWritten;
    std::unordered_set<char> m_KnownDrives;  // drive letters found to exist in this run
};
