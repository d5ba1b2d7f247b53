#include "install/RunResult.h"

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
    CString text;
    const char* target = outcome.target;
    switch (outcome.kind) {
        case CEntryOutcome::Skipped:
            text.Format("Eintrag PFile%lu übergangen, er ist nicht zur Installation bestimmt", outcome.index);
            return text;
        case CEntryOutcome::Installed: text.Format("Installiert (%ld Bytes): %s", outcome.size, target); return text;
        case CEntryOutcome::Scheduled: return "In Gebrauch, wird beim nächsten Neustart ersetzt: " + outcome.target;
        case CEntryOutcome::Kept:
            return (outcome.reason == CEntryOutcome::NotNewer
                        ? "Beibehalten, die vorhandene Datei ist gleich alt oder neuer: "
                        : "Beibehalten, nicht überschrieben: ") + outcome.target;
        case CEntryOutcome::NotInstalled: break;
    }
    switch (outcome.reason) {
        case CEntryOutcome::FolderFailed: text = "der Ordner lässt sich nicht anlegen"; break;
        case CEntryOutcome::DriveMissing: text = "das Laufwerk fehlt, die Installation wurde beendet"; break;
        case CEntryOutcome::GivenUp: text.Format("die Datei ist in Gebrauch (Fehlercode %d)", outcome.code); break;
        case CEntryOutcome::ExpandFailed:
            // The library answers 0 for a key that the package lacks.
            if (outcome.code == 0)
                text = "das Paket enthält " + outcome.key + " nicht";
            else
                text.Format("%s ließ sich nicht entpacken (Fehlercode %d)", outcome.key.c_str(), outcome.code);
            break;
        default: text = "die Installation wurde abgebrochen"; break;
    }
    return "Nicht installiert, " + text + ": " + outcome.target;
}
