// One line of the run log that the extractor, the setup program and the uninstaller append to:
//
//   2024-05-17 14:03:09 UnZembra.exe: C:\Programme\Demo\Liesmich.txt entfernt
//
// local time, the program's name, then the text in UTF-8. Texts come in the ANSI code page; a line
// break inside one (CR/LF, LF, or the byte 6 of the numbered texts) becomes " | ", so that every event
// stays one line.
#pragma once

#include <string>

namespace zembra {

struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The whole line, CR/LF included.
std::string FormatLogLine(const LogTime& time, const std::string& program, const std::string& ansiText);
// The same for a text already in UTF-8: one that names something outside the ANSI code page.
std::string FormatUtf8LogLine(const LogTime& time, const std::string& program, const std::string& utf8Text);

// The last line's text: "Ende: Exitcode 3010 nach 12,4 s" (tenths of a second, cut), in the run's language.
std::string EndOfRunText(int exitCode, unsigned long long milliseconds);

}  // namespace zembra
