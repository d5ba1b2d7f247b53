#include "run/LogLine.h"
#include "run/RunSwitches.h"

#include <gtest/gtest.h>

namespace {

TEST(RunSwitches, AutoQuietAndLogAreFoundInAnyCaseAndOtherWordsAreLeftAlone) {
    struct Row {
        const char* tail;
        bool automatic, quiet, quietWithoutAuto;
        const char* log;
        const char* others;  // joined by '|'
        bool problem;
    } rows[] = {
        {"", false, false, false, "", "", false},
        {"/auto", true, false, false, "", "", false},
        {"/AUTOSTART", true, false, false, "", "/AUTOSTART", false},  // the setup's old prefix rule
        {"/auto /Quiet", true, true, false, "", "", false},
        {"/quiet /auto", true, false, true, "", "", false},
        {"/quiet", false, false, true, "", "", false},
        {"/register /auto", true, false, false, "", "/register", false},
        {"/log=C:\\x.log /AUTO", true, false, false, "C:\\x.log", "", false},
        {"/auto /LOG=\"C:\\Mit Blanks\\x.log\" /quiet", true, true, false, "C:\\Mit Blanks\\x.log", "", false},
        {"/log=\"C:\\offen.log /auto", false, false, false, "", "", true},
        {"/log=", false, false, false, "", "", true},
        {"/log", false, false, false, "", "", true},
        {"/logbuch /x", false, false, false, "", "/logbuch|/x", false},
    };
    for (const Row& r : rows) {
        const zembra::RunSwitches s = zembra::ParseRunSwitches(r.tail);
        std::string others;
        for (const std::string& w : s.others) others += (others.empty() ? "" : "|") + w;
        EXPECT_EQ(r.automatic, s.automatic) << r.tail;
        EXPECT_EQ(r.quiet, s.quiet) << r.tail;
        EXPECT_EQ(r.quietWithoutAuto, s.quietWithoutAuto) << r.tail;
        EXPECT_EQ(r.log, s.logFile) << r.tail;
        EXPECT_EQ(r.others, others) << r.tail;
        EXPECT_EQ(r.problem, !s.problem.empty()) << r.tail << ": " << s.problem;
    }
    EXPECT_TRUE(zembra::HasWord(zembra::ParseRunSwitches("/auto /Register").others, "/register"));
}

TEST(RunSwitches, TheLogNamedForAnotherProgramIsTheResolvedFileAndTheRestStaysAsItWas) {
    struct Row {
        const char* tail;
        const char* passed;
    } rows[] = {
        {"/auto /quiet /log=run.log", "/auto /quiet /log=\"C:\\L\\run.log\""},
        {"/auto  /LOG=\"a b.log\"\tx", "/auto  /log=\"C:\\L\\run.log\"\tx"},
        {"/auto /logbuch", "/auto /logbuch"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.passed, zembra::WithLogFile(r.tail, "C:\\L\\run.log")) << r.tail;
}

TEST(LogLine, StampsTheLineAndKeepsEveryEventOnOneLineInUtf8) {
    struct Row {
        const char* name;
        const char* text;  // code page 1252
        const char* line;  // UTF-8, after the stamp and the program's name
    } rows[] = {
        {"plain", "Start", "Start"},
        {"umlauts and the euro sign", "Gr\xF6\xDF" "e \x80 \x85", "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xE2\x80\xA6"},
        {"undefined byte keeps its number", "\x81", "\xC2\x81"},
        {"CR/LF, LF and byte 6 become one separator", "a\r\nb\nc\x06" "d", "a | b | c | d"},
        {"a run of breaks is one, breaks at the ends go", "\x06" "C:\\x.dll\x06\x06wird benutzt\r\n", "C:\\x.dll | wird benutzt"},
        {"other control characters become blanks, tabs stay", "a\x01" "b\tc", "a b\tc"},
    };
    const zembra::LogTime time{2024, 5, 7, 9, 3, 1};
    for (const Row& r : rows)
        EXPECT_EQ(std::string("2024-05-07 09:03:01 UnZembra.exe: ") + r.line + "\r\n",
                  zembra::FormatLogLine(time, "UnZembra.exe", r.text))
            << r.name;
}

}  // namespace
