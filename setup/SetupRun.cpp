#include "setup/SetupRun.h"

#include "framework/CWnd.h"
#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/ChosenFolder.h"
#include "install/ChosenFolderForm.h"
#include "install/FinishPrograms.h"
#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"

#include <io.h>

#include <string>

using zembra::SetupText;
using zembra::Text;

CSetupRun::CSetupRun(CSetupApp& app) : m_App(app), m_Driver(m_Profile, *this) {
    m_strTargetDir = zembra::TemporaryFolderPath().path.c_str();  // empty when it has no ANSI form
    AddBackslash(m_strTargetDir);
}

CSetupRun::~CSetupRun() {
    // Made for a run that never came: nothing of them stays.
    if (!m_Driver.Finished()) RemoveMadeLevels(m_MadeForFolder);
}

void CSetupRun::Log(const CString& text) const { m_App.m_Messages.Log().Write(text.c_str()); }

void CSetupRun::LogUtf8(const std::string& text) const { m_App.m_Messages.Log().WriteUtf8(text); }

int CSetupRun::ShowUtf8Message(const std::string& text, unsigned style) {
    return m_App.m_Messages.ShowUtf8(nullptr, text, "Setup", style | MB_TASKMODAL | MB_TOPMOST, IDOK,
                                     (style & MB_ICONMASK) == MB_ICONHAND);
}

HWND CSetupRun::Owner() const { return m_App.m_pMainWnd ? m_App.m_pMainWnd->m_hWnd : nullptr; }

bool CSetupRun::RightsGranted(long securityNTAuthority) {
    // Both groups are asked, in this order, whatever the first answer.
    bool powerUser = m_App.m_pfnIsUserMemberOfGroup(1) != 0;
    bool admin = m_App.m_pfnIsUserMemberOfGroup(0) != 0;
    if (securityNTAuthority == 1) return powerUser || admin;
    if (securityNTAuthority == 2) return admin;
    return false;
}

bool CSetupRun::Prepare() {
    const zembra::AnsiPathChoice windows = zembra::WindowsFolderPath(), system = zembra::SystemFolderPath();
    m_strWindowsDir = windows.path.c_str();
    AddBackslash(m_strWindowsDir);
    m_strSystemDir = system.path.c_str();
    AddBackslash(m_strSystemDir);
    const CString config = m_App.m_strAppDir + "Zembra.ini";
    m_Profile.SetPath(config);
    m_Profile.Load();  // a missing or bad file has been reported; the defaults stand in
    UseLanguageTexts(m_Profile, m_App.m_strLanguage.c_str());
    m_strProName = m_Profile.GetString("Doc", "ProName", "");
    m_strProVersion = m_Profile.GetString("Doc", "ProVersion", "");
    m_nUpdateRegVersion = m_Profile.GetInt("Doc", "UpdateRegVersion", 0);
    m_strRegVersion = m_Profile.GetString("Doc", "RegVersion", "");
    long securityNTAuthority = m_Profile.GetInt("Doc", "SecurityNTAuthority", 0);
    Log(Text(SetupText::LogProduct, {(m_strProName + " " + m_strProVersion).c_str(), m_App.m_strPackagePath.c_str()})
            .c_str());

    std::string stop;
    const zembra::AnsiPathChoice& unsaid = windows.form == zembra::AnsiPathForm::None ? windows : system;
    if (unsaid.form == zembra::AnsiPathForm::None) {
        ShowUtf8Message(zembra::Utf8Text(SetupText::WindowsFolderUnusable, {unsaid.problem}), MB_ICONHAND);
        stop = Text(SetupText::StopWindowsFolder);
    } else if (securityNTAuthority != 0 && !RightsGranted(securityNTAuthority)) {
        ShowMessage(GetText(m_Profile, 16), 0);
        stop = Text(SetupText::StopRights, {std::to_string(securityNTAuthority)});
    } else if (!m_App.m_pfnGetInstallPath(&m_strTargetDir, &m_strListDir, config, m_strProName, &m_bPathChange)) {
        stop = Text(SetupText::StopNoFolder);  // the library has told the user why
    } else if (!TakeFolder()) {
        stop = Text(SetupText::StopFolderRefused);
    } else if (m_strTargetDir.IsEmpty()) {
        // The placement fell back on the temporary folder, and that cannot be said in ANSI.
        ShowUtf8Message(zembra::Utf8Text(SetupText::TemporaryFolderUnusable, {zembra::TemporaryFolderPath().problem}),
                        MB_ICONHAND);
        stop = Text(SetupText::StopNoFolder);
    } else if (_access(m_App.m_strPackagePath, 0) != 0) {
        ShowMessage(GetText(m_Profile, 0), 0);
        stop = Text(SetupText::StopNoPackage, {m_App.m_strPackagePath.c_str()});
    } else {
        return true;
    }
    Log(Text(SetupText::Stopped, {stop}).c_str());
    m_App.m_Result.Failed();
    return false;
}

bool CSetupRun::TakeFolder() {
    m_strOfferedDir = m_strTargetDir;
    const std::string& text = m_App.m_strFolderSwitch;
    if (text.empty()) return true;
    std::string folder, ansi, problem;
    if (!TakeFolderSwitch(text, m_bPathChange, &folder, &problem) ||
        !ChosenFolderForm(folder, &ansi, &m_MadeForFolder, &problem)) {
        ShowUtf8Message(problem, MB_ICONEXCLAMATION);
        return false;
    }
    m_strTargetDir = ansi.c_str();  // as if the user had typed it
    return true;
}

void CSetupRun::Install() {
    AddBackslash(m_strTargetDir);
    Log(Text(SetupText::LogInstallTo, {m_strTargetDir.c_str()}).c_str());
    CInstallDriver::Settings settings;
    settings.targetDir = m_strTargetDir;
    // A split installation, its files here and its list and uninstaller there, would be no good.
    settings.listDir = ListFolderFor(m_strOfferedDir, m_strTargetDir, m_strListDir);
    settings.windowsDir = m_strWindowsDir;
    settings.systemDir = m_strSystemDir;
    // Only a placement that falls back on the temporary folder puts the list there (TargetPath 0, or 1
    // without the registry's folder); a folder that the product names is its author's choice.
    const long targetPath = m_Profile.GetInt("Doc", "TargetPath", 0);
    if (targetPath == 0 || (targetPath == 1 && m_strListDir.IsEmpty()))
        settings.tempDir = zembra::TemporaryFolderPath().path.c_str();
    // Levels made for the /DIR= folder go into the list with it; a folder typed instead leaves them unused.
    const CString deepest = m_MadeForFolder.empty() ? CString() : CString(m_MadeForFolder.back().c_str());
    if (!deepest.IsEmpty() && m_strTargetDir.Left(deepest.GetLength()).CompareNoCase(deepest) == 0) {
        settings.madeFolders = m_MadeForFolder;
    } else {
        RemoveMadeLevels(m_MadeForFolder);
        m_MadeForFolder.clear();
    }
    settings.proVersion = m_strProVersion;
    settings.regVersion = m_strRegVersion;
    settings.writeFileList = m_nUpdateRegVersion != 0;
    settings.updateRegVersion = m_nUpdateRegVersion != 0;
    m_Driver.Run(settings);
    if (m_Driver.Finished() && !m_Driver.Cancelled())
        MakeShortcuts(settings.listDir.IsEmpty() ? settings.targetDir : settings.listDir);
    if (m_Driver.UserCancelled()) {
        Log(Text(SetupText::LogUserCancelled).c_str());
        m_App.m_Result.Cancelled();
    }
}

void CSetupRun::StartPrograms(bool explorer) {
    if (!m_Driver.Finished()) return;
    CString folder = "<INSTALLDIR>";
    ExpandPathPlaceholders(folder, m_strTargetDir, m_strWindowsDir, m_strSystemDir);
    StartRecordedPrograms(m_App.m_strAppDir + "ny.tmp", folder, explorer, [this](const FinishedStart& start) {
        std::string program = start.path;
        if (*start.parameters) program = program + " " + start.parameters;
        if (start.waited && start.started)
            Log(Text(SetupText::ProgramExited, {std::to_string(start.exitCode), program}).c_str());
        else if (start.started)
            Log(Text(SetupText::ProgramStarted, {program}).c_str());
        else
            Log(Text(start.waited ? SetupText::ProgramNoExitCode : SetupText::ProgramNotStarted, {program}).c_str());
    });
}
