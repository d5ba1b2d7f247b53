#include "setup/SetupRun.h"

#include "framework/CWnd.h"
#include "install/ChosenFolder.h"
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
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_strTargetDir = temp;
    AddBackslash(m_strTargetDir);
}

void CSetupRun::Log(const CString& text) const { m_App.m_Messages.Log().Write(text.c_str()); }

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
    char folder[MAX_PATH + 1] = {};
    if (::GetWindowsDirectoryA(folder, MAX_PATH)) {
        m_strWindowsDir = folder;
        AddBackslash(m_strWindowsDir);
    }
    if (::GetSystemDirectoryA(folder, MAX_PATH)) {
        m_strSystemDir = folder;
        AddBackslash(m_strSystemDir);
    }
    const CString config = m_App.m_strAppDir + "Zembra.ini";
    m_Profile.SetPath(config);
    m_Profile.Load();  // a missing or bad file has been reported; the defaults stand in
    UseLanguageTexts(m_Profile, m_App.m_strLanguage.c_str());
    m_strProName = m_Profile.GetString("Doc", "ProName", "");
    m_strProVersion = m_Profile.GetString("Doc", "ProVersion", "");
    m_nUpdateRegVersion = m_Profile.GetInt("Doc", "UpdateRegVersion", 0);
    m_strRegVersion = m_Profile.GetString("Doc", "RegVersion", "");
    long securityNTAuthority = m_Profile.GetInt("Doc", "SecurityNTAuthority", 0);
    Log(Text(SetupText::LogProduct, {(m_strProName + " " + m_strProVersion).c_str(), m_App.m_strPackagePath.c_str()}).c_str());

    std::string stop;
    if (securityNTAuthority != 0 && !RightsGranted(securityNTAuthority)) {
        ShowMessage(GetText(m_Profile, 16), 0);
        stop = Text(SetupText::StopRights, {std::to_string(securityNTAuthority)});
    } else if (!m_App.m_pfnGetInstallPath(&m_strTargetDir, &m_strListDir, config, m_strProName, &m_bPathChange)) {
        stop = Text(SetupText::StopNoFolder);  // the library has told the user why
    } else if (!TakeFolder()) {
        stop = Text(SetupText::StopFolderRefused);
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
    std::string folder, problem;
    if (!TakeFolderSwitch(text, m_bPathChange, &folder, &problem)) {
        ShowMessage(problem.c_str(), MB_ICONEXCLAMATION);
        return false;
    }
    m_strTargetDir = folder.c_str();  // as if the user had typed it
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
    char temp[MAX_PATH + 1] = {};
    if ((targetPath == 0 || (targetPath == 1 && m_strListDir.IsEmpty())) && ::GetTempPathA(MAX_PATH, temp))
        settings.tempDir = temp;
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
