// The C runtime's low-level file descriptors, under one set of names for both builds (MSVCRT's _open,
// _read, _lseeki64 ... on Windows; POSIX natively). Files are always binary.
#pragma once

#include <cstdint>

namespace zembra {

int CrtOpenRead(const char* path);            // read-only; -1 on failure
// Read-only, and others may still write, rename or delete the file: for a file kept open between calls.
int CrtOpenReadKept(const char* path);
// Read-only, and nobody may write, rename or delete the file while it is open.
int CrtOpenReadDenyWrite(const char* path);
// Read/write, created if missing as an ordinary writable file; a file that could not be deleted before
// is cut, so no old tail survives a shorter new content.
int CrtOpenReadWriteCreate(const char* path);
int CrtOpenWriteTruncate(const char* path);   // write, created if missing, earlier content discarded
int CrtCreateNew(const char* path);           // read/write, a new file only: -1 when the name exists
int CrtClose(int fd);
int CrtRead(int fd, void* buffer, unsigned count);         // bytes read, 0 at the end, -1 on error
int CrtWrite(int fd, const void* buffer, unsigned count);  // bytes written, -1 on error
bool CrtSeek(int fd, uint64_t position);                   // absolute, 64-bit
int64_t CrtFileSize(int fd);                               // -1 on failure; keeps the position
int CrtErrno();
// The system's code for the open that has just failed (GetLastError on Windows, errno elsewhere); never 0.
unsigned long CrtOpenError();

}  // namespace zembra
