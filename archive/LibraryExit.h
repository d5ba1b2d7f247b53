// Releasing the package at the end of a run: the loaded directory is freed and the temporary folder
// that initialisation filled is emptied, within guards that keep the deletion inside the system's
// temporary folder.
#pragma once

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

// Removes everything inside folder, read-only, hidden and system files included, and keeps the folder.
// A link inside (symbolic link, junction) is removed itself when the platform can open the link
// rather than its target; otherwise it is left alone. Its target is never entered or deleted.
// Single failures are skipped.
void ClearFolder(const char* folder);

}  // namespace zembra
