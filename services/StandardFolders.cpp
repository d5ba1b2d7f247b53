#include "services/StandardFolders.h"

#include "framework/AddBackslash.h"
#include "framework/HandleOwner.h"
#include "framework/SystemPath.h"
#include "services/RegistryValue.h"

#include <shlobj.h>

namespace zembra {

CString TemporaryFolder(std::string* problem) {
    const AnsiPathChoice temp = TemporaryFolderPath();
    if (problem) *problem = temp.problem;
    CString folder = temp.path.size() < MAX_PATH ? temp.path.c_str() : "";
    AddBackslash(folder);
    return folder;
}

namespace {

CString ProgramFilesFromShell(std::string* problem) {
    CString folder;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAM_FILES, &items)) || !items) return folder;
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(items, path)) {
        const AnsiPathChoice form = AnsiPathOf(path);
        folder = form.path.c_str();
        if (problem) *problem = form.problem;
    }
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
        shellMalloc->Free(items);
        shellMalloc->Release();
    }
    return folder;
}

}  // namespace

CString ProgramFilesFolder(std::string* problem) {
    CString folder = ProgramFilesFromShell(problem);
    if (problem && !problem->empty()) return folder;
    if (folder.IsEmpty()) return ProgramFilesFromRegistry();
    AddBackslash(folder);
    return folder;
}

CString ProgramFilesFromRegistry(const char* keyPath, const char* valueName) {
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
        return CString();
    CString folder;
    if (!ReadRegistryText(key.Get(), valueName, MAX_PATH, &folder)) return TemporaryFolder();
    AddBackslash(folder);
    return folder;
}

}  // namespace zembra
