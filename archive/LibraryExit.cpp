#include "archive/LibraryExit.h"

#include "archive/AddBackslash.h"
#include "archive/LibraryState.h"
#include "archive/PackageDirectory.h"
#include "framework/AnsiText.h"

#include <windows.h>

#include <cstring>

namespace zembra {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

CString FullPath(const char* path) {
    if (!path || !*path) return CString();
    DWORD need = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (need == 0) return CString();
    CString full;
    DWORD got = GetFullPathNameA(path, need, full.GetBuffer(static_cast<int>(need)), nullptr);
    if (got == 0 || got >= need) return CString();
    full.ReleaseBuffer(static_cast<int>(got));
    return full;
}

// Where an open file or folder really is, links resolved.
CString FinalPathOf(HANDLE handle) {
    CString path;
    DWORD size = MAX_PATH;
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD got = GetFinalPathNameByHandleA(handle, path.GetBuffer(static_cast<int>(size)), size,
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (got == 0) break;
        if (got < size) {
            path.ReleaseBuffer(static_cast<int>(got));
            return path;
        }
        size = got;  // the size needed, terminator included
    }
    return CString();
}

CString FinalPath(const char* path) {
    HANDLE handle = CreateFileA(path, FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) return CString();
    CString final = FinalPathOf(handle);
    CloseHandle(handle);
    return final;
}

bool StartsWithNoCase(const CString& text, const CString& prefix) {
    return text.GetLength() >= prefix.GetLength() && AnsiCompareNoCase(text.Left(prefix.GetLength()), prefix) == 0;
}

enum class EntryKind {
    File,
    Directory,
    Link,     // a symbolic link or junction, opened as itself
    Foreign,  // resolves somewhere else, yet cannot be opened as a link, or cannot be opened at all
};

// Looks at the entry itself (links not followed where the platform allows it). expected is where a
// plain entry of the folder being cleared must resolve to.
EntryKind Inspect(const CString& path, const CString& expected) {
    HANDLE handle = CreateFileA(path, FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return EntryKind::Foreign;
    EntryKind kind = EntryKind::Foreign;
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
        if ((info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(info.ReparseTag)) {
            kind = EntryKind::Link;
        } else if (AnsiCompareNoCase(FinalPathOf(handle), expected) == 0) {
            // Some platforms follow a link even when asked not to; such an entry resolves elsewhere
            // and must neither be entered nor deleted, as deleting it would reach its target.
            kind = (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Directory : EntryKind::File;
        }
    }
    CloseHandle(handle);
    return kind;
}

// Deletes the link through a handle to the link itself, so its target stays untouched.
void RemoveLink(const CString& path) {
    HANDLE handle = CreateFileA(path, DELETE | FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic);
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
    CloseHandle(handle);
}

}  // namespace

void ClearFolder(const char* folder) {
    CString base(folder);
    AddBackslash(base);
    CString baseFinal = FinalPath(base);
    if (baseFinal.IsEmpty()) return;
    AddBackslash(baseFinal);

    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(base + "*.*", &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const char* name = found.cFileName;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        CString path = base + name;
        switch (Inspect(path, baseFinal + name)) {
            case EntryKind::File:
                SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path);
                break;
            case EntryKind::Directory:
                ClearFolder(path);
                SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
                RemoveDirectoryA(path);
                break;
            case EntryKind::Link:
                RemoveLink(path);
                break;
            case EntryKind::Foreign:
                break;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

int ExitLibrary() {
    char systemTemp[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, systemTemp);
    FreePackageDirectory();
    if (length == 0 || length >= MAX_PATH) return kExitOutsideTemp;

    const CString& stored = State().tempFolder;
    CString folder = FullPath(stored);
    CString temp = FullPath(systemTemp);
    if (folder.IsEmpty() || temp.IsEmpty()) return kExitOutsideTemp;
    if (folder == temp) return kExitTempFolderItself;
    if (std::strncmp(folder, temp, static_cast<size_t>(temp.GetLength())) != 0) return kExitOutsideTemp;
    if (folder.GetLength() < 5) return MessageBoxA(nullptr, stored, "TEMP-ERROR!", MB_OK);

    // The folder, or a folder on its way, may be a link that leads out of the temporary folder.
    CString folderFinal = FinalPath(folder);
    if (!folderFinal.IsEmpty()) {
        CString tempFinal = FinalPath(temp);
        AddBackslash(tempFinal);
        AddBackslash(folderFinal);
        if (tempFinal.GetLength() <= 1 || folderFinal.GetLength() <= tempFinal.GetLength() ||
            !StartsWithNoCase(folderFinal, tempFinal))
            return kExitOutsideTemp;
    }
    ClearFolder(folder);
    return kExitCleared;
}

}  // namespace zembra
