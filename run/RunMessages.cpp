#include "run/RunMessages.h"

#include "framework/MessageBox.h"
#include "framework/WideText.h"

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
    return ShowUtf8(owner, AnsiAsUtf8(text), caption, style, unattended, failure);
}

int RunMessages::ShowUtf8(HWND owner, const std::string& utf8Text, const char* caption, unsigned style,
                          int unattended, bool failure) {
    m_failureReported = m_failureReported || failure;
    const std::wstring title = caption ? AnsiToWide(caption) : std::wstring();
    const int answer = m_quiet ? unattended
                               : MessageBoxW(owner, Utf8ToWide(utf8Text).c_str(), caption ? title.c_str() : nullptr,
                                             style);
    if ((style & MB_TYPEMASK) == MB_OK)
        m_log.WriteUtf8((m_quiet ? "Meldung (nicht gezeigt): " : "Meldung: ") + utf8Text);
    else
        RecordUtf8(utf8Text, AnsiAsUtf8(AnswerName(answer)));
    return answer;
}

void RunMessages::Record(const std::string& question, const std::string& answer) const {
    RecordUtf8(AnsiAsUtf8(question), AnsiAsUtf8(answer));
}

void RunMessages::RecordUtf8(const std::string& question, const std::string& answer) const {
    m_log.WriteUtf8((m_quiet ? "Frage (nicht gezeigt): " : "Frage: ") + question + " Antwort: " + answer);
}

int WINAPI RunMessages::LibraryMessage(HWND owner, const char* text, const char* caption, UINT style, void* context) {
    return static_cast<RunMessages*>(context)->Show(owner, text, caption, style, IDOK, true);
}

int RunMessages::FrameworkMessage(const char* text, const char* caption, unsigned style, void* context) {
    return static_cast<RunMessages*>(context)->Show(nullptr, text, caption, style, DecliningAnswer(style),
                                                    (style & MB_ICONMASK) == MB_ICONHAND);
}

}  // namespace zembra
