#include "setup/SetupApp.h"

#include "archive/PackageKeys.h"
#include "framework/MessageBox.h"
#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "run/LanguageChoice.h"
#include "run/LogLine.h"
#include "run/RunSwitches.h"
#include "run/RunTexts.h"
#include "run/RunningProgram.h"
#include "setup/QuietRun.h"
#include "setup/SetupDlg.h"

#include <cstdlib>
#include <cstring>
#include <string>

CSetupApp theApp;

CSetupApp::CSetupApp() = default;

bool CSetupApp::GetAppDir(CString& dir, std::string* problem) {
    const zembra::AnsiPathChoice program = zembra::ProgramPathChoice();
    *problem = program.problem;
    dir = program.path.substr(0, program.path.find_last_of('\\') + 1).c_str();
    return program.form != zembra::AnsiPathForm::None;
}

namespace {
template <class F>
void Bind(const zembra::RuntimeLibrary& lib, const char* name, F& field, std::string& missing) {
    field = lib.Function<F>(name);
    if (!field) missing += std::string(missing.empty() ? "" : ", ") + name;
}

// The rich-edit library from the system folder; null when it is not there.
std::unique_ptr<zembra::SystemLibrary> LoadRichEdit(const char* name) {
    std::unique_ptr<zembra::SystemLibrary> library(new zembra::SystemLibrary(name));
    if (!library->IsLoaded()) library.reset();
    return library;
}
}  // namespace

bool CSetupApp::BindExports() {
    std::string missing;  // every lookup is made, also after a miss
    Bind(m_ArchiveLib, "ZEMBRA_Expand", m_pfnExpand, missing);
    Bind(m_ArchiveLib, "ZEMBRA_SetProgress", m_pfnSetProgress, missing);
    Bind(m_ArchiveLib, "ZEMBRA_SetCancel", m_pfnSetCancel, missing);
    Bind(m_ArchiveLib, "ZEMBRA_GetInstallPath", m_pfnGetInstallPath, missing);
    Bind(m_ArchiveLib, "ZEMBRA_SetRegEntry", m_pfnSetRegEntry, missing);
    Bind(m_ArchiveLib, "ZEMBRA_IsUserMemberOfGroup", m_pfnIsUserMemberOfGroup, missing);
    Bind(m_ArchiveLib, "ZEMBRA_CheckVersion", m_pfnCheckVersion, missing);
    Bind(m_ArchiveLib, "ZEMBRA_ReplaceFileOnReboot", m_pfnReplaceFileOnReboot, missing);
    Bind(m_ArchiveLib, "ZEMBRA_IsThisNT", m_pfnIsThisNT, missing);
    if (!missing.empty()) {
        m_Messages.Log().Write(zembra::Text(zembra::SetupText::LibraryIncomplete, {missing}));
        m_Result.Failed();
        return false;
    }
    // Not among the nine: a library without them still works, only its boxes are its own, in German.
    PFN_ZEMBRA_SetMessageHandler setHandler = nullptr;
    Bind(m_ArchiveLib, "ZEMBRA_SetMessageHandler", setHandler, missing);
    if (setHandler) setHandler(&zembra::RunMessages::LibraryMessage, &m_Messages);
    PFN_ZEMBRA_SetLanguage setLanguage = nullptr;
    Bind(m_ArchiveLib, "ZEMBRA_SetLanguage", setLanguage, missing);
    if (setLanguage) setLanguage(m_strLanguage.c_str());
    return true;
}

void CSetupApp::Stop(const char* text) {
    m_Messages.Show(nullptr, text, m_strAppName, MB_OK | MB_ICONEXCLAMATION, IDOK, true);
}

BOOL CSetupApp::InitInstance() {
    m_nStartTicks = ::GetTickCount64();
    std::string appDirProblem;
    const bool appDirKnown = GetAppDir(m_strAppDir, &appDirProblem);

    // The language first, so that everything the program says is in it; the switches again for their
    // problem in that language.
    char languages[256] = {};
    ::GetPrivateProfileStringA("Doc", "Languages", "", languages, sizeof languages, m_strAppDir + "Zembra.ini");
    const zembra::LanguageChoice language = zembra::ChooseLanguage(
        languages, ::GetUserDefaultUILanguage(), zembra::ParseRunSwitches(m_lpCmdLine).language);
    m_strLanguage = language.code;
    m_bMainLanguage = language.main;
    const zembra::RunSwitches switches = zembra::ParseRunSwitches(m_lpCmdLine);
    // As for the uninstaller: nobody would want a silent run that still asks, so /quiet alone is
    // /auto /quiet. /auto itself keeps its rule: the tail begins with it.
    m_bQuiet = switches.quiet || switches.quietWithoutAuto;
    m_bAuto = ContainsNoCase(m_lpCmdLine, "/auto") == 0 || m_bQuiet;
    const std::string program = zembra::ProgramName();
    m_Messages = zembra::RunMessages(m_bQuiet, zembra::RunLog(switches.logFile, program));
    // Boxes of the program's own (and of the profile) go the run's way.
    SetMessageBoxHook(&zembra::RunMessages::FrameworkMessage, &m_Messages);
    m_Messages.Log().WriteUtf8(
        zembra::Utf8Text(zembra::RunText::LogStart, {zembra::AnsiAsUtf8(program) + " " + m_lpCmdLine}));
    if (!language.note.empty()) m_Messages.Log().Write(language.note);
    if (!appDirKnown) {
        // Its files, "ny.tmp" and the library lie there, and the library takes folders in ANSI only.
        m_Messages.ShowUtf8(nullptr, zembra::Utf8Text(zembra::SetupText::OwnFolderUnusable, {appDirProblem}),
                            m_strAppName, MB_OK | MB_ICONEXCLAMATION, IDOK, true);
        return FALSE;
    }
    if (!switches.problem.empty()) {
        Stop(zembra::Text(zembra::SetupText::InvalidCall, {switches.problem, program}).c_str());
        return FALSE;
    }
    m_strFolderSwitch = switches.folder;

    // A quiet run shows no page, so it needs no rich-edit control.
    m_bRichEdit10 = false;
    if (!m_bQuiet) m_RichEditLib = LoadRichEdit("RICHED20.DLL");
    if (!m_RichEditLib && !m_bQuiet) {
        m_RichEditLib = LoadRichEdit("RICHED32.DLL");
        m_bRichEdit10 = true;
    }
    if (!m_RichEditLib && !m_bQuiet)
        m_Messages.Show(nullptr, zembra::Text(zembra::SetupText::RichEditMissing), m_strAppName,
                        MB_OK | MB_ICONEXCLAMATION, IDOK, false);

    char package[MAX_PATH] = {};
    ::GetPrivateProfileStringA("PARA", "Setup", "", package, MAX_PATH, m_strAppDir + "ny.tmp");
    m_strPackagePath = package;

    // The library's own imports (version.dll among them) come from the system folder only.
    unsigned long loadError = 0;
    if (!m_ArchiveLib.Load((m_strAppDir + zembra::kRuntimeFileName).c_str(), &loadError)) {
        Stop(zembra::Text(zembra::SetupText::InvalidCallBare).c_str());
        return FALSE;
    }
    if (!BindExports()) return FALSE;
    if (m_bQuiet) {
        CQuietRun run(*this);
        run.Run();
    } else {
        CSetupDlg dlg(*this);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CSetupApp::ExitInstance() {
    if (m_Messages.FailureReported()) m_Result.Failed();
    const int code = m_Result.ExitCode();
    m_Messages.Log().Write(zembra::EndOfRunText(code, ::GetTickCount64() - m_nStartTicks));
    SetMessageBoxHook(nullptr, nullptr);
    m_RichEditLib.reset();
    m_ArchiveLib.Free();
    CWinApp::ExitInstance();
    return code;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // DLLs loaded by name come from the system folder (and the program's own folder, which holds
    // nothing but the setup files), never from the current folder or the PATH.
    zembra::NarrowDllSearch(zembra::DllSearch::SystemAndProgramFolder);
    return RunApplication(instance);
}
