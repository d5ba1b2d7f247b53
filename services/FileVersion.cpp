// ZEMBRA_CheckVersion: whether the packaged file should replace the one on disk. Whenever the file's
// version cannot be learned the answer is "install".
#include "archive/ZembraApi.h"

#include <vector>

namespace {

bool ReadFileVersion(const char* path, DWORD* high, DWORD* low) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return false;
    std::vector<BYTE> block(size, 0);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length)) return false;
    if (!info || length < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE) return false;
    *high = info->dwFileVersionMS;
    *low = info->dwFileVersionLS;
    return true;
}

int CheckVersion(const char* path, DWORD versionHigh, DWORD versionLow) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return 1;
    DWORD fileHigh = 0, fileLow = 0;
    if (!ReadFileVersion(path, &fileHigh, &fileLow)) return 1;
    if (fileHigh == 0) return 1;  // 0.0.x.y counts as no version at all
    // Signed, as package versions have always been compared: a major version of 32768 or more sorts
    // below every smaller one.
    auto fh = static_cast<LONG>(fileHigh), gh = static_cast<LONG>(versionHigh);
    auto fl = static_cast<LONG>(fileLow), gl = static_cast<LONG>(versionLow);
    if (fh != gh) return fh > gh ? 0 : 1;
    return fl >= gl ? 0 : 1;
}

}  // namespace

int WINAPI ZEMBRA_CheckVersion(CString path, DWORD versionHigh, DWORD versionLow) {
    return CheckVersion(path, versionHigh, versionLow);
}
