// Programs started when the dialog closes after a completed run. The run records them in section
// [Run] of "ny.tmp" ("Prg<n>" = path, "Prg<n>Hide", "Prg<n>Wait" = "1", "Prg<n>Params" = what the
// program is given, from the entry's FParams); closing starts them in order.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <functional>

// Writes the keys of program n; parameters may be empty.
void RecordFinishProgram(const char* nyTmpPath, long n, const char* path, const char* parameters, bool hide, bool wait);

// What became of one recorded program: started or not; when waited for, its exit code (-1 when it
// could not be started or gave none).
struct FinishedStart {
    const char* path;
    const char* parameters;
    bool waited;
    bool started;
    int exitCode;
};
using FinishObserver = std::function<void(const FinishedStart&)>;

// Opens an Explorer window on folder when asked, then starts the recorded programs in order, each
// shown without activation or hidden, waiting for those marked so. The programs inherit folder as
// their current directory. A program that cannot be started is passed over without a message; the
// observer, when given, is told of each.
void StartRecordedPrograms(const char* nyTmpPath, const char* folder, bool explorer,
                           const FinishObserver& observer = nullptr);

// Starts path with the given parameters (may be null) in its own folder and waits until it ends,
// keeping the caller's windows alive between waits of slice milliseconds. The exit code, or -1 when
// the start fails or the code cannot be read.
int RunAndWait(const char* path, const char* parameters, DWORD slice, int show);

// The waiting part of RunAndWait: a start that gave no process (a document handed to a program that
// was running already) has nothing to wait for and gives -1 at once.
int WaitForProgram(HANDLE process, DWORD slice);
