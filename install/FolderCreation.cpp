#include "install/FolderCreation.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "install/SetupTexts.h"

#include <windows.h>

bool DriveExists(const char* root) {
    char saved[MAX_PATH] = {};
    if (!::GetCurrentDirectoryA(MAX_PATH, saved)) return false;
    if (!::SetCurrentDirectoryA(root)) return false;
    ::SetCurrentDirectoryA(saved);
    return true;
}

bool CreateFolderPath(CString path, bool checkDrive, bool* abort, const MissingDriveQuestion& ask) {
    // Paths from the root of the current drive and network paths have no drive letter to test.
    if (checkDrive && !path.IsEmpty() && path[0] != '\\') {
        CString root = CString(path[0]) + ":\\";
        if (!DriveExists(root)) {
            CString question = zembra::Text(zembra::SetupText::MissingDrive, {root.c_str()}).c_str();
            int answer;
            if (ask) {
                answer = ask(question);
            } else {
                CWinApp* app = GetApp();
                HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
                answer = ::MessageBoxA(owner, question, kMissingDriveCaption, kMissingDriveStyle);
            }
            if (answer == IDYES && abort) *abort = true;
            return false;
        }
    }
    if (path.IsEmpty()) return false;
    if (path[path.GetLength() - 1] == '\\') path = path.Left(path.GetLength() - 1);
    // Something of that name, a folder or a file, ends the climb ("C:" counts as existing).
    if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return true;
    int slash = path.ReverseFind('\\');
    CString parent = slash >= 0 ? path.Left(slash) : CString();
    if (!CreateFolderPath(parent, false, abort)) return false;
    if (::CreateDirectoryA(path, nullptr)) {
        ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        ::SetLastError(0);
    }
    return true;
}
