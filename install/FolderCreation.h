// Target folders: a folder is made together with every missing folder above it, after checking that
// its drive exists. A missing drive asks the user whether to stop the whole installation.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <functional>

// The missing-drive question's caption and style.
constexpr char kMissingDriveCaption[] = "Error";
constexpr UINT kMissingDriveStyle = MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL;

// Asks the question with the caption and style above and returns the answer (IDYES stops).
using MissingDriveQuestion = std::function<int(const CString& question)>;

// True when the folder exists afterwards or its creation was attempted (a folder that cannot be made
// shows up later, when its file cannot be written); false when the drive is missing, the path is
// empty or a relative path's top folder does not exist. With checkDrive, a missing drive asks
// "Achtung!!!!" (through ask when given, else in a message box owned by the main window) and sets
// *abort when the answer is Yes.
bool CreateFolderPath(CString path, bool checkDrive, bool* abort, const MissingDriveQuestion& ask = nullptr);

// True when the current directory can be set to the root (such as "C:\"); the current directory is
// left as it was.
bool DriveExists(const char* root);
