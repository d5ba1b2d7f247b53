#include "framework/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, TailFollowsTheProgramNameAndItsBlanks) {
    struct Row {
        const char* name;
        const char* commandLine;
        const char* tail;
    } rows[] = {
        {"plain name", "Zembra.exe /auto", "/auto"},
        {"quoted name with blanks", "\"C:\\Temp Ordner\\Zembra.exe\"  /AUTO x", "/AUTO x"},
        {"tabs after the name", "Zembra.exe\t\t/auto", "/auto"},
        {"no tail", "Zembra.exe", ""},
        {"quoted name, no tail", "\"C:\\A B\\Zembra.exe\"", ""},
        {"quote glued to the tail", "\"Zembra.exe\"/auto", "/auto"},
        {"quote never closed", "\"C:\\Setup.exe /auto", ""},
        {"quotes in the tail stay", "Setup.exe \"a b\" c", "\"a b\" c"},
        {"blanks kept inside the tail", "Zembra.exe x  /auto ", "x  /auto "},
        {"empty", "", ""},
    };
    for (const Row& row : rows) EXPECT_STREQ(row.tail, CommandLineTail(row.commandLine)) << row.name;
    EXPECT_STREQ("", CommandLineTail(nullptr));
}
