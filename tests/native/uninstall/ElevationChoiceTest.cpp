#include "tools/uninstall/ElevationChoice.h"

#include <gtest/gtest.h>

namespace {

using zembra::ElevationChoice;

TEST(ElevationChoice, OnlyAnUnelevatedRunForAProductOfAllUsersStartsAgainElevated) {
    const zembra::TokenFacts user{false, false, "S-1-5-21-1"}, admin{true, false, "S-1-5-21-1"},
        system{true, true, "S-1-5-18"};
    struct Row {
        const char* name;
        zembra::TokenFacts token;
        bool underLocalMachine, quiet, restarted;
        ElevationChoice expected;
    } rows[] = {
        {"a user's own product", user, false, false, false, ElevationChoice::RunHere},
        {"a product of all users", user, true, false, false, ElevationChoice::RestartElevated},
        {"a product of all users, nobody to ask", user, true, true, false, ElevationChoice::CannotAsk},
        {"the restarted run still without rights", user, true, false, true, ElevationChoice::RunHere},
        {"elevated already", admin, true, true, false, ElevationChoice::RunHere},
        {"SYSTEM", system, true, true, false, ElevationChoice::RunHere},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, zembra::ChooseElevation(r.token, r.underLocalMachine, r.quiet, r.restarted)) << r.name;
}

}  // namespace
