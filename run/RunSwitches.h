// The switches that the extractor, the setup program and the uninstaller understand in a command-line
// tail, and the exit codes they end with (the codes software-distribution tools already know).
//
//   /auto          unattended: no question; by the old rule a tail that begins with "/auto" (any case)
//   /quiet         given after /auto: no window and no message box at all
//   /log=FILE      append a log to FILE; /log="FILE WITH BLANKS"
//   /DIR=FOLDER    the setup program installs into FOLDER; /DIR="FOLDER WITH BLANKS"
//   /LANG=xx       the product's language to speak ("en"), instead of the one Windows speaks to the user
//
// Words are compared without regard to case. Any other word is left to the program.
#pragma once

#include <string>
#include <vector>

namespace zembra {

enum RunExitCode : int {
    kRunSucceeded = 0,
    kRunCancelled = 1602,      // the user declined or cancelled
    kRunFailed = 1603,         // something was not done, or the program stopped before its work
    kRunAlreadyRunning = 1618, // another installation of the product is running
    kRunRestartNeeded = 3010,  // done, but a file is replaced or removed at the next restart
};

struct RunSwitches {
    bool automatic = false;
    bool quiet = false;             // /quiet after /auto
    bool quietWithoutAuto = false;  // /quiet with no /auto before it: what it means is the program's call
    std::string logFile;            // as written, quotes removed; empty without /log
    std::string folder;             // /DIR= as written, quotes removed; empty without it
    std::string language;           // /LANG= as written, quotes removed; empty without it
    std::vector<std::string> others;
    std::string problem;            // a /log, /DIR= or /LANG= without its value or with an open quote, in
                                    // the process's language as it was while parsing
};

RunSwitches ParseRunSwitches(const char* tail);

// The tail as it stands, except that each /log word names file (quoted): a program that resolves a
// relative log name hands the full one on to a program it starts in another current folder.
std::string WithLogFile(const char* tail, const std::string& file);

// Whether words holds word, compared without regard to case ("/register").
bool HasWord(const std::vector<std::string>& words, const char* word);

}  // namespace zembra
