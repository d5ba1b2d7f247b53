#include "archive/StagedFile.h"

#include "framework/HandleOwner.h"

#include <cstdio>
#include <cstring>

namespace zembra {
namespace {

constexpr int kPathLimit = MAX_PATH - 1;
constexpr int kNameAttempts = 4096;
constexpr char kTemporaryPattern[] = "~zem%04X.tmp";
constexpr int kTemporaryNameLength = 12;

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

}  // namespace

DWORD StagedFile::Begin(const char* target) {
    Discard();
    const DWORD replaceable = ReplaceableNow(target);
    if (replaceable != ERROR_SUCCESS) return replaceable;

    const char* slash = std::strrchr(target, '\\');
    const int folderLength = slash ? static_cast<int>(slash - target) + 1 : 0;
    if (folderLength + kTemporaryNameLength > kPathLimit) return ERROR_FILENAME_EXCED_RANGE;
    const CString folder(target, folderLength);
    unsigned serial = GetTickCount() ^ (GetCurrentProcessId() << 8);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt, ++serial) {
        char name[kTemporaryNameLength + 1];
        std::snprintf(name, sizeof name, kTemporaryPattern, serial & 0xFFFFu);
        const CString temporary = folder + name;
        m_file.Reset(CrtCreateNew(temporary));
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
    DWORD code = ERROR_SUCCESS;
    if (m_file.Close() != 0) code = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    else if (!MoveFileExA(m_temporary, m_target, MOVEFILE_REPLACE_EXISTING)) code = GetLastError();
    if (code == ERROR_SUCCESS) m_temporary.Empty();
    Discard();
    return code;
}

void StagedFile::Discard() {
    m_file.Close();
    if (!m_temporary.IsEmpty()) DeleteFileA(m_temporary);
    m_temporary.Empty();
    m_target.Empty();
}

}  // namespace zembra
