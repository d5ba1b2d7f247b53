#include "install/RunResult.h"

#include "install/SetupTexts.h"
#include "run/RunSwitches.h"

void CRunResult::EntryDone(const CEntryOutcome& outcome) {
    if (outcome.kind == CEntryOutcome::NotInstalled) m_bFailed = true;
    if (outcome.kind == CEntryOutcome::Scheduled) m_bRestart = true;
}

int CRunResult::ExitCode() const {
    if (m_bCancelled) return zembra::kRunCancelled;
    if (m_bFailed) return zembra::kRunFailed;
    return m_bRestart ? zembra::kRunRestartNeeded : zembra::kRunSucceeded;
}

CString CRunResult::Describe(const CEntryOutcome& outcome) {
    using zembra::SetupText;
    using zembra::Text;
    const std::string target = outcome.target.c_str();
    switch (outcome.kind) {
        case CEntryOutcome::Skipped:
            if (outcome.reason == CEntryOutcome::InTemporaryFolder)
                return Text(SetupText::SkippedTemporary, {target}).c_str();
            return Text(SetupText::SkippedDisabled, {std::to_string(outcome.index)}).c_str();
        case CEntryOutcome::Installed:
            return Text(SetupText::Installed, {std::to_string(outcome.size), target}).c_str();
        case CEntryOutcome::Scheduled: return Text(SetupText::Scheduled, {target}).c_str();
        case CEntryOutcome::Kept:
            return Text(outcome.reason == CEntryOutcome::NotNewer ? SetupText::KeptNotNewer : SetupText::KeptChosen,
                        {target}).c_str();
        case CEntryOutcome::NotInstalled: break;
    }
    std::string why;
    switch (outcome.reason) {
        case CEntryOutcome::FolderFailed: why = Text(SetupText::ReasonFolder); break;
        case CEntryOutcome::DriveMissing: why = Text(SetupText::ReasonDrive); break;
        case CEntryOutcome::GivenUp: why = Text(SetupText::ReasonInUse, {std::to_string(outcome.code)}); break;
        case CEntryOutcome::ExpandFailed:
            // The library answers 0 for a key that the package lacks.
            if (outcome.code == 0)
                why = Text(SetupText::ReasonKeyMissing, {outcome.key.c_str()});
            else
                why = Text(SetupText::ReasonExpand, {outcome.key.c_str(), std::to_string(outcome.code)});
            break;
        default: why = Text(SetupText::ReasonCancelled); break;
    }
    return Text(SetupText::NotInstalled, {why, target}).c_str();
}
