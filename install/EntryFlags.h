// The eight flag characters of a manifest entry ("FFlags"): position k is on when its character is
// "1". Only a value of exactly eight characters counts; any other length turns every flag off, which
// skips the entry.
#pragma once

struct EntryFlags {
    bool install = false;           // 1: the entry is installed at all
    bool askBeforeOverwrite = false;  // 2
    bool clearReadOnly = false;     // 3
    bool replaceAtRestart = false;  // 4: a target in use gets a side file and a pending rename
    bool compareVersions = false;   // 5: an existing target is replaced only by a newer file
    bool startProgram = false;      // 6: started when the dialog closes after the run
    bool startHidden = false;       // 7, with 6
    bool waitForEnd = false;        // 8, with 6
};

EntryFlags DecodeEntryFlags(const char* text);
