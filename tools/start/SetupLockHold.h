// One installation of a product at a time: the extractor holds the product's mutex, named in the
// package's entry "LOCK" (archive/SetupLock.h), from before it unpacks anything until it ends. Other
// products have other names and are never held up.
#pragma once

#include "archive/PackageDirectory.h"
#include "archive/PackageSource.h"
#include "framework/HandleOwner.h"
#include "run/RunMessages.h"

namespace zembra {

// 0 when the run may go on, holding the mutex in *held (nothing for a package without the entry; a
// mutex the system will not give is logged and stops nothing); 1618 after a message naming the
// product when another installation of it runs.
int TakeSetupLock(PackageSource& package, const PackageDirectory& directory, RunMessages& messages,
                  Win32Handle* held);

}  // namespace zembra
