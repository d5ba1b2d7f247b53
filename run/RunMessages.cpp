#include "run/RunMessages.h"

#include "framework/MessageBox.h"

namespace zembra {
namespace {

const char* AnswerName(int answer) {
    switch (answer) {
        case IDOK: return "OK";
        case IDCANCEL:
        case IDABORT: return "Abbrechen";
        case IDRETRY: return "Wiederholen";
        case IDIGNORE: return "Ignorieren";
        case IDYES: return "Ja";
        case IDNO: return "Nein";
        default: return "keine";
    }
}

}  // namespace

int RunMessages::Show(HWND owner, const std::string& text, const char* caption, unsigned style, int unattended,
                      bool failure) {
    m_failureReported = m_failureReported || failure;
    const int answer = m_quiet ? unattended : MessageBoxA(owner, text.c_str(), caption, style);
    if ((style & MB_TYPEMASK) == MB_OK)
        m_log.Write((m_quiet ? "Meldung (nicht gezeigt): " : "Meldung: ") + text);
    else
        Record(text, AnswerName(answer));
    return answer;
}

void RunMessages::Record(const std::string& question, const std::string& answer) const {
    m_log.Write((m_quiet ? "Frage (nicht gezeigt): " : "Frage: ") + question + " Antwort: " + answer);
}

int WINAPI RunMessages::LibraryMessage(HWND owner, const char* text, const char* caption, UINT style, void* context) {
    return static_cast<RunMessages*>(context)->Show(owner, text, caption, style, IDOK, true);
}

int RunMessages::FrameworkMessage(const char* text, const char* caption, unsigned style, void* context) {
    return static_cast<RunMessages*>(context)->Show(nullptr, text, caption, style, DecliningAnswer(style),
                                                    (style & MB_ICONMASK) == MB_ICONHAND);
}

}  // namespace zembra
