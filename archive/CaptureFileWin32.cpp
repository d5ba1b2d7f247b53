#include "archive/UnpackJob.h"

#include "archive/CrtFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

// The runtime's tmpfile() writes into the root of the current drive, which ordinary users may not be
// allowed to do; the user's temporary folder always works. _O_TEMPORARY removes the file on close.
std::FILE* OpenCaptureFile() {
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) return nullptr;
    if (!GetTempFileNameA(folder, "zem", 0, path)) return nullptr;
    zembra::CrtFile fd(_open(path, _O_RDWR | _O_CREAT | _O_TRUNC | _O_BINARY | _O_TEMPORARY | _O_SHORT_LIVED,
                             _S_IREAD | _S_IWRITE));
    if (!fd.IsOpen()) {
        DeleteFileA(path);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd.Fd(), "w+b");
    if (file) fd.Release();  // the stream owns it now
    return file;
}
