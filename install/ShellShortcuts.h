// Shortcuts as the shell makes them (IShellLinkW saved through IPersistFile), in the Start menu and
// on the desktop of all users when the run may write the machine's list of installed programs (as
// the uninstaller's entry then goes under HKLM), else in the user's own. COM is initialised by the
// caller's thread.
#pragma once

#include "install/ShortcutPlan.h"

#include <string>

// The Programs and desktop folders in their ANSI form, ending with a backslash (empty when the shell
// knows none, or with *problem (UTF-8) when one has no ANSI form); *allUsers tells which ones.
void ShellShortcutFolders(ShortcutFolders* folders, bool* allUsers, std::string* problem);

// Writes the link (replacing one of that name): target, arguments, working folder, the target's icon.
// False with the system's error code.
bool CreateShellLink(const PlannedShortcut& shortcut, unsigned long* error);
