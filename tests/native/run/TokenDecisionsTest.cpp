// What follows from the process's token, for every kind of token (under Wine every token is elevated).
#include "run/WorkFolderGuard.h"
#include "tools/uninstall/ElevationChoice.h"

#include <gtest/gtest.h>

namespace {

using zembra::ElevationChoice;

const zembra::TokenFacts kUser{false, false, "S-1-5-21-7"}, kAdmin{true, false, "S-1-5-21-7"},
    kSystem{true, true, "S-1-5-18"};

TEST(WorkFolderGuard, ElevatedAndSystemRunsUseTheSystemsFolderGuardedAgainstTheUser) {
    struct Row {
        const char* name;
        zembra::TokenFacts token;
        const char* sddl;
        std::vector<std::string> roots;
    } rows[] = {
        {"user", kUser, "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-7)", {"C:\\Users\\u\\Temp\\"}},
        {"elevated", kAdmin, "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)S:(ML;OICI;NW;;;HI)", {"C:\\Windows\\Temp\\"}},
        {"SYSTEM", kSystem, "O:SYD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)S:(ML;OICI;NW;;;HI)",
         {"C:\\Windows\\SystemTemp\\", "C:\\Windows\\Temp\\"}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.sddl, zembra::WorkFolderGuard(r.token).Sddl()) << r.name;
        EXPECT_EQ(r.roots, zembra::WorkFolderRoots(r.token, "C:\\Users\\u\\Temp", "C:\\Windows")) << r.name;
        EXPECT_TRUE(zembra::WorkFolderRoots(r.token, "", "").empty()) << r.name << ": an unknown folder is no root";
    }
}

TEST(ElevationChoice, OnlyAnUnelevatedRunForAProductOfAllUsersStartsAgainElevated) {
    struct Row {
        const char* name;
        zembra::TokenFacts token;
        bool underLocalMachine, quiet, restarted;
        ElevationChoice expected;
    } rows[] = {
        {"a user's own product", kUser, false, false, false, ElevationChoice::RunHere},
        {"a product of all users", kUser, true, false, false, ElevationChoice::RestartElevated},
        {"a product of all users, nobody to ask", kUser, true, true, false, ElevationChoice::CannotAsk},
        {"the restarted run, still without rights", kUser, true, false, true, ElevationChoice::RunHere},
        {"elevated already", kAdmin, true, true, false, ElevationChoice::RunHere},
        {"SYSTEM", {false, true, "S-1-5-18"}, true, true, false, ElevationChoice::RunHere},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, zembra::ChooseElevation(r.token, r.underLocalMachine, r.quiet, r.restarted)) << r.name;
}

}  // namespace
