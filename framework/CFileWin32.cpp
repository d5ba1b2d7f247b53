#include "framework/CFile.h"

#include <windows.h>

namespace {
HANDLE H(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

CFile::~CFile() {
    if (IsOpen()) ::CloseHandle(H(m_hFile));
}

bool CFile::Open(const char* path, unsigned flags) {
    if (IsOpen() || !path) return false;
    DWORD access = GENERIC_READ, share = FILE_SHARE_READ | FILE_SHARE_WRITE, disposition = OPEN_EXISTING;
    if (flags & modeWrite) {
        access = GENERIC_WRITE;
        share = FILE_SHARE_READ;
        if (flags & modeCreate) disposition = CREATE_ALWAYS;
    }
    HANDLE h = ::CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    m_hFile = reinterpret_cast<intptr_t>(h);
    return true;
}

int CFile::Read(void* buffer, unsigned count) {
    if (!IsOpen()) return -1;
    if (count > 0x7FFFFFFF) count = 0x7FFFFFFF;
    DWORD done = 0;
    if (!::ReadFile(H(m_hFile), buffer, count, &done, nullptr)) return -1;
    return static_cast<int>(done);
}

bool CFile::Write(const void* buffer, unsigned count) {
    if (!IsOpen()) return false;
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD done = 0;
        if (!::WriteFile(H(m_hFile), p, count, &done, nullptr) || done == 0) return false;
        p += done;
        count -= done;
    }
    return true;
}

bool CFile::Close() {
    if (!IsOpen()) return true;
    HANDLE h = H(m_hFile);
    m_hFile = kClosed;
    return ::CloseHandle(h) != FALSE;
}

int64_t CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!IsOpen() || !::GetFileSizeEx(H(m_hFile), &size)) return -1;
    return size.QuadPart;
}

int64_t CFile::GetPosition() const {
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!IsOpen() || !::SetFilePointerEx(H(m_hFile), zero, &position, FILE_CURRENT)) return -1;
    return position.QuadPart;
}

bool CFile::Exists(const char* path) { return path && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool CFile::Remove(const char* path) { return path && ::DeleteFileA(path) != FALSE; }

bool CFile::Replace(const char* source, const char* target) {
    return source && target && ::MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING) != FALSE;
}
