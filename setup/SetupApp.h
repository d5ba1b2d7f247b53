// CSetupApp: finds the program's folder, reads the command line and "ny.tmp", loads the rich-edit
// library and zembra1.dll, binds nine exports and runs the setup dialog.
#pragma once

#include "archive/ZembraApi.h"
#include "framework/CWinApp.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The program's own folder, ending with a backslash.
    static void GetAppDir(CString& dir);

    bool m_bAuto = false;
    HMODULE m_hRichEditLib = nullptr;
    bool m_bRichEdit10 = false;
    CString m_strAppDir;
    CString m_strPackagePath;
    PFN_ZEMBRA_Expand m_pfnExpand = nullptr;
    PFN_ZEMBRA_SetProgress m_pfnSetProgress = nullptr;
    PFN_ZEMBRA_SetCancel m_pfnSetCancel = nullptr;
    PFN_ZEMBRA_GetInstallPath m_pfnGetInstallPath = nullptr;
    PFN_ZEMBRA_SetRegEntry m_pfnSetRegEntry = nullptr;
    PFN_ZEMBRA_IsUserMemberOfGroup m_pfnIsUserMemberOfGroup = nullptr;
    PFN_ZEMBRA_CheckVersion m_pfnCheckVersion = nullptr;
    PFN_ZEMBRA_ReplaceFileOnReboot m_pfnReplaceFileOnReboot = nullptr;
    PFN_ZEMBRA_IsThisNT m_pfnIsThisNT = nullptr;
    HMODULE m_hArchiveLib = nullptr;

private:
    bool BindExports();
};

