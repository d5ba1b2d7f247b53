// The run log file (Windows): opened once for the whole run, for appending only and shared with every
// other writer, so that the extractor, the setup program and the uninstaller can write the same log one
// after the other or nested; each line is one write through that handle. A log that cannot be opened
// or written is passed over: it never stops a run and never shows a message.
//
// A link or junction in the log's place is refused, not followed: a run with rights its user lacks
// (SYSTEM, an elevated administrator) would otherwise append its lines to whatever file the link names.
#pragma once

#include "framework/HandleOwner.h"

#include <memory>
#include <string>

namespace zembra {

class RunLog {
public:
    RunLog() = default;  // logs nothing
    // file as the user gave it, in UTF-8 (it may lie outside the ANSI code page); a relative name is
    // taken against the current folder now, which a run may change later. program names the writer in
    // every line ("UnZembra.exe").
    RunLog(const std::string& file, const std::string& program);

    // Whether a log was asked for; lines are written only when it could also be opened as a plain file.
    bool Enabled() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }  // full, in UTF-8
    void Write(const std::string& ansiText) const;
    void WriteUtf8(const std::string& utf8Text) const;

private:
    std::string m_path;
    std::string m_program;
    std::shared_ptr<Win32Handle> m_file;  // shared by the copies the run hands around
};

}  // namespace zembra
