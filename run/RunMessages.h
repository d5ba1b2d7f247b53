// Every message box of one program run, and of the runtime library in its process: shown, or with
// /quiet left unshown and answered as the caller says an unattended run answers it, and written to
// the run log either way ("Meldung: ...", "Frage (nicht gezeigt): ... Antwort: Ja"). A message that
// reports a failure is remembered, so that it counts in the exit code.
#pragma once

#include "run/RunLog.h"

#include <windows.h>

#include <string>

namespace zembra {

class RunMessages {
public:
    RunMessages() = default;  // shows every box, logs nothing
    RunMessages(bool quiet, const RunLog& log) : m_quiet(quiet), m_log(log) {}

    bool Quiet() const { return m_quiet; }
    const RunLog& Log() const { return m_log; }
    bool FailureReported() const { return m_failureReported; }

    // As MessageBoxA; unattended is the answer when nobody is asked.
    int Show(HWND owner, const std::string& text, const char* caption, unsigned style, int unattended, bool failure);
    // The same for a text in UTF-8, shown through the wide call: one that names a path the ANSI code
    // page cannot say.
    int ShowUtf8(HWND owner, const std::string& utf8Text, const char* caption, unsigned style, int unattended,
                 bool failure);
    // A question that the program's own dialog asked (or, quiet, answered by itself).
    void Record(const std::string& question, const std::string& answer) const;

    // For ZEMBRA_SetMessageHandler with this object as context: the library speaks up only about
    // failures, so each of its messages counts as one.
    static int WINAPI LibraryMessage(HWND owner, const char* text, const char* caption, UINT style, void* context);
    // For the framework's SetMessageBoxHook (the program's own boxes and the profile's): a box with the
    // error icon reports a failure; nobody answering, the declining button counts.
    static int FrameworkMessage(const char* text, const char* caption, unsigned style, void* context);

private:
    void RecordUtf8(const std::string& question, const std::string& answer) const;

    bool m_quiet = false;
    RunLog m_log;
    bool m_failureReported = false;
};

}  // namespace zembra
