#include "setup/SetupRun.h"

#include "framework/CWnd.h"
#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/ChosenFolder.h"
#include "install/ChosenFolderForm.h"
#include "install/FinishPrograms.h"
#include "install/Texts.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"

#include <io.h>

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
    m_strProName = m_Profile.GetString("Doc", "ProName", "");
    m_strProVersion = m_Profile.GetString("Doc", "ProVersion", "");
    m_nUpdateRegVersion = m_Profile.GetInt("Doc", "UpdateRegVersion", 0);
    m_strRegVersion = m_Profile.GetString("Doc", "RegVersion", "");
    long securityNTAuthority = m_Profile.GetInt("Doc", "SecurityNTAuthority", 0);
    Log("Produkt: " + m_strProName + " " + m_strProVersion + ", Paket: " + m_App.m_strPackagePath);

    CString stop;
    const zembra::AnsiPathChoice& unsaid = windows.form == zembra::AnsiPathForm::None ? windows : system;
    if (unsaid.form == zembra::AnsiPathForm::None) {
        ShowUtf8Message(zembra::AnsiAsUtf8("Der Windows-Ordner lässt sich nicht verwenden.\n\n") + unsaid.problem,
                        MB_ICONHAND);
        stop = "Der Windows-Ordner hat keine ANSI-Form";
    } else if (securityNTAuthority != 0 && !RightsGranted(securityNTAuthority)) {
        ShowMessage(GetText(m_Profile, 16), 0);
        stop.Format("Dem Benutzer fehlen die verlangten Rechte (SecurityNTAuthority=%ld)", securityNTAuthority);
    } else if (!m_App.m_pfnGetInstallPath(&m_strTargetDir, &m_strListDir, config, m_strProName, &m_bPathChange)) {
        stop = "Der Installationsordner lässt sich nicht bestimmen";  // the library has told the user why
    } else if (!TakeFolder()) {
        stop = "Der Installationsordner hinter /DIR= wird abgelehnt";
    } else if (m_strTargetDir.IsEmpty()) {
        // The placement fell back on the temporary folder, and that cannot be said in ANSI.
        ShowUtf8Message(zembra::AnsiAsUtf8("Der temporäre Ordner lässt sich nicht als Installationsordner "
                                           "verwenden.\n\n") + zembra::TemporaryFolderPath().problem,
                        MB_ICONHAND);
        stop = "Der Installationsordner lässt sich nicht bestimmen";
    } else if (_access(m_App.m_strPackagePath, 0) != 0) {
        ShowMessage(GetText(m_Profile, 0), 0);
        stop = "Das Installationspaket fehlt: " + m_App.m_strPackagePath;
    } else {
        return true;
    }
    Log(stop + ". Es wurde nichts installiert.");
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
    Log("Installation nach " + m_strTargetDir);
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
        Log("Die Installation wurde vom Benutzer abgebrochen.");
        m_App.m_Result.Cancelled();
    }
}

void CSetupRun::StartPrograms(bool explorer) {
    if (!m_Driver.Finished()) return;
    CString folder = "<INSTALLDIR>";
    ExpandPathPlaceholders(folder, m_strTargetDir, m_strWindowsDir, m_strSystemDir);
    StartRecordedPrograms(m_App.m_strAppDir + "ny.tmp", folder, explorer, [this](const FinishedStart& start) {
        CString program = start.path;
        if (*start.parameters) program = program + " " + start.parameters;
        CString text;
        if (start.waited && start.started)
            text.Format("Programm beendet mit Exitcode %d: %s", start.exitCode, program.c_str());
        else if (start.started)
            text = "Programm gestartet: " + program;
        else
            text = (start.waited ? "Programm ließ sich nicht starten oder gab keinen Exitcode: "
                                 : "Programm ließ sich nicht starten: ") + program;
        Log(text);
    });
}
