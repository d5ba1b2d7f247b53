#include "archive/CrtIo.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include "framework/HandleOwner.h"

#include <io.h>
#include <windows.h>
#define ZEMBRA_BINARY _O_BINARY
#else
#include <unistd.h>
#define ZEMBRA_BINARY 0
#define _open open
#define _close close
#define _read read
#define _write write
#define _O_RDONLY O_RDONLY
#define _O_RDWR O_RDWR
#define _O_WRONLY O_WRONLY
#define _O_CREAT O_CREAT
#define _O_TRUNC O_TRUNC
#define _O_EXCL O_EXCL
#define _S_IREAD S_IRUSR
#define _S_IWRITE S_IWUSR
#endif

namespace zembra {

int CrtOpenRead(const char* path) { return _open(path, _O_RDONLY | ZEMBRA_BINARY); }

#ifdef _WIN32
namespace {
// The runtime's _open shares for reading and writing only; these sharing modes need the system's call.
int OpenReadShared(const char* path, DWORD share, DWORD flags) {
    Win32Handle file(CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | flags,
                                 nullptr));
    if (!file.IsValid()) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_RDONLY | _O_BINARY);
    if (fd >= 0) file.Release();  // the descriptor owns it now
    return fd;
}
}  // namespace

int CrtOpenReadKept(const char* path) {
    return OpenReadShared(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
}

int CrtOpenReadDenyWrite(const char* path) { return OpenReadShared(path, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN); }
#else
int CrtOpenReadKept(const char* path) { return _open(path, _O_RDONLY); }

int CrtOpenReadDenyWrite(const char* path) { return _open(path, _O_RDONLY); }
#endif

int CrtOpenReadWriteCreate(const char* path) {
    return _open(path, _O_RDWR | _O_CREAT | _O_TRUNC | ZEMBRA_BINARY, _S_IREAD | _S_IWRITE);
}

int CrtOpenWriteTruncate(const char* path) {
    return _open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | ZEMBRA_BINARY, _S_IREAD | _S_IWRITE);
}

int CrtCreateNew(const char* path) {
    return _open(path, _O_RDWR | _O_CREAT | _O_EXCL | ZEMBRA_BINARY, _S_IREAD | _S_IWRITE);
}

int CrtClose(int fd) { return _close(fd); }

int CrtRead(int fd, void* buffer, unsigned count) { return static_cast<int>(_read(fd, buffer, count)); }

int CrtWrite(int fd, const void* buffer, unsigned count) { return static_cast<int>(_write(fd, buffer, count)); }

bool CrtSeek(int fd, uint64_t position) {
    if (position > static_cast<uint64_t>(INT64_MAX)) return false;
#ifdef _WIN32
    return _lseeki64(fd, static_cast<__int64>(position), SEEK_SET) == static_cast<__int64>(position);
#else
    return lseek(fd, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
#endif
}

int64_t CrtFileSize(int fd) {
#ifdef _WIN32
    __int64 size = _filelengthi64(fd);
    return size < 0 ? -1 : static_cast<int64_t>(size);
#else
    struct stat st;
    if (fstat(fd, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
#endif
}

int CrtErrno() { return errno; }

unsigned long CrtOpenError() {
#ifdef _WIN32
    const DWORD code = GetLastError();
    return code != ERROR_SUCCESS ? code : ERROR_OPEN_FAILED;
#else
    return errno != 0 ? static_cast<unsigned long>(errno) : static_cast<unsigned long>(EIO);
#endif
}

}  // namespace zembra
