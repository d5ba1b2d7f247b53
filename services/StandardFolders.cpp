#include "services/StandardFolders.h"

#include "framework/AddBackslash.h"
#include "framework/HandleOwner.h"
#include "services/RegistryValue.h"

#include <shlobj.h>

namespace zembra {

CString TemporaryFolder() {
    char path[MAX_PATH] = "";
    DWORD length = GetTempPathA(MAX_PATH, path);
    CString folder;
    if (length > 0 && length < MAX_PATH) folder = path;
    AddBackslash(folder);
    return folder;
}

namespace {

CString ProgramFilesFromShell() {
    CString folder;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAM_FILES, &items)) || !items) return folder;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(items, path)) folder = path;
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
        shellMalloc->Free(items);
        shellMalloc->Release();
    }
    return folder;
}

}  // namespace

CString ProgramFilesFolder() {
    CString folder = ProgramFilesFromShell();
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
