#include "setup/SetupApp.h"

#include "install/Texts.h"
#include "setup/SetupDlg.h"

#include <cstdlib>

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
void Bind(HMODULE lib, const char* name, F& field, bool& complete) {
    field = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(lib, name)));
    if (!field) complete = false;
}
}  // namespace

bool CSetupApp::BindExports() {
    bool complete = true;  // every lookup is made, also after a miss
    Bind(m_hArchiveLib, "ZEMBRA_Expand", m_pfnExpand, complete);
    Bind(m_hArchiveLib, "ZEMBRA_SetProgress", m_pfnSetProgress, complete);
    Bind(m_hArchiveLib, "ZEMBRA_SetCancel", m_pfnSetCancel, complete);
    Bind(m_hArchiveLib, "ZEMBRA_GetInstallPath", m_pfnGetInstallPath, complete);
    Bind(m_hArchiveLib, "ZEMBRA_SetRegEntry", m_pfnSetRegEntry, complete);
    Bind(m_hArchiveLib, "ZEMBRA_IsUserMemberOfGroup", m_pfnIsUserMemberOfGroup, complete);
    Bind(m_hArchiveLib, "ZEMBRA_CheckVersion", m_pfnCheckVersion, complete);
    Bind(m_hArchiveLib, "ZEMBRA_ReplaceFileOnReboot", m_pfnReplaceFileOnReboot, complete);
    Bind(m_hArchiveLib, "ZEMBRA_IsThisNT", m_pfnIsThisNT, complete);
    return complete;
}

BOOL CSetupApp::InitInstance() {
    GetAppDir(m_strAppDir);

    m_bAuto = ContainsNoCase(m_lpCmdLine, "/auto") == 0;

    m_bRichEdit10 = false;
    m_hRichEditLib = LoadSystemLibrary("RICHED20.DLL");
    if (!m_hRichEditLib) {
        m_hRichEditLib = LoadSystemLibrary("RICHED32.DLL");
        m_bRichEdit10 = true;
    }
    if (!m_hRichEditLib) AppMessageBox("RICHEDXX.Dll konnte nicht geladen werden", MB_OK | MB_ICONEXCLAMATION);

    char package[MAX_PATH] = {};
    ::GetPrivateProfileStringA("PARA", "Setup", "", package, MAX_PATH, m_strAppDir + "ny.tmp");
    m_strPackagePath = package;

    // The library's own imports (version.dll among them) come from the system folder only.
    const DWORD importsFrom = g_bDllSearchNarrowed ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    m_hArchiveLib = ::LoadLibraryExA(m_strAppDir + "zembra1.dll", nullptr, importsFrom);
    if (!m_hArchiveLib) {
        AppMessageBox("Ungültiger Aufruf", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (BindExports()) {
        CSetupDlg dlg(*this);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CSetupApp::ExitInstance() {
    if (m_hRichEditLib) {
        ::FreeLibrary(m_hRichEditLib);
        m_hRichEditLib = nullptr;
    }
    if (m_hArchiveLib) {
        ::FreeLibrary(m_hArchiveLib);
        m_hArchiveLib = nullptr;
    }
    return CWinApp::ExitInstance();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    NarrowDllSearch();
    return RunApplication(instance);
}
