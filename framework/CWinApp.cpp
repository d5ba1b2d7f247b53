#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/FileName.h"
#include "framework/SystemPath.h"
#include "framework/WaitCursor.h"
#include "framework/WideText.h"

#include <ole2.h>

namespace {
CWinApp* g_app = nullptr;

CString ModuleTitle(HINSTANCE instance) {
    return FileTitle(zembra::AnsiPathOf(zembra::ModuleFileName(instance)).path.c_str());
}
}  // namespace

CWinApp::CWinApp(const char* appName) : m_strAppName(appName) { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* GetApp() { return g_app; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_nExitCode; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::BeginWaitCursor() { ::BeginWaitCursor(); }

void CWinApp::EndWaitCursor() { ::EndWaitCursor(); }

void CWinApp::RestoreWaitCursor() { ::RestoreWaitCursor(); }

int RunApplication(HINSTANCE instance) {
    CWinApp* app = GetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_commandLine = zembra::WideToUtf8(::GetCommandLineW());
    app->m_lpCmdLine = CommandLineTail(app->m_commandLine.c_str());
    if (app->m_strAppName.IsEmpty()) app->m_strAppName = ModuleTitle(instance);
    // OLE for the picture loader and the folder browser's new-style dialog.
    HRESULT ole = ::OleInitialize(nullptr);
    int exitCode = app->InitInstance() ? app->Run() : app->ExitInstance();
    if (SUCCEEDED(ole)) ::OleUninitialize();
    return exitCode;
}

int AppMessageBox(const char* text, UINT type) {
    CWinApp* app = GetApp();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd) owner = ::GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    return ::MessageBoxA(owner, text, app ? app->m_strAppName.c_str() : "", type);
}
