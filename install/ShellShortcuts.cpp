#include "install/ShellShortcuts.h"

#include "framework/HandleOwner.h"
#include "framework/SystemPath.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

// The machine's list of installed programs: whoever may add to it installs for all users.
bool MayWriteForAllUsers() {
    RegistryKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                         KEY_CREATE_SUB_KEY, key.Receive()) == ERROR_SUCCESS;
}

// In its ANSI form: under a user's profile outside the code page ("C:\Users\Иван\...") the short one.
std::string SpecialFolder(int csidl, std::string* problem) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)) || !*path)
        return std::string();
    const zembra::AnsiPathChoice form = zembra::AnsiPathOf(path);
    if (form.form == zembra::AnsiPathForm::None) *problem = form.problem;
    std::string folder = form.path;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

template <class Interface>
struct ComPointer {
    Interface* p = nullptr;
    ~ComPointer() {
        if (p) p->Release();
    }
};

}  // namespace

void ShellShortcutFolders(ShortcutFolders* folders, bool* allUsers, std::string* problem) {
    *allUsers = MayWriteForAllUsers();
    folders->programs = SpecialFolder(*allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, problem);
    folders->desktop = SpecialFolder(*allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY, problem);
}

bool CreateShellLink(const PlannedShortcut& shortcut, unsigned long* error) {
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&link.p));
    if (SUCCEEDED(result)) result = link.p->SetPath(Wide(shortcut.target).c_str());
    if (SUCCEEDED(result)) result = link.p->SetArguments(Wide(shortcut.arguments).c_str());
    if (SUCCEEDED(result)) result = link.p->SetWorkingDirectory(Wide(shortcut.workingFolder).c_str());
    if (SUCCEEDED(result)) result = link.p->SetIconLocation(Wide(shortcut.target).c_str(), 0);
    if (SUCCEEDED(result)) result = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p));
    if (SUCCEEDED(result)) result = file.p->Save(Wide(shortcut.link).c_str(), TRUE);
    if (FAILED(result)) *error = HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : result;
    return SUCCEEDED(result);
}
