#include "tools/start/RuntimeUnpack.h"

#include "archive/CrtFile.h"
#include "archive/GzipDecoder.h"

#include <windows.h>

namespace zembra {

bool UnpackEntryTo(PackageFile& package, uint32_t offset, const std::string& target, unsigned long* error) {
    // A new file: whatever might lie there already is never opened, let alone loaded.
    CrtFile out(CrtCreateNew(target.c_str()));
    if (!out.IsOpen()) {
        *error = CrtOpenError();
        return false;
    }
    bool ok = CrtSeek(package.Fd(), offset);
    if (ok) {
        GzipResetInput();
        GzipResetBytesWritten();
        SetLastError(ERROR_SUCCESS);
        ok = GzipDecode(package.Fd(), out.Fd()) == 0;
    }
    // A failed decode has no code of its own; a real one (a full disk) is kept.
    const DWORD code = GetLastError();
    const bool closed = out.Close() == 0;
    if (ok && closed) return true;
    *error = code != ERROR_SUCCESS ? code : ERROR_CRC;
    DeleteFileA(target.c_str());
    return false;
}

}  // namespace zembra
