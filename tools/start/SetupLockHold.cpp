#include "tools/start/SetupLockHold.h"

#include "archive/SetupLock.h"
#include "run/RunSwitches.h"
#include "run/SystemErrorText.h"
#include "tools/start/StartMessages.h"

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
        messages.Log().Write("Die Sperre des Installationspakets ist unlesbar; die Installation läuft ohne sie.");
        return 0;
    }
    held->Reset(CreateMutexA(nullptr, FALSE, lock.mutexName.c_str()));
    const DWORD error = GetLastError();
    // Another user's installation may hold it with an access list that keeps this one out.
    if ((held->IsValid() && error == ERROR_ALREADY_EXISTS) || (!held->IsValid() && error == ERROR_ACCESS_DENIED)) {
        held->Reset();
        messages.Log().Write("Eine andere Installation von " + lock.productName + " läuft bereits (" +
                             lock.mutexName + ").");
        messages.Show(nullptr, "Die Installation von " + lock.productName + " läuft bereits.\n\nBitte warten Sie, "
                      "bis sie beendet ist, bevor Sie sie erneut starten.",
                      kStartCaption, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST, IDOK, false);
        return kRunAlreadyRunning;
    }
    if (!held->IsValid())
        messages.Log().Write("Die Sperre " + lock.mutexName + " lässt sich nicht anlegen (" + SystemErrorText(error) +
                             "); die Installation läuft ohne sie.");
    return 0;
}

}  // namespace zembra
