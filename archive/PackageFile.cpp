#include "archive/PackageFile.h"

namespace zembra {

bool PackageFile::Open(const char* path, Sharing sharing, unsigned long* error) {
    Close();
    path = path ? path : "";
    m_file.Reset(sharing == Sharing::WriteDenied ? CrtOpenReadDenyWrite(path) : CrtOpenReadKept(path));
    const int64_t size = m_file.IsOpen() ? CrtFileSize(m_file.Fd()) : -1;
    if (size < 0) {
        if (error) *error = CrtOpenError();
        Close();
        return false;
    }
    m_size = static_cast<uint64_t>(size);
    return true;
}

void PackageFile::Close() {
    m_file.Close();
    m_size = 0;
}

bool PackageFile::ReadAt(uint64_t position, void* buffer, uint32_t count) {
    if (!IsOpen() || position > m_size || count > m_size - position || !CrtSeek(m_file.Fd(), position)) return false;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        const int got = CrtRead(m_file.Fd(), out, count < (1u << 20) ? count : (1u << 20));
        if (got <= 0) return false;
        out += got;
        count -= static_cast<uint32_t>(got);
    }
    return true;
}

}  // namespace zembra
