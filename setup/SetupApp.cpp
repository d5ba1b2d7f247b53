#include "setup/SetupApp.h"

#include "framework/MessageBox.h"
#include "install/Texts.h"
#include "setup/QuietRun.h"
#include "setup/SetupDlg.h"
#include "tools/common/LogLine.h"
#include "tools/common/RunSwitches.h"

#include <cstdlib>
#include <cstring>
#include <string>

CSetupApp theApp;

CSetupApp::CSetupApp() = default;

void CSetupApp::GetAppDir(CString& dir) {
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char drive[_MAX_DRIVE], folder[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path, drive, folder, name, ext);
    dir.Format("%s%s", drive, folder);
    if (dir.IsEmpty() || dir[dir.GetLength() - 1] != '\\') dir += '\\';
}

namespace {
// Set once the system searches the folders named by SetDefaultDllDirectories only.
bool g_bDllSearchNarrowed = false;

// DLLs that the program or the system's libraries load by name come from the system folder (and the
// program's own folder, which holds nothing but the setup files), never from the current folder or
// the PATH. Where the system lacks that call, at least the current folder leaves the search.
void NarrowDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    g_bDllSearchNarrowed =
        setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    if (!g_bDllSearchNarrowed) ::SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH + 1] = {};
    UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return ::LoadLibraryA(CString(folder) + "\\" + name);
}

template <class F>
void Bind(HMODULE lib, const char* name, F& field, std::string& missing) {
    field = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(lib, name)));
    if (!field) missing += std::string(missing.empty() ? "" : ", ") + name;
}

// Boxes of the program's own (and of the profile) go the run's way; one with the error icon reports
// a failure. Nobody answers in a quiet run: the declining button counts.
int RouteMessageBox(const char* text, const char* caption, unsigned style, void* context) {
    return static_cast<zembra::RunMessages*>(context)->Show(nullptr, text, caption, style, DecliningAnswer(style),
                                                            (style & MB_ICONMASK) == MB_ICONHAND);
}

std::string ProgramName() {
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
}
}  // namespace

bool CSetupApp::BindExports() {
    std::string missing;  // every lookup is made, also after a miss
    Bind(m_hArchiveLib, "ZEMBRA_Expand", m_pfnExpand, missing);
    Bind(m_hArchiveLib, "ZEMBRA_SetProgress", m_pfnSetProgress, missing);
    Bind(m_hArchiveLib, "ZEMBRA_SetCancel", m_pfnSetCancel, missing);
    Bind(m_hArchiveLib, "ZEMBRA_GetInstallPath", m_pfnGetInstallPath, missing);
    Bind(m_hArchiveLib, "ZEMBRA_SetRegEntry", m_pfnSetRegEntry, missing);
    Bind(m_hArchiveLib, "ZEMBRA_IsUserMemberOfGroup", m_pfnIsUserMemberOfGroup, missing);
    Bind(m_hArchiveLib, "ZEMBRA_CheckVersion", m_pfnCheckVersion, missing);
    Bind(m_hArchiveLib, "ZEMBRA_ReplaceFileOnReboot", m_pfnReplaceFileOnReboot, missing);
    Bind(m_hArchiveLib, "ZEMBRA_IsThisNT", m_pfnIsThisNT, missing);
    if (!missing.empty()) {
        m_Messages.Log().Write("Der Laufzeitbibliothek zembra1.dll fehlt " + missing + ". Es wurde nichts installiert.");
        m_Result.Failed();
        return false;
    }
    // Not one of the nine: a library without it still works, only its boxes are its own.
    PFN_ZEMBRA_SetMessageHandler setHandler = nullptr;
    Bind(m_hArchiveLib, "ZEMBRA_SetMessageHandler", setHandler, missing);
    if (setHandler) setHandler(&zembra::RunMessages::LibraryMessage, &m_Messages);
    return true;
}

void CSetupApp::Stop(const char* text) {
    m_Messages.Show(nullptr, text, m_strAppName, MB_OK | MB_ICONEXCLAMATION, IDOK, true);
}

BOOL CSetupApp::InitInstance() {
    m_nStartTicks = ::GetTickCount64();
    GetAppDir(m_strAppDir);

    const zembra::RunSwitches switches = zembra::ParseRunSwitches(m_lpCmdLine);
    // As for the uninstaller: nobody would want a silent run that still asks, so /quiet alone is
    // /auto /quiet. /auto itself keeps its rule: the tail begins with it.
    m_bQuiet = switches.quiet || switches.quietWithoutAuto;
    m_bAuto = ContainsNoCase(m_lpCmdLine, "/auto") == 0 || m_bQuiet;
    const std::string program = ProgramName();
    m_Messages = zembra::RunMessages(m_bQuiet, zembra::RunLog(switches.logFile, program));
    SetMessageBoxHook(&RouteMessageBox, &m_Messages);
    m_Messages.Log().Write("Start: " + program + " " + m_lpCmdLine);
    if (!switches.problem.empty()) {
        Stop(("Ungültiger Aufruf: " + switches.problem + "\n\nAufruf: " + program +
              " [/auto [/quiet]] [/log=DATEI]").c_str());
        return FALSE;
    }

    // A quiet run shows no page, so it needs no rich-edit control.
    m_bRichEdit10 = false;
    m_hRichEditLib = m_bQuiet ? nullptr : LoadSystemLibrary("RICHED20.DLL");
    if (!m_hRichEditLib && !m_bQuiet) {
        m_hRichEditLib = LoadSystemLibrary("RICHED32.DLL");
        m_bRichEdit10 = true;
    }
    if (!m_hRichEditLib && !m_bQuiet)
        m_Messages.Show(nullptr, "RICHEDXX.Dll konnte nicht geladen werden", m_strAppName,
                        MB_OK | MB_ICONEXCLAMATION, IDOK, false);

    char package[MAX_PATH] = {};
    ::GetPrivateProfileStringA("PARA", "Setup", "", package, MAX_PATH, m_strAppDir + "ny.tmp");
    m_strPackagePath = package;

    // The library's own imports (version.dll among them) come from the system folder only.
    const DWORD importsFrom = g_bDllSearchNarrowed ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    m_hArchiveLib = ::LoadLibraryExA(m_strAppDir + "zembra1.dll", nullptr, importsFrom);
    if (!m_hArchiveLib) {
        Stop("Ungültiger Aufruf");
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
    if (m_hRichEditLib) {
        ::FreeLibrary(m_hRichEditLib);
        m_hRichEditLib = nullptr;
    }
    if (m_hArchiveLib) {
        ::FreeLibrary(m_hArchiveLib);
        m_hArchiveLib = nullptr;
    }
    CWinApp::ExitInstance();
    return code;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    NarrowDllSearch();
    return RunApplication(instance);
}
