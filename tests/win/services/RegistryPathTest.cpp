// The registry path syntax shared by the install path and the registry entry.
#include "services/RegistryPath.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    const char* path;
    HKEY root;  // null: refused
    const char* keyPath;
    const char* valueName;
};

void PrintTo(const SplitCase& row, std::ostream* os) { *os << row.name; }

class RegistryPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(RegistryPathTest, SplitsRootKeyAndValue) {
    const SplitCase& row = GetParam();
    zembra::RegistryPath path;
    bool split = zembra::SplitRegistryPath(row.path, &path);
    EXPECT_EQ(row.root != nullptr, split);
    EXPECT_EQ(row.root, path.root);
    if (split) {
        EXPECT_STREQ(row.keyPath, path.keyPath.c_str());
        EXPECT_STREQ(row.valueName, path.valueName.c_str());
    }
}

const SplitCase kCases[] = {
    {"FullPath", "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Dir", HKEY_CURRENT_USER, "Software\\Maker\\Product",
     "Dir"},
    {"ClassesRootByName", "HKEY_CLASSES_ROOT\\k\\v", HKEY_CLASSES_ROOT, "k", "v"},
    {"LocalMachineByName", "HKEY_LOCAL_MACHINE\\k\\v", HKEY_LOCAL_MACHINE, "k", "v"},
    {"UsersByName", "HKEY_USERS\\.DEFAULT\\k\\v", HKEY_USERS, ".DEFAULT\\k", "v"},
    {"CurrentConfigByName", "HKEY_CURRENT_CONFIG\\k\\v", HKEY_CURRENT_CONFIG, "k", "v"},
    {"LowerCase", "hkey_local_machine\\k\\v", HKEY_LOCAL_MACHINE, "k", "v"},
    {"MixedCase", "Hkey_Users\\k\\v", HKEY_USERS, "k", "v"},
    {"Digit1", "1\\k\\v", HKEY_CLASSES_ROOT, "k", "v"},
    {"Digit2", "2\\k\\v", HKEY_CURRENT_USER, "k", "v"},
    {"Digit3", "3\\k\\v", HKEY_LOCAL_MACHINE, "k", "v"},
    {"Digit4", "4\\k\\v", HKEY_USERS, "k", "v"},
    {"Digit5", "5\\k\\v", HKEY_CURRENT_CONFIG, "k", "v"},
    {"TrailingBackslashNamesDefault", "2\\Software\\Maker\\", HKEY_CURRENT_USER, "Software\\Maker", ""},
    {"OneBackslashValueUnderRoot", "2\\Version", HKEY_CURRENT_USER, "", "Version"},
    {"RootDefaultValue", "2\\", HKEY_CURRENT_USER, "", ""},
    {"SpacesKept", "2\\My Key\\My Value", HKEY_CURRENT_USER, "My Key", "My Value"},
    {"NoBackslash", "HKEY_CURRENT_USER", nullptr, "", ""},
    {"Empty", "", nullptr, "", ""},
    {"EmptyRoot", "\\Software\\v", nullptr, "", ""},
    {"Digit0", "0\\k\\v", nullptr, "", ""},
    {"Digit6", "6\\k\\v", nullptr, "", ""},
    {"TwoDigits", "22\\k\\v", nullptr, "", ""},
    {"Abbreviation", "HKCU\\k\\v", nullptr, "", ""},
    {"PerformanceDataRefused", "HKEY_PERFORMANCE_DATA\\k\\v", nullptr, "", ""},
    {"Misspelt", "HKEY_CURRENT_USERS\\k\\v", nullptr, "", ""},
    {"LeadingSpace", " 2\\k\\v", nullptr, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Rows, RegistryPathTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(RegistryPath, NullIsRefused) {
    zembra::RegistryPath path;
    EXPECT_FALSE(zembra::SplitRegistryPath(nullptr, &path));
    EXPECT_EQ(nullptr, zembra::RegistryRootByName(nullptr));
}

}  // namespace
