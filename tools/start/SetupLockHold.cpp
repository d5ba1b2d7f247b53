#include "tools/start/SetupLockHold.h"

#include "archive/SetupLock.h"
#include "run/RunSwitches.h"
#include "run/SystemErrorText.h"
#include "tools/start/StartMessages.h"
#include "tools/start/StartTexts.h"

#include <windows.h>

namespace zembra {

int TakeSetupLock(PackageSource& package, const PackageDirectory& directory, RunMessages& messages,
                  Win32Handle* held) {
    uint32_t size = 0;
    const uint32_t offset = directory.Find(kSetupLockKey, &size);
    if (offset == 0) return 0;  // packed before products had a lock
    std::string bytes(size <= kMaxSetupLockSize ? size : 0, '\0');
    SetupLock lock;
    if (bytes.empty() || !package.ReadAt(offset, &bytes[0], size) || !ParseSetupLock(bytes, &lock)) {
        messages.Log().Write(Text(StartText::LockUnreadable));
        return 0;
    }
    held->Reset(CreateMutexA(nullptr, FALSE, lock.mutexName.c_str()));
    const DWORD error = GetLastError();
    // Another user's installation may hold it with an access list that keeps this one out.
    if ((held->IsValid() && error == ERROR_ALREADY_EXISTS) || (!held->IsValid() && error == ERROR_ACCESS_DENIED)) {
        held->Reset();
        messages.Log().Write(Text(StartText::LockHeld, {lock.productName, lock.mutexName}));
        messages.Show(nullptr, Text(StartText::LockHeldMessage, {lock.productName}),
                      kStartCaption, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST, IDOK, false);
        return kRunAlreadyRunning;
    }
    if (!held->IsValid())
        messages.Log().Write(Text(StartText::LockFailed, {lock.mutexName, SystemErrorText(error)}));
    return 0;
}

}  // namespace zembra
