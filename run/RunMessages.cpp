#include "run/RunMessages.h"

#include "framework/MessageBox.h"
#include "framework/WideText.h"
#include "run/RunTexts.h"

namespace zembra {
namespace {

std::string AnswerName(int answer) {
    switch (answer) {
        case IDOK: return Text(RunText::AnswerOk);
        case IDCANCEL:
        case IDABORT: return Text(RunText::AnswerCancel);
        case IDRETRY: return Text(RunText::AnswerRetry);
        case IDIGNORE: return Text(RunText::AnswerIgnore);
        case IDYES: return Text(RunText::AnswerYes);
        case IDNO: return Text(RunText::AnswerNo);
        default: return Text(RunText::AnswerNone);
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
        m_log.WriteUtf8(Utf8Text(m_quiet ? RunText::LogMessageUnshown : RunText::LogMessage, {utf8Text}));
    else
        RecordUtf8(utf8Text, AnsiAsUtf8(AnswerName(answer)));
    return answer;
}

void RunMessages::Record(const std::string& question, const std::string& answer) const {
    RecordUtf8(AnsiAsUtf8(question), AnsiAsUtf8(answer));
}

void RunMessages::RecordUtf8(const std::string& question, const std::string& answer) const {
    m_log.WriteUtf8(Utf8Text(m_quiet ? RunText::LogQuestionUnshown : RunText::LogQuestion, {question, answer}));
}

int WINAPI RunMessages::LibraryMessage(HWND owner, const char* text, const char* caption, UINT style, void* context) {
    return static_cast<RunMessages*>(context)->Show(owner, text, caption, style, IDOK, true);
}

int RunMessages::FrameworkMessage(const char* text, const char* caption, unsigned style, void* context) {
    return static_cast<RunMessages*>(context)->Show(nullptr, text, caption, style, DecliningAnswer(style),
                                                    (style & MB_ICONMASK) == MB_ICONHAND);
}

}  // namespace zembra
