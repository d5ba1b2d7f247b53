#include "tools/uninstall/Uninstaller.h"

#include "framework/AnsiText.h"
#include "install/FileList.h"
#include "install/MadeRegistryKeys.h"
#include "install/ProductRecord.h"
#include "profile/CProfileDocument.h"
#include "run/RunSwitches.h"
#include "run/SystemErrorText.h"
#include "run/WorkFolder.h"
#include "tools/uninstall/ListedRemoval.h"
#include "tools/uninstall/ParkedCopy.h"
#include "tools/uninstall/ProductRegistry.h"
#include "tools/uninstall/UninstallTexts.h"
#include "tools/uninstall/UninstallUi.h"

#include <windows.h>

namespace zembra {
namespace {

constexpr size_t kNamesInMessage = 8;

bool SamePath(const std::string& a, const std::string& b) { return AnsiCompareNoCase(a.c_str(), b.c_str()) == 0; }

std::string Lines(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size() && i < kNamesInMessage; ++i) text += "\n" + names[i];
    if (names.size() > kNamesInMessage)
        text += Text(UninstallText::MoreNames, {std::to_string(names.size() - kNamesInMessage)});
    return text;
}

class Uninstaller {
public:
    Uninstaller(const UninstallCall& call, RunMessages& messages)
        : m_call(call), m_log(messages.Log()), m_ui(messages) {}
    int Run();

private:
    bool ReadList();
    void MoveProgramAside();
    void RemoveFiles();
    void RemoveRegistry();
    void RemoveMadeKeys();
    void RemoveOwnFiles();
    void RemoveFolders();
    int Finish();
    void Failed(const std::string& what, unsigned long error);
    void Step(const std::string& status);

    const UninstallCall& m_call;
    const RunLog& m_log;
    UninstallUi m_ui;
    ListedNames m_list;
    std::vector<std::string> m_madeKeys;  // the registry keys the installations made
    ProductRecord m_record;
    WorkFolder m_aside;          // where the running program went, out of the product's way
    bool m_programAside = false;
    std::string m_asideFolder;  // ends with a backslash
    std::vector<std::string> m_failed, m_atRestart, m_kept;
    size_t m_done = 0, m_steps = 0;
};

void Uninstaller::Failed(const std::string& what, unsigned long error) {
    m_log.Write(Text(UninstallText::NotRemoved, {SystemErrorText(error), what}));
    m_failed.push_back(what);
}

void Uninstaller::Step(const std::string& status) { m_ui.Progress(status, m_done++, m_steps); }

bool Uninstaller::ReadList() {
    const std::string path = m_call.listFolder + kInstalledListName;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        m_ui.Tell(Text(UninstallText::ListMissing, {path, SystemErrorText(GetLastError())}), true);
        return false;
    }
    CProfileDocument list;
    list.SetPath(path.c_str());
    if (!list.Load() || !ReadRemovalList(list, &m_list)) {
        m_ui.Tell(Text(UninstallText::NoList, {path}), true);
        return false;
    }
    m_madeKeys = ReadMadeRegistryKeys(list);
    // The shortcuts go first, so that none leads to a removed file meanwhile; the product's Start-menu
    // folder goes with the listed folders, when it is empty by then.
    ListedNames shortcuts;
    ReadShortcutNames(list, &shortcuts);
    m_list.files.insert(m_list.files.begin(), shortcuts.files.begin(), shortcuts.files.end());
    m_list.folders.insert(m_list.folders.end(), shortcuts.folders.begin(), shortcuts.folders.end());
    m_list.problems.insert(m_list.problems.end(), shortcuts.problems.begin(), shortcuts.problems.end());
    // Without its record the product is still removed; only its name and version entry are unknown.
    const std::string recordPath = m_call.listFolder + kProductRecordName;
    if (GetFileAttributesA(recordPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        m_log.Write(Text(UninstallText::RecordMissing, {kProductRecordName, SystemErrorText(GetLastError())}));
    else
        ReadProductRecord(recordPath, &m_record);
    if (!m_record.name.empty()) m_ui.SetCaption(m_record.name);
    for (const std::string& problem : m_list.problems) {
        m_log.Write(problem);
        m_failed.push_back(problem);
    }
    return true;
}

// A running program cannot be deleted, but it can be moved on its drive: into a private temporary
// folder, so that the product folder can be emptied and removed.
void Uninstaller::MoveProgramAside() {
    std::string root, problem;
    unsigned long error = 0;
    if (m_aside.Create(&root, &error, &problem)) {
        const std::string target = m_aside.Path() + kUninstallerName;
        if (MoveFileExA(m_call.program.c_str(), target.c_str(), 0)) {
            m_asideFolder = m_aside.Path();
            m_aside.Keep();  // it holds the running program now
            m_programAside = true;
            m_log.Write(Text(UninstallText::ProgramAside, {target}));
            return;
        }
        error = GetLastError();
        m_aside.Remove();
    }
    if (!problem.empty()) m_log.WriteUtf8(problem);
    m_log.Write(Text(UninstallText::ProgramStays, {SystemErrorText(error)}));
}

void Uninstaller::RemoveFiles() {
    const std::string list = m_call.listFolder + kInstalledListName, record = m_call.listFolder + kProductRecordName;
    std::vector<std::string> linked;
    for (const std::string& folder : m_list.folders)
        if (IsLinkedFolder(folder)) linked.push_back(folder);
    for (const std::string& file : m_list.files) {
        if (SamePath(file, list) || SamePath(file, record)) continue;  // they are read to the end
        Step(Text(UninstallText::Removing, {file}));
        if (WasReplaced(m_list, file)) {
            // Somebody else's before the product came (a shared DLL, another product's file).
            m_log.Write(Text(UninstallText::KeptReplaced, {file}));
            continue;
        }
        if (m_programAside && SamePath(file, m_call.program)) {
            m_log.Write(Text(UninstallText::Removed, {file}));
            continue;
        }
        bool behindLink = false;
        for (const std::string& folder : linked) behindLink = behindLink || IsInside(file, folder);
        if (behindLink) {
            m_log.Write(Text(UninstallText::BehindLink, {file}));
            continue;
        }
        unsigned long error = 0;
        switch (RemoveListedFile(file, &error)) {
            case Removal::Removed: m_log.Write(Text(UninstallText::Removed, {file})); break;
            case Removal::Missing: m_log.Write(Text(UninstallText::WasMissing, {file})); break;
            case Removal::AtRestart:
                m_log.Write(Text(UninstallText::AtRestart, {file}));
                m_atRestart.push_back(file);
                break;
            case Removal::Refused:
                m_log.Write(Text(UninstallText::NowFolder, {file}));
                m_failed.push_back(file);
                break;
            default: Failed(file, error); break;
        }
    }
}

void Uninstaller::RemoveRegistry() {
    Step(Text(UninstallText::RemovingRegistry));
    unsigned long error = 0;
    if (!m_record.regVersion.empty()) {
        bool keyRemoved = false;
        switch (RemoveVersionValue(m_record.regVersion, &keyRemoved, &error)) {
            case Removal::Removed:
                m_log.Write(Text(keyRemoved ? UninstallText::ValueRemovedWithKey : UninstallText::ValueRemoved,
                                 {m_record.regVersion}));
                break;
            case Removal::Missing: m_log.Write(Text(UninstallText::ValueMissing, {m_record.regVersion})); break;
            case Removal::Refused:
                m_log.Write(Text(UninstallText::ValueWithoutRoot, {m_record.regVersion}));
                break;
            default: Failed(m_record.regVersion, error); break;
        }
        RemoveMadeKeys();
    }
    const std::string key = UninstallKey(m_record, m_call.listFolder);
    std::string where = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key;
    // Every folder of a product with an AppId shares its entry: it stays with the installation it names.
    const std::string location = UninstallEntryLocation(key);
    if (!location.empty() && !SamePath(location + "\\", m_call.listFolder)) {
        m_log.Write(Text(UninstallText::EntryStays, {location, where}));
        return;
    }
    switch (RemoveUninstallEntry(key, &where, &error)) {
        case Removal::Removed: m_log.Write(Text(UninstallText::EntryRemoved, {where})); break;
        case Removal::Missing: m_log.Write(Text(UninstallText::EntryMissing, {where})); break;
        default: Failed(where, error); break;
    }
}

// The keys above the version value, deepest first, as long as the installation made them and they are
// empty now; the first that holds anything, or was there before, ends the climb.
void Uninstaller::RemoveMadeKeys() {
    for (const std::string& key : KeysAboveValue(m_record.regVersion)) {
        if (!HoldsKey(m_madeKeys, key)) return;
        unsigned long error = 0;
        switch (RemoveEmptyKey(key, &error)) {
            case Removal::Removed: m_log.Write(Text(UninstallText::EmptyKeyRemoved, {key})); break;
            case Removal::Missing: break;
            case Removal::Failed: Failed(key, error); return;
            default: return;
        }
    }
}

void Uninstaller::RemoveOwnFiles() {
    for (const char* name : {kProductRecordName, kInstalledListName}) {
        const std::string path = m_call.listFolder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // the list is hidden
        unsigned long error = 0;
        const Removal removal = RemoveListedFile(path, &error);
        if (removal == Removal::Removed || removal == Removal::Missing)
            m_log.Write(Text(UninstallText::Removed, {path}));
        else if (removal == Removal::AtRestart) m_atRestart.push_back(path);
        else Failed(path, error);
    }
}

void Uninstaller::RemoveFolders() {
    for (const std::string& folder : m_list.folders) {
        Step(Text(UninstallText::Removing, {folder}));
        unsigned long error = 0;
        switch (RemoveListedFolder(folder, &error)) {
            case Removal::Removed: m_log.Write(Text(UninstallText::FolderRemoved, {folder})); break;
            case Removal::LinkRemoved: m_log.Write(Text(UninstallText::LinkRemoved, {folder})); break;
            case Removal::Missing: m_log.Write(Text(UninstallText::FolderMissing, {folder})); break;
            case Removal::Refused: m_log.Write(Text(UninstallText::FolderGone, {folder})); break;
            case Removal::Kept: {
                // Files that go at the restart would leave it empty then; anything else is somebody's own.
                bool pending = false;
                for (const std::string& file : m_atRestart) pending = pending || IsInside(file, folder);
                if (pending && RemoveAtRestart(folder)) {
                    m_log.Write(Text(UninstallText::FolderAtRestart, {folder}));
                    m_atRestart.push_back(folder);
                } else if (HoldsFiles(folder)) {
                    m_log.Write(Text(UninstallText::FolderKeptFiles, {folder}));
                    m_kept.push_back(folder);
                } else {
                    // Somebody's empty folders: left alone, but no reason to tell the user of files.
                    m_log.Write(Text(UninstallText::FolderKeptFolders, {folder}));
                }
                break;
            }
            default:
                if (IsLinkedFolder(folder)) m_log.Write(Text(UninstallText::LinkStays));
                Failed(folder, error);
                break;
        }
    }
}

int Uninstaller::Finish() {
    m_ui.EndProgress();
    const std::string name = m_record.name.empty() ? Text(UninstallText::TheProduct) : m_record.name;
    int code = kRunSucceeded;
    std::string text = Text(UninstallText::RemovedWhole, {name});
    if (!m_failed.empty()) {
        code = kRunFailed;
        text = Text(UninstallText::RemovedInPart, {name, Lines(m_failed)});
    } else if (!m_atRestart.empty()) {
        code = kRunRestartNeeded;
    }
    if (!m_atRestart.empty())
        text += Text(UninstallText::RestartDue);
    // Only the folders at the top: what a user looks for.
    std::vector<std::string> top;
    for (const std::string& folder : m_kept) {
        bool inner = false;
        for (const std::string& other : m_kept) inner = inner || IsInside(folder, other);
        if (!inner) top.push_back(folder);
    }
    if (!top.empty()) text += Text(UninstallText::FoldersKept, {Lines(top)});
    // An unattended run speaks up only when there is something to do about it.
    if (!m_call.automatic || code != kRunSucceeded) m_ui.Tell(text, code == kRunFailed);
    else m_log.Write(text);
    unsigned long error = 0;
    if (m_programAside && StartCleanup(m_asideFolder, &error)) {
        m_log.Write(Text(UninstallText::ProgramRemovedAfter, {m_asideFolder}));
    } else if (m_programAside) {
        // Left to the system's cleaning of temporary files, or to the restart that is due anyway.
        m_log.Write("Das Deinstallationsprogramm bleibt in " + m_asideFolder + " (" + SystemErrorText(error) + ").");
        if (code == kRunRestartNeeded) {
            RemoveAtRestart(m_asideFolder + kUninstallerName);
            RemoveAtRestart(m_asideFolder.substr(0, m_asideFolder.size() - 1));
        }
    }
    return code;
}

int Uninstaller::Run() {
    if (!ReadList()) return kRunFailed;
    m_log.Write(Text(UninstallText::LogProduct, {m_record.name, m_record.version, std::to_string(m_list.files.size()),
                                                  std::to_string(m_list.folders.size())}));
    const std::string product = m_record.name.empty() ? Text(UninstallText::TheProductInside) : m_record.name +
                                (m_record.version.empty() ? std::string() : " " + m_record.version);
    if (!m_call.automatic && !m_ui.Ask(Text(UninstallText::Ask, {product}))) {
        return kRunCancelled;
    }
    m_steps = m_list.files.size() + m_list.folders.size() + 1;
    m_ui.BeginProgress(Text(UninstallText::ProgressTitle,
                            {m_record.name.empty() ? Text(UninstallText::TheProduct) : m_record.name}));
    MoveProgramAside();
    RemoveFiles();
    RemoveRegistry();
    RemoveOwnFiles();
    RemoveFolders();
    return Finish();
}

}  // namespace

int RunUninstall(const UninstallCall& call, RunMessages& messages) { return Uninstaller(call, messages).Run(); }

}  // namespace zembra
