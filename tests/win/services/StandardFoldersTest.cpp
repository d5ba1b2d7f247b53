// The standard folders and the registry text reader, called directly.
#include "services/RegistryValue.h"
#include "services/StandardFolders.h"
#include "tests/win/services/ServicesTestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

using namespace std::string_literals;

namespace {

TEST(StandardFolders, AgreeWithTheSystem) {
    char programFiles[MAX_PATH] = "";
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles));
    EXPECT_EQ(svctest::WithBackslash(programFiles), std::string(zembra::ProgramFilesFolder().c_str()));
    EXPECT_EQ(svctest::SystemTempFolder(), std::string(zembra::TemporaryFolder().c_str()));
}

TEST(StandardFolders, ProgramFilesFallbackReadsTheRegistry) {
    svctest::ScratchKeys keys;
    ASSERT_TRUE(svctest::SetValue(HKEY_LOCAL_MACHINE, keys.Path(), "Dir", REG_SZ, "D:\\Programs\0"s));
    ASSERT_TRUE(svctest::SetValue(HKEY_LOCAL_MACHINE, keys.Path(), "Empty", REG_SZ, "\0"s));
    svctest::RegValue system =
        svctest::GetValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    ASSERT_TRUE(system.exists);

    struct Row {
        const char* name;
        std::string key;
        const char* value;
        std::string expected;
    } rows[] = {
        {"SystemValue", "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
         svctest::WithBackslash(system.data.c_str())},
        {"ValueGetsBackslash", keys.Path(), "Dir", "D:\\Programs\\"},
        {"EmptyValueStaysEmpty", keys.Path(), "Empty", ""},
        {"MissingValueGivesTemp", keys.Path(), "Nothing", svctest::SystemTempFolder()},
        {"MissingKeyGivesNothing", keys.Path() + "\\Missing", "Dir", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, std::string(zembra::ProgramFilesFromRegistry(row.key.c_str(), row.value).c_str()));
    }
}

TEST(RegistryText, FitsTheCallersBuffer) {
    svctest::ScratchKeys keys;
    ASSERT_TRUE(svctest::SetValue(HKEY_CURRENT_USER, keys.Path(), "Ten", REG_SZ, "0123456789\0"s));
    ASSERT_TRUE(svctest::SetValue(HKEY_CURRENT_USER, keys.Path(), "Raw", REG_BINARY, "0123456789"s));
    ASSERT_TRUE(svctest::SetValue(HKEY_CURRENT_USER, keys.Path(), "NoBytes", REG_SZ, ""s));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, keys.Path().c_str(), 0, KEY_QUERY_VALUE, &key));

    struct Row {
        const char* name;
        const char* value;
        int capacity;
        bool read;
        const char* expected;
    } rows[] = {
        {"Fits", "Ten", 11, true, "0123456789"},
        {"CutToCapacity", "Ten", 8, true, "0123456"},
        {"RawFits", "Raw", 11, true, "0123456789"},
        {"RawCutToCapacity", "Raw", 4, true, "012"},
        {"OneByteHoldsNothing", "Ten", 1, true, ""},
        {"NoBytesAtAll", "NoBytes", 11, true, ""},
        {"Missing", "Nothing", 11, false, "unchanged"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CString text("unchanged");
        EXPECT_EQ(row.read, zembra::ReadRegistryText(key, row.value, row.capacity, &text));
        EXPECT_STREQ(row.expected, text.c_str());
    }
    RegCloseKey(key);
}

}  // namespace
