#include "archive/LibraryExit.h"

#include "archive/LibraryMessage.h"
#include "archive/LibraryState.h"
#include "archive/PackageDirectory.h"
#include "framework/HandleOwner.h"
#include "framework/SystemPath.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace zembra {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// While an entry is held, nobody else may rename or delete it (nor, for a folder, anything on its
// way), so it cannot be swapped between its check and its deletion.
constexpr DWORD kShareButDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kInspect = FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY;
constexpr DWORD kInspectAndDelete = kInspect | DELETE | FILE_WRITE_ATTRIBUTES;

std::wstring Wide(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length) - 1);
    return narrow;
}

void AddBackslash(std::wstring& path) {
    if (!path.empty() && path.back() != L'\\') path += L'\\';
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

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
std::wstring FinalPathOf(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD got = GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (got == 0) break;
        if (got < path.size()) {
            path.resize(got);
            return path;
        }
        path.assign(got, L'\0');  // the size needed, terminator included
    }
    return std::wstring();
}

std::wstring FinalPath(const std::wstring& path) {
    const Win32Handle handle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle.IsValid() ? FinalPathOf(handle.Get()) : std::wstring();
}

enum class EntryKind {
    File,
    Directory,
    Link,     // a symbolic link or junction, opened as itself
    Foreign,  // resolves somewhere else, yet cannot be opened as a link, or cannot be opened at all
};

// A file or folder opened as itself (links not followed where the platform allows it) for one check
// and what follows it: listing a folder through this very handle, and deleting through it.
class HeldEntry {
public:
    HeldEntry(const std::wstring& path, DWORD access)
        : m_handle(CreateFileW(path.c_str(), access, kShareButDelete, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {}

    bool IsOpen() const { return m_handle.IsValid(); }
    std::wstring FinalPath() const { return IsOpen() ? FinalPathOf(m_handle.Get()) : std::wstring(); }

    // expected is where a plain entry of the folder being cleared must resolve to.
    EntryKind Kind(const std::wstring& expected) const {
        FILE_ATTRIBUTE_TAG_INFO info{};
        if (!IsOpen() || !GetFileInformationByHandleEx(m_handle.Get(), FileAttributeTagInfo, &info, sizeof info))
            return EntryKind::Foreign;
        if ((info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(info.ReparseTag))
            return EntryKind::Link;
        // Some platforms follow a link even when asked not to; such an entry resolves elsewhere and must
        // neither be entered nor deleted, as deleting it would reach its target.
        if (!EqualNoCase(FinalPath(), expected)) return EntryKind::Foreign;
        return (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Directory : EntryKind::File;
    }

    // The names in the held folder, "." and ".." left out.
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        std::vector<LONGLONG> buffer(8192);  // 64 KB, aligned as the records need
        FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
        while (GetFileInformationByHandleEx(m_handle.Get(), request, buffer.data(),
                                            static_cast<DWORD>(buffer.size() * sizeof buffer[0]))) {
            request = FileIdBothDirectoryInfo;
            const char* at = reinterpret_cast<const char*>(buffer.data());
            for (;;) {
                const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
                std::wstring name(record->FileName, record->FileNameLength / sizeof(WCHAR));
                if (name != L"." && name != L"..") names.push_back(name);
                if (record->NextEntryOffset == 0) break;
                at += record->NextEntryOffset;
            }
        }
        return names;
    }

    // Read-only and the like cleared, then deleted when the handle closes: the entry that was checked,
    // whatever its path names by then.
    void Delete() {
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(m_handle.Get(), FileBasicInfo, &basic, sizeof basic);
        FILE_DISPOSITION_INFO disposition{};
        disposition.DeleteFile = TRUE;
        SetFileInformationByHandle(m_handle.Get(), FileDispositionInfo, &disposition, sizeof disposition);
    }

private:
    Win32Handle m_handle;
};

// A held folder: listed is its path as the caller spelt it, final where it really is; both end with a
// backslash. Every entry is opened through its final path.
void ClearHeld(const HeldEntry& folder, const std::wstring& listed, const std::wstring& final,
               const ClearObserver& observer) {
    for (const std::wstring& name : folder.Names()) {
        if (observer) observer(Narrow(listed + name).c_str());
        HeldEntry entry(final + name, kInspectAndDelete);
        switch (entry.Kind(final + name)) {
            case EntryKind::Directory:
                ClearHeld(entry, listed + name + L"\\", final + name + L"\\", observer);
                entry.Delete();
                break;
            case EntryKind::File:
            case EntryKind::Link:
                entry.Delete();
                break;
            case EntryKind::Foreign:
                break;
        }
    }
}

// Where a plain folder opened as itself really is, with a backslash; empty for a link or a file.
std::wstring PlainFolderPath(const HeldEntry& folder) {
    std::wstring final = folder.FinalPath();
    if (final.empty() || folder.Kind(final) != EntryKind::Directory) return std::wstring();
    AddBackslash(final);
    return final;
}

}  // namespace

void ClearFolder(const char* folder, const ClearObserver& observer) {
    std::wstring listed = Wide(folder);
    AddBackslash(listed);
    const HeldEntry held(listed, kInspect);
    const std::wstring final = PlainFolderPath(held);
    if (!final.empty()) ClearHeld(held, listed, final, observer);
}

bool RemoveFolder(const char* folder) {
    std::wstring listed = Wide(folder);
    AddBackslash(listed);
    {
        HeldEntry held(listed, kInspectAndDelete);
        const std::wstring final = PlainFolderPath(held);
        if (final.empty()) return !held.IsOpen() && GetFileAttributesW(listed.c_str()) == INVALID_FILE_ATTRIBUTES;
        ClearHeld(held, listed, final, ClearObserver());
        held.Delete();
    }
    return GetFileAttributesW(listed.c_str()) == INVALID_FILE_ATTRIBUTES;
}

int ExitLibrary() {
    // In the form the extractor named its folder in (framework/AnsiPath.h).
    const std::string systemTemp = TemporaryFolderPath().path;
    FreePackageDirectory();
    if (systemTemp.empty() || systemTemp.size() >= MAX_PATH) return kExitOutsideTemp;

    const CString& stored = State().tempFolder;
    CString folder = FullPath(stored);
    CString temp = FullPath(systemTemp.c_str());
    if (folder.IsEmpty() || temp.IsEmpty()) return kExitOutsideTemp;
    if (folder == temp) return kExitTempFolderItself;
    if (std::strncmp(folder, temp, static_cast<size_t>(temp.GetLength())) != 0) return kExitOutsideTemp;
    if (folder.GetLength() < 5) return LibraryMessageBox(nullptr, stored, "TEMP-ERROR!", MB_OK);

    // The folder, or a folder on its way, may be a link that leads out of the temporary folder. It is
    // checked as it is held, and cleared while it is held.
    std::wstring listed = Wide(folder);
    AddBackslash(listed);
    const HeldEntry held(listed, kInspect);
    if (!held.IsOpen()) return kExitCleared;  // nothing there to clear
    const std::wstring final = PlainFolderPath(held);
    std::wstring tempFinal = FinalPath(Wide(temp));
    AddBackslash(tempFinal);
    if (final.empty() || tempFinal.size() <= 1 || final.size() <= tempFinal.size() ||
        !StartsWithNoCase(final, tempFinal))
        return kExitOutsideTemp;
    ClearHeld(held, listed, final, ClearObserver());
    return kExitCleared;
}

}  // namespace zembra
