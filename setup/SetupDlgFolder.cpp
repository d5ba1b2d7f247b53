// The target folder: the "..." button's folder browser, and the white text background of the start
// page's statics.
#include "setup/SetupDlg.h"

#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/SetupTexts.h"
#include "setup/SetupUtils.h"
#include "setup/resource.h"

#include <shlobj.h>

#include <string>

namespace {
int CALLBACK BrowseCallback(HWND hWnd, UINT notification, LPARAM, LPARAM data) {
    if (notification == BFFM_INITIALIZED) ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
}  // namespace

void CSetupDlg::OnBrowse() {
    // The browser opens on the folder in the field, typed or not.
    char path[521] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_PATH, path, sizeof(path));

    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.pidlRoot = nullptr;
    info.pszDisplayName = path;
    const std::string title = zembra::Text(zembra::SetupText::BrowseTitle);
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(path);

    LPITEMIDLIST item = ::SHBrowseForFolderA(&info);
    // The folder's wide name: the ANSI call would give "?" for what the code page cannot say.
    wchar_t folder[MAX_PATH] = {};
    const bool chosen = item && ::SHGetPathFromIDListW(item, folder);
    if (item) {
        // Freed also when the item has no file-system path; it would leak otherwise.
        IMalloc* malloc = nullptr;
        if (SUCCEEDED(::SHGetMalloc(&malloc)) && malloc) {
            malloc->Free(item);
            malloc->Release();
        }
    }
    // Cancelled, or something without a folder (a printer): the field stays as it was.
    if (!chosen) return;
    const zembra::AnsiPathChoice form = zembra::AnsiPathOf(folder);
    if (form.form == zembra::AnsiPathForm::None) {
        ShowUtf8Message(zembra::Utf8Text(zembra::SetupText::ChosenFolderUnusable, {form.problem}), MB_ICONEXCLAMATION);
        return;
    }

    m_strTargetDir = form.path.c_str();
    AddBackslash(m_strTargetDir);
    UpdateData(false);
}

HBRUSH CSetupDlg::OnCtlColor(HDC dc, HWND control, UINT type, HBRUSH baseBrush) {
    if (::GetDlgCtrlID(control) != IDC_BAND_CAPTION && m_nRunState == 0 && type == CTLCOLOR_STATIC) {
        ::SetBkColor(dc, RGB(255, 255, 255));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    return baseBrush;
}
