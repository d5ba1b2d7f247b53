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
    m_hRichEditLib = ::LoadLibraryA("RICHED20.DLL");
    if (!m_hRichEditLib) {
        m_hRichEditLib = ::LoadLibraryA("RICHED32.DLL");
        m_bRichEdit10 = true;
    }
    if (!m_hRichEditLib) AppMessageBox("RICHEDXX.Dll konnte nicht geladen werden", MB_OK | MB_ICONEXCLAMATION);

    char package[MAX_PATH] = {};
    ::GetPrivateProfileStringA("PARA", "Setup", "", package, MAX_PATH, m_strAppDir + "ny.tmp");
    m_strPackagePath = package;

    m_hArchiveLib = ::LoadLibraryA(m_strAppDir + "zembra1.dll");
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunApplication(instance); }
