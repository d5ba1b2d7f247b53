#include "services/RegistryValue.h"

#include <cstring>
#include <vector>

namespace zembra {

namespace {

// The value may change between asking for its size and reading it; a few rounds settle that.
constexpr int kReadAttempts = 4;

bool QueryRaw(HKEY key, const char* valueName, DWORD* type, std::vector<char>* data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        data->assign(static_cast<size_t>(size) + 1, '\0');  // room for a terminator of our own
        DWORD got = size;
        LONG rc = RegQueryValueExA(key, valueName, nullptr, type, reinterpret_cast<BYTE*>(data->data()), &got);
        if (rc == ERROR_SUCCESS) {
            data->resize(got);
            return true;
        }
        if (rc != ERROR_MORE_DATA) return false;
        size = got;
    }
    return false;
}

CString Expand(const CString& raw) {
    std::vector<char> expanded(kExpandedTextCapacity);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD needed = ExpandEnvironmentStringsA(raw, expanded.data(), static_cast<DWORD>(expanded.size()));
        if (needed == 0) return raw;
        if (needed <= expanded.size()) break;
        expanded.assign(needed, '\0');
    }
    CString text(expanded.data(), static_cast<int>(strnlen(expanded.data(), expanded.size())));
    CutText(&text, kExpandedTextCapacity - 1);
    return text;
}

}  // namespace

void CutText(CString* text, int maxBytes) {
    if (text->GetLength() <= maxBytes) return;
    int end = 0;
    while (end < maxBytes) {
        int step = IsDBCSLeadByte(static_cast<BYTE>(text->GetAt(end))) ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    *text = text->Left(end);
}

bool ReadRegistryText(HKEY key, const char* valueName, int capacity, CString* text) {
    DWORD type = REG_NONE;
    std::vector<char> data;
    if (!QueryRaw(key, valueName, &type, &data)) return false;
    CString value(data.data(), static_cast<int>(strnlen(data.data(), data.size())));
    if (type == REG_EXPAND_SZ) value = Expand(value);
    CutText(&value, capacity - 1);
    *text = value;
    return true;
}

}  // namespace zembra
