// What the uninstaller shows: questions and messages in the program's own words (German or English, as
// the run's language) with the product's name as caption, and the progress window. They go through the run's messages,
// which show them, or with /quiet only log them.
#pragma once

#include "run/RunMessages.h"
#include "tools/uninstall/ProgressWindow.h"
#include "tools/uninstall/UninstallTexts.h"

#include <memory>
#include <string>

namespace zembra {

class UninstallUi {
public:
    explicit UninstallUi(RunMessages& messages) : m_messages(messages), m_caption(Text(UninstallText::Caption)) {}

    void SetCaption(const std::string& caption) { m_caption = caption; }
    bool Quiet() const { return m_messages.Quiet(); }
    // Yes or no; a quiet run is never asked and counts as yes.
    bool Ask(const std::string& question);
    void Tell(const std::string& text, bool problem);

    void BeginProgress(const std::string& title);
    void Progress(const std::string& status, size_t done, size_t total);
    void EndProgress() { m_progress.reset(); }

private:
    HWND Owner() const { return m_progress ? m_progress->Handle() : nullptr; }

    RunMessages& m_messages;
    std::string m_caption;
    std::unique_ptr<ProgressWindow> m_progress;
};

}  // namespace zembra
