#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/WaitCursor.h"

#include <ole2.h>

namespace {
CWinApp* g_app = nullptr;

CString ModuleTitle(HINSTANCE instance) {
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
    CString title(name);
    int dot = title.ReverseFind('.');
    return dot >= 0 ? title.Left(dot) : title;
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

void CWinApp::BeginWaitCursor() {
    ++m_nWaitCursorCount;
    ::BeginWaitCursor();
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0) return;
    --m_nWaitCursorCount;
    ::EndWaitCursor();
}

void CWinApp::RestoreWaitCursor() {
    // A message box or dialog may have changed the cursor meanwhile.
    if (m_nWaitCursorCount > 0) ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
}

int RunApplication(HINSTANCE instance) {
    CWinApp* app = GetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = CommandLineTail(::GetCommandLineA());
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
