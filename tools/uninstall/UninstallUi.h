// What the uninstaller shows: questions and messages in the program's own (German) words with the
// product's name as caption, and the progress window. With /quiet nothing is shown; every message,
// shown or not, goes to the log.
#pragma once

#include "tools/common/RunLog.h"
#include "tools/uninstall/ProgressWindow.h"

#include <memory>
#include <string>

namespace zembra {

class UninstallUi {
public:
    UninstallUi(bool quiet, const RunLog& log) : m_quiet(quiet), m_log(log) {}

    void SetCaption(const std::string& caption) { m_caption = caption; }
    bool Quiet() const { return m_quiet; }
    // Yes or no; a quiet run is never asked and counts as yes.
    bool Ask(const std::string& question);
    void Tell(const std::string& text, bool problem);

    void BeginProgress(const std::string& title);
    void Progress(const std::string& status, size_t done, size_t total);
    void EndProgress() { m_progress.reset(); }

private:
    bool m_quiet;
    const RunLog& m_log;
    std::string m_caption = "Deinstallation";
    std::unique_ptr<ProgressWindow> m_progress;
};

}  // namespace zembra
