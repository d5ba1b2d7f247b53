// The library's state: one per process, from loading to unloading. The progress channel and the
// cancel flag live in archive/Progress.h.
#pragma once

#include "archive/PackageDirectory.h"
#include "framework/CString.h"

#include <cstdint>

namespace zembra {

constexpr int kPackagePathCopySize = 260;

struct LibraryState {
    CString packagePath;                           // the package of calls that name none; empty until set
    char packagePathCopy[kPackagePathCopySize] = {};  // fixed copy, cut to 259 characters
    CString tempFolder;                            // ends with a backslash unless empty
    int32_t reserved1 = 0;                         // stored, never read
    int32_t reserved2 = 0;
    PackageDirectory directory;                    // the loaded package directory
};

LibraryState& State();

// What initialisation records before it unpacks anything: the default package, the temporary
// folder (with a trailing backslash) and the first two reserved integers.
void SetLibraryPackage(const char* package, const char* tempFolder, int32_t reserved1, int32_t reserved2);

}  // namespace zembra
