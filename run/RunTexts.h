// The words every program of a run shares: the log's event words, the answers it records, the
// switches' problems and the system's error code.
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class RunText {
    LogStart,
    LogEnd,
    LogMessage,
    LogMessageUnshown,
    LogQuestion,
    LogQuestionUnshown,
    AnswerOk,
    AnswerCancel,
    AnswerRetry,
    AnswerIgnore,
    AnswerYes,
    AnswerNo,
    AnswerNone,
    SwitchQuoteOpen,
    LogNameMissing,
    FolderMissing,
    LanguageMissing,
    LanguageRefused,
    SystemError,
};

const TextTables& RunTextTables();
std::string Text(RunText key, std::initializer_list<std::string> values = {});
// In UTF-8, with values in UTF-8 (names the ANSI code page cannot say).
std::string Utf8Text(RunText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
