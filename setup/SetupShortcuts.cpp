// The product's shortcuts, made once its files are in place and recorded in the list file, from which
// the uninstaller removes them again.
#include "setup/SetupRun.h"

#include "framework/WideText.h"
#include "install/FileList.h"
#include "install/SetupTexts.h"
#include "install/ShellShortcuts.h"
#include "profile/CNyStringArray.h"
#include "run/SystemErrorText.h"

void CSetupRun::MakeShortcuts(const CString& listFolder) {
    ShortcutFolders folders;
    bool allUsers = false;
    std::string problem;
    ShellShortcutFolders(&folders, &allUsers, &problem);
    folders.installDir = m_strTargetDir.c_str();
    folders.windowsDir = m_strWindowsDir.c_str();
    folders.systemDir = m_strSystemDir.c_str();
    const ShortcutPlan plan = PlanShortcuts(m_Profile, folders);
    if (plan.shortcuts.empty()) return;
    CNyStringArray links, madeFolders;
    if (!plan.menuFolder.empty() && (::CreateDirectoryA(plan.menuFolder.c_str(), nullptr) ||
                                     ::GetLastError() == ERROR_ALREADY_EXISTS))
        madeFolders.AddUnique(plan.menuFolder.c_str());
    if (!problem.empty())
        LogUtf8(zembra::Utf8Text(zembra::SetupText::ShortcutFolderUnusable, {problem}));
    for (const PlannedShortcut& shortcut : plan.shortcuts) {
        const DWORD attributes = ::GetFileAttributesA(shortcut.target.c_str());
        unsigned long error = 0;
        if (shortcut.link.find('\\') == std::string::npos) {
            continue;  // its folder is unknown
        } else if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            Log(zembra::Text(zembra::SetupText::ShortcutTargetMissing, {shortcut.link, shortcut.target}).c_str());
        } else if (!CreateShellLink(shortcut, &error)) {
            Log(zembra::Text(zembra::SetupText::ShortcutFailed, {zembra::SystemErrorText(error), shortcut.link})
                    .c_str());
        } else {
            Log(zembra::Text(
                    allUsers ? zembra::SetupText::ShortcutMadeForAll : zembra::SetupText::ShortcutMade,
                    {shortcut.link, shortcut.target + (shortcut.arguments.empty() ? "" : " " + shortcut.arguments)})
                    .c_str());
            links.AddUnique(shortcut.link.c_str());
        }
    }
    if (m_nUpdateRegVersion == 0 || links.GetSize() == 0) return;
    // The list is hidden; only a plain file can be written over.
    const CString list = listFolder + kInstalledListName;
    ::SetFileAttributesA(list, FILE_ATTRIBUTE_NORMAL);
    MergeShortcutList(list, links, madeFolders);
    ::SetFileAttributesA(list, FILE_ATTRIBUTE_HIDDEN);
}
