#include "tools/uninstall/UninstallUi.h"

#include <windows.h>

namespace zembra {

bool UninstallUi::Ask(const std::string& question) {
    return m_messages.Show(Owner(), question, m_caption.c_str(),
                           MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND | MB_TOPMOST, IDYES, false) == IDYES;
}

void UninstallUi::Tell(const std::string& text, bool problem) {
    m_messages.Show(Owner(), text, m_caption.c_str(),
                    (problem ? MB_ICONEXCLAMATION : MB_ICONINFORMATION) | MB_OK | MB_SETFOREGROUND | MB_TOPMOST, IDOK,
                    problem);
}

void UninstallUi::BeginProgress(const std::string& title) {
    if (Quiet()) return;
    m_progress.reset(new ProgressWindow);
    if (!m_progress->Create(title)) m_progress.reset();
}

void UninstallUi::Progress(const std::string& status, size_t done, size_t total) {
    if (m_progress) m_progress->Show(status, done, total);
}

}  // namespace zembra
