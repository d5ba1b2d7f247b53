// The run log file (Windows): each line is appended with one write to a file opened for appending
// only and shared with every other writer, so that the extractor, the setup program and the
// uninstaller can write the same log one after the other or nested. A log that cannot be opened or
// written is passed over: it never stops a run and never shows a message.
#pragma once

#include <string>

namespace zembra {

class RunLog {
public:
    RunLog() = default;  // logs nothing
    // file as the user gave it; a relative name is taken against the current folder now, which a run
    // may change later. program names the writer in every line ("UnZembra.exe").
    RunLog(const std::string& file, const std::string& program);

    bool Enabled() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    void Write(const std::string& ansiText) const;

private:
    std::string m_path;
    std::string m_program;
};

}  // namespace zembra
