#include "framework/CFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::~CFile() {
    if (IsOpen()) ::close(static_cast<int>(m_hFile));
}

bool CFile::Open(const char* path, unsigned flags) {
    if (IsOpen() || !path) return false;
    int mode = O_RDONLY;
    if (flags & modeWrite) mode = O_WRONLY | ((flags & modeCreate) ? O_CREAT | O_TRUNC : 0);
    int fd = ::open(path, mode | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_hFile = fd;
    return true;
}

int CFile::Read(void* buffer, unsigned count) {
    if (!IsOpen()) return -1;
    if (count > INT_MAX) count = INT_MAX;
    ssize_t n;
    do n = ::read(static_cast<int>(m_hFile), buffer, count);
    while (n < 0 && errno == EINTR);
    return static_cast<int>(n);
}

bool CFile::Write(const void* buffer, unsigned count) {
    if (!IsOpen()) return false;
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t n = ::write(static_cast<int>(m_hFile), p, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        count -= static_cast<unsigned>(n);
    }
    return true;
}

bool CFile::Close() {
    if (!IsOpen()) return true;
    int fd = static_cast<int>(m_hFile);
    m_hFile = kClosed;
    return ::close(fd) == 0;
}

int64_t CFile::GetLength() const {
    struct stat st;
    if (!IsOpen() || ::fstat(static_cast<int>(m_hFile), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

int64_t CFile::GetPosition() const {
    if (!IsOpen()) return -1;
    return static_cast<int64_t>(::lseek(static_cast<int>(m_hFile), 0, SEEK_CUR));
}

bool CFile::Exists(const char* path) { return path && ::access(path, F_OK) == 0; }

bool CFile::Remove(const char* path) { return path && ::unlink(path) == 0; }

bool CFile::Replace(const char* source, const char* target) {
    struct stat st;
    // rename() would also move a file over an empty folder's place; a folder is never replaced.
    if (!source || !target || (::stat(target, &st) == 0 && S_ISDIR(st.st_mode))) return false;
    return std::rename(source, target) == 0;
}
