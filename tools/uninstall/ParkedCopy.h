// The uninstaller's parked program file goes with its run. A running program's file cannot be
// deleted, only moved: the uninstaller moves its own into a fresh private folder (run/WorkFolder.h) so
// that the product folder can go. Its process must end before that file can go, and it must be the
// process its caller waits for (the exit code is the caller's answer). So at its end it starts a
// second, short-lived copy of itself, written beside that folder (same place, same guard) and held
// with FILE_FLAG_DELETE_ON_CLOSE from before it runs: the system allows that for a file not yet mapped
// as a program, and starts a program from such a file since its loader shares deletion. The copy
// inherits that handle and one on the uninstaller's process, waits for the uninstaller to end,
// deletes the parked file and its folder, and ends; with its handle, the last one, the system deletes
// the copy itself. Nothing waits for a restart.
#pragma once

#include <string>
#include <vector>

namespace zembra {

// The word that makes UnZembra.exe the short-lived copy: "/cleanup HANDLE" (hexadecimal).
constexpr char kCleanupSwitch[] = "/cleanup";

// Starts the copy for the parked folder (ending with a backslash, as run/WorkFolder.h names it; the
// copy becomes that name with ".exe"). False with the system's error code; nothing is left then.
bool StartCleanup(const std::string& parkedFolder, unsigned long* error);

// The copy's run, from its command line's words; the process's exit code (0: both gone).
int RunCleanup(const std::vector<std::string>& words);

}  // namespace zembra
