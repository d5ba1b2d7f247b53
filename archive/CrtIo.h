// The C runtime's low-level file descriptors, under one set of names for both builds (MSVCRT's _open,
// _read, _lseeki64 ... on Windows; POSIX natively). Files are always binary.
#pragma once

#include <cstdint>

namespace zembra {

int CrtOpenRead(const char* path);            // read-only; -1 on failure
// Read-only, and others may still rename or delete the file: for a file kept open between calls.
int CrtOpenReadKept(const char* path);
// Read/write, created if missing as an ordinary writable file; a file that could not be deleted before
// is cut, so no old tail survives a shorter new content.
int CrtOpenReadWriteCreate(const char* path);
int CrtOpenWriteTruncate(const char* path);   // write, created if missing, earlier content discarded
int CrtClose(int fd);
int CrtRead(int fd, void* buffer, unsigned count);         // bytes read, 0 at the end, -1 on error
int CrtWrite(int fd, const void* buffer, unsigned count);  // bytes written, -1 on error
bool CrtSeek(int fd, uint64_t position);                   // absolute, 64-bit
int64_t CrtFileSize(int fd);                               // -1 on failure; keeps the position
int CrtErrno();

// One descriptor, closed when its owner goes or takes another.
class CrtFile {
public:
    CrtFile() = default;
    explicit CrtFile(int fd) : m_fd(fd) {}
    ~CrtFile() { Close(); }
    CrtFile(CrtFile&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    CrtFile& operator=(CrtFile&& other) noexcept {
        if (this != &other) {
            Close();
            m_fd = other.m_fd;
            other.m_fd = -1;
        }
        return *this;
    }
    CrtFile(const CrtFile&) = delete;
    CrtFile& operator=(const CrtFile&) = delete;

    int Get() const { return m_fd; }
    void Close() {
        if (m_fd >= 0) CrtClose(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

}  // namespace zembra
