// CQuietRun: the setup run of "/auto /quiet", without any window: no dialog is created, and every
// question gets the answer an unattended run gives (keep an existing file, do not retry a file in
// use, stop at a missing drive). The programs recorded for the end still start; no Explorer window
// opens.
#pragma once

#include "setup/SetupRun.h"

class CQuietRun : private CSetupRun {
public:
    explicit CQuietRun(CSetupApp& app) : CSetupRun(app) {}

    void Run();

private:
    // Nothing to show; the pauses are only for a dialog's repainting.
    void ShowStatus(const CString&) override {}
    void SetBarRange(int) override {}
    void SetBarPos(long, long) override {}
    void PumpMessages() override {}
    void Sleep(unsigned) override {}
    void EnableCancel(bool) override {}
    void CloseDialog() override {}
    void ShowLastPage() override { m_bCompleted = true; }

    bool m_bCompleted = false;
};
