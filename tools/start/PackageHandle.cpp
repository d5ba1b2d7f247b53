#include "tools/start/PackageHandle.h"

#include <windows.h>

namespace zembra {

bool PackageHandle::Open(const std::string& path, unsigned long* error) {
    Close();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        *error = GetLastError();
        CloseHandle(file);
        return false;
    }
    m_file = file;
    m_size = static_cast<uint64_t>(size.QuadPart);
    return true;
}

void PackageHandle::Close() {
    if (m_file) CloseHandle(static_cast<HANDLE>(m_file));
    m_file = nullptr;
    m_size = 0;
}

bool PackageHandle::ReadAt(uint64_t position, void* buffer, uint32_t count) {
    if (!m_file || position > m_size || count > m_size - position) return false;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD got = 0;
        if (!ReadFile(static_cast<HANDLE>(m_file), out, count, &got, &at) || got == 0) return false;
        out += got;
        position += got;
        count -= got;
    }
    return true;
}

}  // namespace zembra
