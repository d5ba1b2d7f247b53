#include "install/FinishPrograms.h"

#include "framework/CWinApp.h"
#include "framework/MessagePump.h"

#include <shellapi.h>

#include <cstdlib>

namespace {
void RefreshWaitCursor() {
    if (CWinApp* app = GetApp()) app->RestoreWaitCursor();
}

CString RunKey(long n, const char* suffix) {
    CString key;
    key.Format("Prg%ld%s", n, suffix);
    return key;
}
}  // namespace

void RecordFinishProgram(const char* nyTmpPath, long n, const char* path, const char* parameters, bool hide, bool wait) {
    ::WritePrivateProfileStringA("Run", RunKey(n, ""), path, nyTmpPath);
    if (parameters && *parameters) ::WritePrivateProfileStringA("Run", RunKey(n, "Params"), parameters, nyTmpPath);
    if (hide) ::WritePrivateProfileStringA("Run", RunKey(n, "Hide"), "1", nyTmpPath);
    if (wait) ::WritePrivateProfileStringA("Run", RunKey(n, "Wait"), "1", nyTmpPath);
}

void StartRecordedPrograms(const char* nyTmpPath, const char* folder, bool explorer, const FinishObserver& observer) {
    ::SetCurrentDirectoryA(folder);
    if (explorer) ::ShellExecuteA(nullptr, "explore", folder, nullptr, nullptr, SW_SHOWNA);
    for (long n = 0;; ++n) {
        char path[MAX_PATH] = {};
        ::GetPrivateProfileStringA("Run", RunKey(n, ""), "", path, MAX_PATH, nyTmpPath);
        if (!path[0]) break;
        int show = ::GetPrivateProfileIntA("Run", RunKey(n, "Hide"), 0, nyTmpPath) ? SW_HIDE : SW_SHOWNA;
        bool wait = ::GetPrivateProfileIntA("Run", RunKey(n, "Wait"), 0, nyTmpPath) != 0;
        char parameters[MAX_PATH] = {};
        ::GetPrivateProfileStringA("Run", RunKey(n, "Params"), "", parameters, MAX_PATH, nyTmpPath);
        RefreshWaitCursor();
        FinishedStart start = {path, parameters, wait, false, -1};
        if (wait) {
            start.exitCode = RunAndWait(path, parameters[0] ? parameters : nullptr, 1500, show);
            start.started = start.exitCode != -1;
        } else {
            // No error box of the shell's own: an unattended setup would wait for it forever.
            SHELLEXECUTEINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = SEE_MASK_FLAG_NO_UI;
            info.lpVerb = "open";
            info.lpFile = path;
            info.lpParameters = parameters[0] ? parameters : nullptr;
            info.nShow = show;
            start.started = ::ShellExecuteExA(&info) != FALSE;
        }
        if (observer) observer(start);
        ::Sleep(100);
    }
}

int RunAndWait(const char* path, const char* parameters, DWORD slice, int show) {
    char drive[_MAX_DRIVE] = {}, dir[_MAX_DIR] = {};
    _splitpath(path, drive, dir, nullptr, nullptr);
    CString workingFolder;
    workingFolder.Format("%s%s", drive, dir);

    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = path;
    info.lpParameters = parameters;
    info.lpDirectory = workingFolder;
    info.nShow = show;
    int result = ::ShellExecuteExA(&info) ? WaitForProgram(info.hProcess, slice) : -1;
    PumpMessages();
    return result;
}

int WaitForProgram(HANDLE process, DWORD slice) {
    if (!process) return -1;
    int result = -1;
    DWORD timeout = 10;
    for (;;) {
        DWORD state = ::WaitForSingleObject(process, timeout);
        PumpMessages();
        RefreshWaitCursor();
        if (state != WAIT_TIMEOUT) {
            DWORD code = 0;
            if (state == WAIT_OBJECT_0 && ::GetExitCodeProcess(process, &code)) result = static_cast<int>(code);
            break;
        }
        timeout = slice;
    }
    ::CloseHandle(process);
    return result;
}
