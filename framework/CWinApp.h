// CWinApp: the application object. The program defines one global instance of a derived class; the
// entry point hands control to RunApplication, which runs InitInstance, then the message loop when
// InitInstance returned true, and ExitInstance in either case.
#pragma once

#include "framework/CString.h"
#include "framework/CommandLine.h"

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();  // the program's exit code
    virtual int Run();           // message loop until WM_QUIT

    // The hourglass while a long step runs, shared with every other user of framework/WaitCursor.h.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    HINSTANCE m_hInstance = nullptr;
    // The command line after the program name and its blanks, in UTF-8: read through the wide call, so
    // that a name the ANSI code page cannot say arrives whole.
    const char* m_lpCmdLine = "";
    CString m_strAppName;          // message-box caption: the program file's name without extension
    CWnd* m_pMainWnd = nullptr;

private:
    friend int RunApplication(HINSTANCE instance);

    int m_nExitCode = 0;
    std::string m_commandLine;
};

CWinApp* GetApp();

// The program's entry: WinMain calls it with its instance handle.
int RunApplication(HINSTANCE instance);


// A message box owned by the active main window, captioned with the application's name.
int AppMessageBox(const char* text, UINT type = MB_OK);
