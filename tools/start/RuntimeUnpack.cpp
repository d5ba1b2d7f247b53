#include "tools/start/RuntimeUnpack.h"

#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"

#include <windows.h>

namespace zembra {

bool UnpackEntryTo(const std::string& package, uint32_t offset, const std::string& target, unsigned long* error) {
    const int in = CrtOpenRead(package.c_str());
    if (in < 0) {
        *error = GetLastError() ? GetLastError() : ERROR_OPEN_FAILED;
        return false;
    }
    const int out = CrtOpenReadWriteCreate(target.c_str());
    if (out < 0) {
        *error = GetLastError() ? GetLastError() : ERROR_OPEN_FAILED;
        CrtClose(in);
        return false;
    }
    bool ok = CrtSeek(in, offset);
    if (ok) {
        GzipResetInput();
        GzipResetBytesWritten();
        SetLastError(ERROR_SUCCESS);
        ok = GzipDecode(in, out) == 0;
    }
    // A failed decode has no code of its own; a real one (a full disk) is kept.
    const DWORD code = GetLastError();
    const bool closed = CrtClose(out) == 0;
    CrtClose(in);
    if (ok && closed) return true;
    *error = code != ERROR_SUCCESS ? code : ERROR_CRC;
    DeleteFileA(target.c_str());
    return false;
}

}  // namespace zembra
