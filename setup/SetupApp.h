// CSetupApp: finds the program's folder, reads the command line and "ny.tmp", loads the rich-edit
// library and zembra1.dll, binds nine exports and runs the setup dialog, or with /quiet the run
// without any window. Its exit code tells how the run ended (install/RunResult.h); /log=FILE logs it.
#pragma once

#include "archive/ZembraApi.h"
#include "framework/CWinApp.h"
#include "framework/SystemLibrary.h"
#include "install/RunResult.h"
#include "run/RunMessages.h"
#include "run/RuntimeLibrary.h"

#include <memory>
#include <string>

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The program's own folder in its ANSI form, ending with a backslash; false with the problem (UTF-8)
    // when it has none.
    static bool GetAppDir(CString& dir, std::string* problem);

    bool m_bAuto = false;
    bool m_bQuiet = false;  // no window at all
    zembra::RunMessages m_Messages;  // every box of the process goes through it, and the log
    CRunResult m_Result;
    std::unique_ptr<zembra::SystemLibrary> m_RichEditLib;
    bool m_bRichEdit10 = false;
    CString m_strAppDir;
    CString m_strPackagePath;
    std::string m_strFolderSwitch;  // /DIR= as written; empty without it
    std::string m_strLanguage;      // the product's language the run speaks ("de", "en", ...)
    bool m_bMainLanguage = true;    // the product's main language: its pages are t1.rtf to t3.rtf
    PFN_ZEMBRA_Expand m_pfnExpand = nullptr;
    PFN_ZEMBRA_SetProgress m_pfnSetProgress = nullptr;
    PFN_ZEMBRA_SetCancel m_pfnSetCancel = nullptr;
    PFN_ZEMBRA_GetInstallPath m_pfnGetInstallPath = nullptr;
    PFN_ZEMBRA_SetRegEntry m_pfnSetRegEntry = nullptr;
    PFN_ZEMBRA_IsUserMemberOfGroup m_pfnIsUserMemberOfGroup = nullptr;
    PFN_ZEMBRA_CheckVersion m_pfnCheckVersion = nullptr;
    PFN_ZEMBRA_ReplaceFileOnReboot m_pfnReplaceFileOnReboot = nullptr;
    PFN_ZEMBRA_IsThisNT m_pfnIsThisNT = nullptr;
    zembra::RuntimeLibrary m_ArchiveLib;

private:
    bool BindExports();
    // A box of the program's own before the dialog; a failure that ends the run.
    void Stop(const char* text);

    unsigned long long m_nStartTicks = 0;
};

