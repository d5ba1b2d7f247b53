#include "archive/LibraryState.h"

#include "framework/AddBackslash.h"

#include <cstring>

namespace zembra {

LibraryState& State() {
    static LibraryState state;
    return state;
}

void SetLibraryPackage(const char* package, const char* tempFolder, int32_t reserved1, int32_t reserved2) {
    LibraryState& state = State();
    state.packagePath = package;
    std::strncpy(state.packagePathCopy, state.packagePath.c_str(), kPackagePathCopySize - 1);
    state.packagePathCopy[kPackagePathCopySize - 1] = '\0';
    state.tempFolder = tempFolder;
    AddBackslash(state.tempFolder);
    state.reserved1 = reserved1;
    state.reserved2 = reserved2;
}

}  // namespace zembra
