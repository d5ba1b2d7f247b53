// CInstallHost: what the installation driver needs from its surroundings, the setup dialog in the
// program and a fake in the tests: the dialog's status line, bar and pages, the message pump and the
// pauses, every question and message, the library's calls, and the few file-system probes the driver
// makes itself. The driver decides; the host only carries out.
#pragma once

#include "framework/CString.h"

#include <cstdint>

// What became of one manifest entry.
struct CEntryOutcome {
    enum Kind {
        Skipped,       // position 1 of its flags is off
        Installed,     // written whole; size is its FSize
        Scheduled,     // in use: its side file replaces it at the next restart
        Kept,          // an existing target stays
        NotInstalled,  // code: the library's result where it gave one
    };
    enum Reason {
        None,
        NotNewer,        // Kept: the existing file is as new or newer
        KeepChosen,      // Kept: answered, or remembered from "Alle nicht überschreiben"
        FolderFailed,    // NotInstalled: the folder cannot be made
        DriveMissing,    // NotInstalled: the folder's drive is missing and the user chose to stop
        GivenUp,         // NotInstalled: in use, and not retried
        ExpandFailed,    // NotInstalled: decoding failed, the package or the key is unusable
        Cancelled,       // NotInstalled: the run was cancelled before or while it was decoded
    };
    unsigned long index = 0;
    Kind kind = Skipped;
    Reason reason = None;
    CString target;  // empty for skipped entries
    CString key;     // the entry's name in the package
    long size = 0;
    int code = 0;
};

class CInstallHost {
public:
    virtual ~CInstallHost() = default;

    // The dialog.
    virtual void ShowStatus(const CString& text) = 0;
    virtual void SetBarRange(int upper) = 0;
    virtual void SetBarPos(long done, long total) = 0;
    virtual void PumpMessages() = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
    virtual void EnableCancel(bool enable) = 0;
    virtual void CloseDialog() = 0;   // ends the dialog as cancelled; no programs start
    virtual void ShowLastPage() = 0;  // the page of a completed run

    // Questions and messages.
    enum { Overwrite = 0, OverwriteAll = 1, Keep = 2, KeepAll = 3, Dismissed = -1 };
    virtual void Tell(const CString& text, bool failure) = 0;
    virtual bool AskRetry(const CString& text) = 0;  // a target in use: true retries
    virtual bool ControlKeyDown() = 0;               // read just after an answer
    virtual int AskOverwrite(const CString& target) = 0;
    virtual bool AskCancel(const CString& text) = 0;

    // The library.
    virtual void SetLibraryProgress(long done, long total) = 0;
    virtual int Expand(const CString& folder, const CString& key, const CString& fileName) = 0;
    virtual void CancelLibrary() = 0;
    virtual int CheckVersion(const CString& target, uint32_t high, uint32_t low) = 0;
    virtual bool ReplaceFileOnReboot(const CString& target) = 0;
    virtual void SetRegEntry(const CString& path, const CString& value) = 0;
    // Whether a key ("HKEY_CURRENT_USER\Software\Maker") is there; true when it cannot be told.
    virtual bool RegistryKeyExists(const CString& key) = 0;

    // Files and folders.
    static constexpr uint32_t kNoFile = 0xFFFFFFFFu;
    virtual uint32_t Attributes(const CString& path) = 0;  // kNoFile when nothing is there
    virtual void SetAttributes(const CString& path, uint32_t attributes) = 0;
    virtual void RemoveFile(const CString& path) = 0;
    // The folder and the missing ones above it; with checkDrive a missing drive asks whether to stop
    // and sets *abort on Yes. False when it cannot be made.
    virtual bool CreateFolderPath(const CString& folder, bool checkDrive, bool* abort) = 0;
    // A program that starts when the dialog closes, as number n of the run.
    virtual void RecordProgram(long n, const CString& path, const CString& parameters, bool hide, bool wait) = 0;

    // Told of every entry the run reaches, in order; a host that keeps no record of them ignores it.
    virtual void EntryDone(const CEntryOutcome&) {}
    // A line for the run's log alone (a name of an earlier list that was passed over).
    virtual void Note(const CString&) {}
};
