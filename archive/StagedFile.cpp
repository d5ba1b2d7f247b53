#include "archive/StagedFile.h"

#include "framework/HandleOwner.h"
#include "framework/SystemRandom.h"

#include <io.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <vector>

namespace zembra {
namespace {

constexpr int kPathLimit = MAX_PATH - 1;
constexpr int kNameAttempts = 16;
constexpr char kTemporaryPattern[] = "~zem%08lX%08lX.tmp";
constexpr int kTemporaryNameLength = 24;

// Writing needs what replacing needs: a file that its holder shares neither for writing nor for
// deleting is in use.
DWORD ReplaceableNow(const char* target) {
    const Win32Handle file(CreateFileA(target, GENERIC_WRITE | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid()) return ERROR_SUCCESS;
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : code;
}

// A file system that lacks the calls by handle answers so; everything else is the call's own answer.
bool LacksCall(DWORD code) { return code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION; }

// A new file that only this handle may use, with the right to rename and delete it through the handle,
// as a runtime descriptor; -1 with the system's code set.
int CreateNewHeld(const char* path) {
    Win32Handle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_BINARY);
    if (fd >= 0) file.Release();  // the descriptor owns it now
    return fd;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// The open file renamed over target; ERROR_SUCCESS or the system's code.
DWORD RenameHeld(int fd, const char* target) {
    const int length = MultiByteToWideChar(CP_ACP, 0, target, -1, nullptr, 0);
    if (length <= 0) return GetLastError();
    std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + static_cast<size_t>(length) * sizeof(WCHAR));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(length - 1) * sizeof(WCHAR);
    MultiByteToWideChar(CP_ACP, 0, target, -1, info->FileName, length);
    if (SetFileInformationByHandle(HandleOf(fd), FileRenameInfo, info, static_cast<DWORD>(buffer.size())))
        return ERROR_SUCCESS;
    return GetLastError();
}

// Marks the open file for deletion when it closes; ERROR_SUCCESS or the system's code.
DWORD DeleteHeld(int fd) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (SetFileInformationByHandle(HandleOf(fd), FileDispositionInfo, &disposition, sizeof disposition))
        return ERROR_SUCCESS;
    return GetLastError();
}

}  // namespace

DWORD StagedFile::Begin(const char* target) {
    Discard();
    const DWORD replaceable = ReplaceableNow(target);
    if (replaceable != ERROR_SUCCESS) return replaceable;

    const char* slash = std::strrchr(target, '\\');
    const int folderLength = slash ? static_cast<int>(slash - target) + 1 : 0;
    if (folderLength + kTemporaryNameLength > kPathLimit) return ERROR_FILENAME_EXCED_RANGE;
    const CString folder(target, folderLength);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        unsigned long random[2] = {};
        unsigned long error = 0;
        if (!SystemRandomBytes(random, sizeof random, &error)) return error;
        char name[kTemporaryNameLength + 1];
        std::snprintf(name, sizeof name, kTemporaryPattern, random[0], random[1]);
        const CString temporary = folder + name;
        m_file.Reset(CreateNewHeld(temporary));
        if (m_file.IsOpen()) {
            m_target = target;
            m_temporary = temporary;
            return ERROR_SUCCESS;
        }
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return code ? code : ERROR_OPEN_FAILED;
    }
    return ERROR_FILE_EXISTS;
}

DWORD StagedFile::Commit() {
    DWORD code = RenameHeld(m_file.Fd(), m_target);
    if (LacksCall(code)) {
        // Only where the file system cannot rename an open file: by name, as it stands now.
        m_file.Close();
        code = MoveFileExA(m_temporary, m_target, MOVEFILE_REPLACE_EXISTING) ? ERROR_SUCCESS : GetLastError();
    }
    if (code == ERROR_SUCCESS) m_temporary.Empty();
    Discard();
    return code;
}

void StagedFile::Discard() {
    if (!m_temporary.IsEmpty()) {
        if (!m_file.IsOpen() || LacksCall(DeleteHeld(m_file.Fd()))) {
            m_file.Close();
            DeleteFileA(m_temporary);
        }
    }
    m_file.Close();
    m_temporary.Empty();
    m_target.Empty();
}

}  // namespace zembra
