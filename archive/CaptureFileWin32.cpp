#include "archive/UnpackJob.h"

#include "archive/CrtFile.h"
#include "framework/SystemPath.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

// The runtime's tmpfile() writes into the root of the current drive, which ordinary users may not be
// allowed to do; the user's temporary folder always works. _O_TEMPORARY removes the file on close.
std::FILE* OpenCaptureFile() {
    const std::string folder = zembra::TemporaryFolderPath().path;  // its short form outside the code page
    char path[MAX_PATH + 1];
    if (folder.empty() || folder.size() >= MAX_PATH) return nullptr;
    if (!GetTempFileNameA(folder.c_str(), "zem", 0, path)) return nullptr;
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
