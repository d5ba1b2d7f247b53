#include "run/LogLine.h"

#include "run/AnsiUtf8.h"
#include "run/RunTexts.h"

#include <cstdio>

namespace zembra {
namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n' || c == '\x06'; }

// Breaks at either end go, a run of them inside is one separator; other control characters would
// split or garble the line and become blanks.
std::string OneLine(const std::string& text) {
    std::string line;
    bool pendingBreak = false;
    for (char c : text) {
        if (IsBreak(c)) {
            pendingBreak = !line.empty();
            continue;
        }
        if (pendingBreak) line += " | ";
        pendingBreak = false;
        line.push_back(static_cast<unsigned char>(c) < 0x20 && c != '\t' ? ' ' : c);
    }
    return line;
}

}  // namespace

std::string FormatLogLine(const LogTime& time, const std::string& program, const std::string& ansiText) {
    return FormatUtf8LogLine(time, program, AnsiToUtf8(ansiText));
}

std::string FormatUtf8LogLine(const LogTime& time, const std::string& program, const std::string& utf8Text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    // A break or control byte is never part of a multibyte UTF-8 character.
    return stamp + AnsiToUtf8(OneLine(program)) + ": " + OneLine(utf8Text) + "\r\n";
}

std::string EndOfRunText(int exitCode, unsigned long long milliseconds) {
    const unsigned long long tenths = milliseconds / 100;
    return Text(RunText::LogEnd, {std::to_string(exitCode), std::to_string(tenths / 10), std::to_string(tenths % 10)});
}

}  // namespace zembra
