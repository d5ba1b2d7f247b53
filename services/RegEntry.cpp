// ZEMBRA_SetRegEntry: stores one string value, creating its key on the way. The caller learns nothing
// of the outcome; only a path whose root names no key is reported.
#include "archive/LibraryTexts.h"
#include "archive/ZembraApi.h"
#include "framework/HandleOwner.h"
#include "services/RegistryPath.h"
#include "services/ServiceMessage.h"

namespace {

void SetRegEntry(const CString& path, const CString& data) {
    if (path.IsEmpty()) return;
    zembra::RegistryPath target;
    if (!zembra::SplitRegistryPath(path, &target)) {
        zembra::ShowServiceMessage(zembra::Text(zembra::LibraryText::KeyNotFound).c_str());
        return;
    }
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
    RegistryKey key;
    if (RegCreateKeyExA(target.root, target.keyPath, 0, nullptr, 0, access, nullptr, key.Receive(), nullptr) !=
            ERROR_SUCCESS &&
        RegOpenKeyExA(target.root, target.keyPath, 0, access, key.Receive()) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key.Get(), target.valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.GetLength()) + 1);
}

}  // namespace

void WINAPI ZEMBRA_SetRegEntry(CString path, CString data) {
    try {
        SetRegEntry(path, data);
    } catch (...) {
        // Out of memory while splitting the path: nothing was written, and the caller expects no answer.
    }
}
