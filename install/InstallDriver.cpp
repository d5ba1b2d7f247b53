#include "install/InstallDriver.h"

#include "framework/AddBackslash.h"
#include "framework/AnsiText.h"
#include "install/FileList.h"
#include "install/MadeRegistryKeys.h"
#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "profile/CProfileDocument.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t kReadOnly = 0x1, kHidden = 0x2, kNormal = 0x80;  // the system's file attributes
constexpr int kAccessDenied = 5, kSharingViolation = 32;

// The side file beside a target: its drive, folder and base name as the runtime's _splitpath splits
// them, and ".tny" (C:\Prog\tool.exe gives C:\Prog\tool.tny). *name gets the name alone.
CString SideFile(const CString& target, CString* name) {
    const char* text = target;
    const int length = target.GetLength();
    int nameStart = length >= 2 && text[1] == ':' ? 2 : 0;
    int dot = -1;
    for (int i = nameStart; i < length; ++i) {
        if (AnsiIsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length) {
            ++i;  // a trail byte is never a separator or a dot
        } else if (text[i] == '\\' || text[i] == '/') {
            nameStart = i + 1;
            dot = -1;
        } else if (text[i] == '.') {
            dot = i;
        }
    }
    const int end = dot >= 0 ? dot : length;
    *name = target.Mid(nameStart, end - nameStart) + ".tny";
    return target.Left(end) + ".tny";
}

// The folders above a full path's folder, deepest first, up to the one below its drive or network
// share ("C:\A\B\C" gives "C:\A\B\" and "C:\A\"); none for a relative path.
std::vector<CString> FoldersAbove(const CString& folder) {
    const char* text = folder;
    const int length = folder.GetLength();
    int rootBackslashes;  // "C:\" has one, "\\server\share\" four
    if (length >= 3 && text[1] == ':' && text[2] == '\\') {
        rootBackslashes = 1;
    } else if (length > 2 && text[0] == '\\' && text[1] == '\\') {
        rootBackslashes = 4;
    } else {
        return {};
    }
    std::vector<int> ends;  // the backslash after each name below the root
    int seen = 0;
    for (int i = 0; i < length; ++i) {
        if (AnsiIsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length) ++i;
        else if (text[i] == '\\' && ++seen > rootBackslashes) ends.push_back(i);
    }
    if (!ends.empty() && ends.back() == length - 1) ends.pop_back();  // the folder's own
    std::vector<CString> above;
    for (auto it = ends.rbegin(); it != ends.rend(); ++it) above.push_back(folder.Left(*it + 1));
    return above;
}

}  // namespace

CInstallDriver::CInstallDriver(CProfileDocument& config, CInstallHost& host) : m_Config(config), m_Host(host) {}

CString CInstallDriver::Text(long number) { return GetText(m_Config, number); }

void CInstallDriver::Run(const Settings& settings) {
    m_Settings = settings;
    // A negative count would read as four thousand million sections.
    long count = m_Config.GetInt("Doc", "FileCount", 0);
    unsigned long fileCount = count > 0 ? static_cast<unsigned long>(count) : 0;
    m_nTotal = m_Config.GetInt("Doc", "DataSize", 0);
    m_Host.SetBarRange(65535);
    m_Host.SetBarPos(0, m_nTotal);
    m_nDone = 0;
    m_bOverwriteRemembered = false;
    m_nOverwriteChoice = 0;
    m_nLockAnswer = 0;
    m_nProgramCount = 0;
    m_arrScheduledSideFiles.RemoveAll();
    m_arrMadeFolders.RemoveAll();
    m_arrWritten.RemoveAll();
    m_KnownDrives.clear();
    for (const std::string& folder : settings.madeFolders) m_arrCreatedDirs.AddUnique(folder.c_str());

    for (unsigned long index = 0; index < fileCount; ++index) {
        if (!InstallEntry(index)) break;
    }
    EndRun();
}

void CInstallDriver::RequestCancel() {
    if (m_bCancelled) return;  // confirmed once already; the run is on its way out
    m_bPaused = true;
    if (m_Host.AskCancel(Text(1))) {
        m_bCancelled = m_bUserCancelled = true;
        m_Host.EnableCancel(false);
        m_bPaused = false;
        m_Host.CancelLibrary();
    } else {
        m_bPaused = false;
    }
}

bool CInstallDriver::InstallEntry(unsigned long index) {
    CString section;
    section.Format("PFile%ld", static_cast<long>(index));
    EntryFlags flags = DecodeEntryFlags(m_Config.GetString(section, "FFlags", ""));
    CEntryOutcome outcome;
    outcome.index = index;
    if (!flags.install) {
        m_Host.EntryDone(outcome);
        return true;
    }

    m_strCurFile = m_Config.GetString(section, "FName", "");
    m_strCurFolder = m_Config.GetString(section, "FDir", "");
    CString key = m_Config.GetString(section, "FPName", "");
    outcome.key = key;
    outcome.size = m_Config.GetInt(section, "FSize", 0);
    // The uninstaller and its record go where the list of installed files goes.
    if (m_strCurFolder.Left(9) == "<LISTDIR>") {
        if (ListFolderIsTemporary()) {
            outcome.reason = CEntryOutcome::InTemporaryFolder;
            outcome.target = ListFolder() + m_strCurFile;
            m_Host.EntryDone(outcome);
            return true;
        }
        m_strCurFolder = ListFolder() + m_strCurFolder.Mid(9);
    }
    ExpandPathPlaceholders(m_strCurFolder, m_Settings.targetDir, m_Settings.windowsDir, m_Settings.systemDir);
    outcome.target = m_strCurFolder;
    AddBackslash(outcome.target);
    outcome.target += m_strCurFile;
    const CString& target = outcome.target;

    bool stop = false;
    if (!PrepareFolder(outcome, &stop)) {
        m_Host.EntryDone(outcome);
        return !stop;
    }
    uint32_t attributes = TargetAttributes(target);
    if (attributes != CInstallHost::kNoFile && !WeighExisting(section, flags, attributes, outcome)) {
        m_Host.EntryDone(outcome);
        return true;
    }

    m_Host.ShowStatus(FormatText(Text(10), m_strCurFolder, m_strCurFile, DecimalText(outcome.size)));
    while (m_bPaused) {
        m_Host.PumpMessages();
        m_Host.Sleep(50);
    }
    outcome.kind = CEntryOutcome::NotInstalled;
    outcome.reason = CEntryOutcome::Cancelled;
    if (m_bCancelled) {
        m_Host.EntryDone(outcome);
        return false;
    }
    m_Host.PumpMessages();
    m_Host.SetLibraryProgress(m_nDone, m_nTotal);

    Step step = ExpandEntry(flags, key, attributes, outcome);
    if (step != Step::Scheduled) {  // the bar moves only for files in place or given up
        if (step == Step::Installed) {
            if (flags.startProgram)
                m_Host.RecordProgram(m_nProgramCount++, target, m_Config.GetString(section, "FParams", ""),
                                     flags.startHidden, flags.waitForEnd);
            m_arrInstalledFiles.AddUnique(target);
            if (attributes != CInstallHost::kNoFile) m_arrReplacedFiles.AddUnique(target);
        }
        m_nDone += outcome.size;
        m_Host.SetBarPos(m_nDone, m_nTotal);
        m_Host.PumpMessages();
        m_Host.Sleep(10);
    }
    m_Host.EntryDone(outcome);
    return true;
}

bool CInstallDriver::PrepareFolder(CEntryOutcome& outcome, bool* stop) {
    outcome.kind = CEntryOutcome::NotInstalled;
    // Listed even when it cannot be made, and so are the missing folders above it, which are made
    // level by level on the way: the uninstaller removes each that is empty by then.
    const bool missing = !Exists(m_strCurFolder);
    if (missing) {
        m_arrCreatedDirs.AddUnique(m_strCurFolder);
        for (const CString& above : FoldersAbove(m_strCurFolder)) {
            if (Exists(above)) break;
            m_arrCreatedDirs.AddUnique(above);
        }
    }
    if (m_bAbort) {
        CancelSequence();
        outcome.reason = CEntryOutcome::Cancelled;
        *stop = true;
        return false;
    }
    // A drive that was there for an earlier entry is not looked for again.
    const char drive = m_strCurFolder.IsEmpty() ? '\\' : m_strCurFolder[0];
    const bool checkDrive = m_KnownDrives.count(drive) == 0;
    if (!m_Host.CreateFolderPath(m_strCurFolder, checkDrive, &m_bAbort)) {
        // After the user chose to stop, the next enabled entry runs the cancel sequence.
        if (!m_bAbort) m_Host.Tell(FormatText(Text(2), m_strCurFolder), false);
        outcome.reason = m_bAbort ? CEntryOutcome::DriveMissing : CEntryOutcome::FolderFailed;
        return false;
    }
    if (checkDrive && drive != '\\') m_KnownDrives.insert(drive);
    if (missing) m_arrMadeFolders.AddUnique(m_strCurFolder);
    return true;
}

uint32_t CInstallDriver::TargetAttributes(const CString& target) {
    // A name with a folder in it is written elsewhere by the library: looked at as it is.
    bool plainName = m_strCurFile.Find('\\') < 0 && m_strCurFile.Find('/') < 0 && m_strCurFile.Find(':') < 0;
    if (plainName && m_arrMadeFolders.Contains(m_strCurFolder) && !m_arrWritten.Contains(target)) return CInstallHost::kNoFile;
    return m_Host.Attributes(target);
}

int CInstallDriver::Expand(const CString& key, const CString& fileName, const CString& path) {
    m_arrWritten.AddUnique(path);
    return m_Host.Expand(m_strCurFolder, key, fileName);
}

bool CInstallDriver::WeighExisting(const CString& section, const EntryFlags& flags, uint32_t attributes,
                                   CEntryOutcome& outcome) {
    outcome.kind = CEntryOutcome::Kept;
    if (flags.compareVersions) {
        uint32_t high = static_cast<uint32_t>(m_Config.GetInt(section, "Vers1", 0));
        uint32_t low = static_cast<uint32_t>(m_Config.GetInt(section, "Vers2", 0));
        outcome.reason = CEntryOutcome::NotNewer;
        if (m_Host.CheckVersion(outcome.target, high, low) == 0) return false;
    }
    if (flags.askBeforeOverwrite) {
        outcome.reason = CEntryOutcome::KeepChosen;
        if (m_bOverwriteRemembered) {
            if (m_nOverwriteChoice == CInstallHost::KeepAll) return false;
        } else {
            // Dismissing the question installs this file and asks again at the next one.
            int choice = m_Host.AskOverwrite(outcome.target);
            if (choice == CInstallHost::OverwriteAll || choice == CInstallHost::KeepAll) {
                m_bOverwriteRemembered = true;
                m_nOverwriteChoice = choice;
            }
            if (choice == CInstallHost::Keep || choice == CInstallHost::KeepAll) return false;
        }
    }
    outcome.reason = CEntryOutcome::None;
    if (flags.clearReadOnly) ClearReadOnly(outcome.target, attributes);
    return true;
}

// The decoding into place (retried while the target is in use and the user wants it), or the side
// file for the restart, or giving up.
CInstallDriver::Step CInstallDriver::ExpandEntry(const EntryFlags& flags, const CString& key, uint32_t attributes,
                                                 CEntryOutcome& outcome) {
    const CString& target = outcome.target;
    for (;;) {
        bool cancelledBefore = m_bCancelled;
        int result = Expand(key, m_strCurFile, target);
        outcome.code = result;
        if (result != kAccessDenied && result != kSharingViolation) {
            // A cancel that arrived while the library decoded has made it drop the file.
            if (m_bCancelled && !cancelledBefore) return Step::NotInstalled;
            // Only a file written whole counts: a failed decoding, a package that cannot be read or an
            // entry missing from it is reported and the run goes on.
            if (result == 0 && Exists(target)) {
                outcome.kind = CEntryOutcome::Installed;
                outcome.reason = CEntryOutcome::None;
                return Step::Installed;
            }
            m_Host.Tell(target + Text(4), true);
            outcome.reason = CEntryOutcome::ExpandFailed;
            return Step::NotInstalled;
        }

        if (flags.replaceAtRestart && ScheduleSideFile(key, target)) {
            ++m_nRebootCount;
            outcome.kind = CEntryOutcome::Scheduled;
            outcome.reason = CEntryOutcome::None;
            return Step::Scheduled;
        }

        bool retry;
        if (m_nLockAnswer == 0) {
            retry = m_Host.AskRetry(target + Text(3));
            if (m_Host.ControlKeyDown()) m_nLockAnswer = retry ? 1 : 2;
        } else if (m_nLockAnswer == 1) {
            // Retrying by itself: give the holder time and the user a chance to cancel.
            WaitBeforeRetry();
            if (m_bCancelled) return Step::NotInstalled;
            retry = true;
        } else {
            retry = false;
        }
        if (!retry) {
            m_Host.Tell(target + Text(4), true);
            outcome.reason = CEntryOutcome::GivenUp;
            return Step::NotInstalled;
        }
        ClearReadOnly(target, attributes);
        m_Host.RemoveFile(target);
    }
}

bool CInstallDriver::ScheduleSideFile(const CString& key, const CString& target) {
    CString name;
    CString path = SideFile(target, &name);
    // Another target of this run (tool.exe beside tool.dll) waits for this side file at the restart;
    // writing over it would give that target the wrong content.
    if (m_arrScheduledSideFiles.Contains(path)) return false;
    m_Host.SetAttributes(path, kNormal);
    m_Host.RemoveFile(path);

    bool cancelledBefore = m_bCancelled;
    int result = Expand(key, name, path);
    bool whole = result == 0 && Exists(path) && !(m_bCancelled && !cancelledBefore);
    if (!whole) {
        // A cut side file must never replace the target at the restart.
        m_Host.RemoveFile(path);
        return false;
    }
    if (!m_Host.ReplaceFileOnReboot(target)) return false;
    m_arrScheduledSideFiles.AddUnique(path);
    return true;
}

void CInstallDriver::WaitBeforeRetry() {
    for (int slice = 0; slice < 10 || m_bPaused; ++slice) {
        m_Host.PumpMessages();
        if (m_bCancelled) return;
        m_Host.Sleep(50);
    }
}

// The kept attributes without read-only; nothing when the target had none to keep.
void CInstallDriver::ClearReadOnly(const CString& target, uint32_t attributes) {
    if (attributes != CInstallHost::kNoFile) m_Host.SetAttributes(target, attributes & ~kReadOnly);
}

// The abort flag seen: the same as a confirmed cancel, and the dialog ends without starting programs.
void CInstallDriver::CancelSequence() {
    m_bCancelled = true;
    m_Host.EnableCancel(false);
    m_bPaused = false;
    m_Host.CancelLibrary();
    m_Host.CloseDialog();
}

void CInstallDriver::EndRun() {
    // The keys that writing the version value is about to make, looked for before it makes them.
    std::vector<std::string> madeKeys;
    if (m_Settings.updateRegVersion) {
        for (const std::string& key : KeysAboveValue(m_Settings.regVersion.c_str())) {
            if (m_Host.RegistryKeyExists(key.c_str())) break;
            madeKeys.push_back(key);
        }
    }
    if (m_Settings.writeFileList) UpdateFileList(madeKeys);
    m_arrInstalledFiles.RemoveAll();
    m_arrReplacedFiles.RemoveAll();
    m_arrCreatedDirs.RemoveAll();
    m_Host.SetBarRange(1);
    m_Host.SetBarPos(1, 1);
    m_bFinished = true;
    if (m_bCancelled) {
        m_Host.CloseDialog();
    } else {
        m_Host.Sleep(500);
        if (m_nRebootCount > 0) m_Host.Tell(Text(17), false);
        m_Host.EnableCancel(true);
        m_Host.ShowLastPage();
    }
    if (m_Settings.updateRegVersion) m_Host.SetRegEntry(m_Settings.regVersion, m_Settings.proVersion);
}

CString CInstallDriver::ListFolder() const {
    return m_Settings.listDir.IsEmpty() ? m_Settings.targetDir : m_Settings.listDir;
}

bool CInstallDriver::ListFolderIsTemporary() const {
    if (m_Settings.tempDir.IsEmpty()) return false;
    std::string list = ListFolder().c_str(), temp = m_Settings.tempDir.c_str();
    while (!list.empty() && list.back() == '\\') list.pop_back();
    while (!temp.empty() && temp.back() == '\\') temp.pop_back();
    return AnsiCompareNoCase(list.c_str(), temp.c_str()) == 0 || IsInside(list, temp);
}

void CInstallDriver::UpdateFileList(const std::vector<std::string>& madeKeys) {
    CString path = ListFolder() + kInstalledListName;
    // A hidden or read-only list from an earlier run must be writable; it is hidden again afterwards.
    m_Host.SetAttributes(path, kNormal);
    std::vector<std::string> passedOver;
    ListMerge merge;
    merge.replaced = &m_arrReplacedFiles;
    merge.readEarlier = !ListFolderIsTemporary();
    if (!merge.readEarlier)
        m_Host.Note(zembra::Text(zembra::SetupText::ListRewritten, {path.c_str()}).c_str());
    MergeFileList(path, m_arrInstalledFiles, m_arrCreatedDirs, &passedOver, merge);
    if (!madeKeys.empty()) RecordMadeRegistryKeys(path, madeKeys);
    m_Host.SetAttributes(path, kHidden | kNormal);
    for (const std::string& problem : passedOver) m_Host.Note(problem.c_str());
}
