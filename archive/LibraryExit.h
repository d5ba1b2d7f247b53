// Releasing the package at the end of a run: the loaded directory is freed and the temporary folder
// that initialisation filled is emptied, within guards that keep the deletion inside the system's
// temporary folder.
#pragma once

#include <functional>

namespace zembra {

enum ExitResult {
    kExitTempFolderItself = 0,  // the stored folder is the system temporary folder: nothing deleted
    kExitCleared = 1,           // everything inside the stored folder removed, the folder kept
    kExitOutsideTemp = 2,       // the stored folder lies outside the system temporary folder: nothing deleted
};

// Compares canonical full paths, so "..\" cannot lead out of the temporary folder, and refuses a
// stored folder that resolves elsewhere through a link. A path shorter than 5 characters is shown in
// a "TEMP-ERROR!" box whose result is returned; nothing is deleted then either.
int ExitLibrary();

// Called with each entry's path after it was listed and before it is looked at (tests change entries
// there, as somebody else might while the folder is cleared).
using ClearObserver = std::function<void(const char* path)>;

// Removes everything inside folder, read-only, hidden and system files included, and keeps the folder.
// Each entry is opened as itself (links not followed) just before it is entered or deleted, and is
// deleted through that handle, so what was checked is what goes. A link is removed itself where the
// platform opens links as such; an entry that resolves anywhere but where it was listed is left alone,
// also one swapped in while the folder is cleared. Single failures are skipped.
void ClearFolder(const char* folder, const ClearObserver& observer = ClearObserver());

// ClearFolder, then the folder itself, through the handle it was checked with. True once it is gone.
bool RemoveFolder(const char* folder);

}  // namespace zembra
