// What a setup run ends with: the exit code that software-distribution tools judge it by, from what
// became of every entry and from how the run ended, and the log's line on each entry.
//
//   1602  cancelled by the user, before or during the run
//   1603  an entry not installed, a stop before the run, or a failure reported in a message
//   3010  a file is replaced at the next restart
//   0     every enabled entry installed or kept by the rules
#pragma once

#include "install/InstallHost.h"

class CRunResult {
public:
    void EntryDone(const CEntryOutcome& outcome);
    void Cancelled() { m_bCancelled = true; }
    void Failed() { m_bFailed = true; }
    int ExitCode() const;

    // "Installiert (1234 Bytes): C:\Programme\Demo\demo.exe", and so on.
    static CString Describe(const CEntryOutcome& outcome);

private:
    bool m_bCancelled = false;
    bool m_bFailed = false;
    bool m_bRestart = false;
};
