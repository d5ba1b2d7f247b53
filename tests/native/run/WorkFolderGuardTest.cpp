// The working folder's place and descriptor for each kind of token, as data: Wine gives every process
// an elevated administrator's token and keeps no access lists, so only here can all three be seen.
#include "run/WorkFolderGuard.h"

#include <gtest/gtest.h>

namespace {

std::string Joined(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) joined += item + "|";
    return joined;
}

TEST(WorkFolderGuard, ElevatedAndSystemRunsUseTheSystemsFolderGuardedAgainstTheUser) {
    const std::string user = "S-1-5-21-1-2-3-1001";
    struct Row {
        const char* name;
        zembra::TokenFacts token;
        const char* owner;
        const char* grants;
        const char* label;
        const char* roots;
        const char* sddl;
    } rows[] = {
        {"not elevated", {false, false, user}, "", "SY|BA|S-1-5-21-1-2-3-1001|", "", "C:\\Users\\u\\Temp\\|",
         "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-1-2-3-1001)"},
        {"an elevated administrator", {true, false, user}, "BA", "SY|BA|", "HI", "C:\\Windows\\Temp\\|",
         "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)S:(ML;OICI;NW;;;HI)"},
        {"SYSTEM", {true, true, "S-1-5-18"}, "SY", "SY|BA|", "HI", "C:\\Windows\\SystemTemp\\|C:\\Windows\\Temp\\|",
         "O:SYD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)S:(ML;OICI;NW;;;HI)"},
    };
    for (const Row& r : rows) {
        const zembra::FolderGuard guard = zembra::WorkFolderGuard(r.token);
        EXPECT_EQ(r.owner, guard.owner) << r.name;
        EXPECT_EQ(r.grants, Joined(guard.grants)) << r.name;
        EXPECT_EQ(r.label, guard.label) << r.name;
        EXPECT_EQ(r.sddl, guard.Sddl()) << r.name;
        EXPECT_EQ(r.roots, Joined(zembra::WorkFolderRoots(r.token, "C:\\Users\\u\\Temp", "C:\\Windows"))) << r.name;
        EXPECT_TRUE(zembra::WorkFolderRoots(r.token, "", "").empty()) << r.name << ": an unknown folder is no root";
    }
}

}  // namespace
