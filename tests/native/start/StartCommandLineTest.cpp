#include "tools/start/StartCommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(StartCommandLine, OnlyALeadingPackageOptionNamesAPackage) {
    struct Row {
        const char* name;
        const char* tail;
        bool packageGiven;
        const char* package;
        const char* setupTail;
        bool error;
    } rows[] = {
        {"unattended installer", "/auto", false, "", "/auto", false},
        {"anything else passes through", "/autostart --package x.pkg", false, "", "/autostart --package x.pkg", false},
        {"empty", "", false, "", "", false},
        {"package and tail", "--package C:\\x.pkg /auto", true, "C:\\x.pkg", "/auto", false},
        {"quoted package", "--package \"C:\\Mit Blanks\\x.pkg\"   /AUTO y", true, "C:\\Mit Blanks\\x.pkg", "/AUTO y", false},
        {"equals sign", "--package=x.pkg", true, "x.pkg", "", false},
        {"any letter case", "--PACKAGE x.pkg /auto", true, "x.pkg", "/auto", false},
        {"longer word is no option", "--packages x.pkg", false, "", "--packages x.pkg", false},
        {"no name", "--package", true, "", "", true},
        {"no name before the tail", "--package   ", true, "", "", true},
        {"empty quotes", "--package \"\" /auto", true, "", "", true},
        {"unclosed quote", "--package \"C:\\x.pkg /auto", true, "", "", true},
        {"quote glued to the tail", "--package \"x.pkg\"/auto", true, "x.pkg", "", true},
    };
    for (const Row& r : rows) {
        const zembra::StartCall call = zembra::ParseStartTail(r.tail);
        EXPECT_EQ(r.packageGiven, call.packageGiven) << r.name;
        EXPECT_EQ(r.error, !call.error.empty()) << r.name << ": " << call.error;
        if (r.error) continue;
        EXPECT_EQ(r.package, call.package) << r.name;
        EXPECT_EQ(r.setupTail, call.setupTail) << r.name;
    }
}

}  // namespace
