#include "tools/uninstall/UninstallUi.h"

#include <windows.h>

namespace zembra {

bool UninstallUi::Ask(const std::string& question) {
    if (m_quiet) return true;
    const HWND owner = m_progress ? m_progress->Handle() : nullptr;
    const bool yes = MessageBoxA(owner, question.c_str(), m_caption.c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND | MB_TOPMOST) == IDYES;
    m_log.Write("Frage: " + question + " Antwort: " + (yes ? "Ja" : "Nein"));
    return yes;
}

void UninstallUi::Tell(const std::string& text, bool problem) {
    m_log.Write((m_quiet ? "Meldung (nicht gezeigt): " : "Meldung: ") + text);
    if (m_quiet) return;
    const HWND owner = m_progress ? m_progress->Handle() : nullptr;
    MessageBoxA(owner, text.c_str(), m_caption.c_str(),
                (problem ? MB_ICONEXCLAMATION : MB_ICONINFORMATION) | MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
}

void UninstallUi::BeginProgress(const std::string& title) {
    if (m_quiet) return;
    m_progress.reset(new ProgressWindow);
    if (!m_progress->Create(title)) m_progress.reset();
}

void UninstallUi::Progress(const std::string& status, size_t done, size_t total) {
    if (m_progress) m_progress->Show(status, done, total);
}

}  // namespace zembra
