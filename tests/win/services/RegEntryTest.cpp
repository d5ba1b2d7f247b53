// ZEMBRA_SetRegEntry through the real DLL against Wine's registry, under private test keys.
#include "tests/win/services/ServicesTestSupport.h"
#include "tests/win/support/MessageBoxWatcher.h"
#include "tests/win/support/ZembraLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;
using svctest::Fill;

namespace {

const char kBadRoot[] = "Key nicht gefunden!(2)";

struct Existing {
    HKEY root;
    const char* key;  // with {KEY}
    const char* name;
    DWORD type;
    std::string data;
};

struct RegEntryCase {
    const char* name;
    const char* path;  // {KEY}: the private test key; {PID}: this process
    const char* data;
    std::vector<Existing> before;
    std::vector<std::string> messages;
    // Where the value is looked for afterwards, and what it must be (nothing when not written).
    HKEY root;
    const char* key;
    const char* valueName;
    bool written;
    std::string stored;  // REG_SZ bytes, terminator included
};

void PrintTo(const RegEntryCase& row, std::ostream* os) { *os << row.name; }

class RegEntryTest : public ::testing::TestWithParam<RegEntryCase> {
protected:
    void TearDown() override { RegDeleteValueA(HKEY_CURRENT_USER, Expand("ZembraSvcRoot{PID}").c_str()); }

    std::string Expand(const char* text) const { return Fill(text, {{"KEY", m_keys.Path()}, {"PID", svctest::Pid()}}); }

    svctest::ScratchKeys m_keys;
};

TEST_P(RegEntryTest, StoresTheTextAsAString) {
    const RegEntryCase& row = GetParam();
    for (const Existing& value : row.before) {
        ASSERT_TRUE(svctest::SetValue(value.root, Expand(value.key), value.name, value.type, value.data));
    }
    ZembraLibrary lib;
    auto setRegEntry = ZEMBRA_BIND(lib, ZEMBRA_SetRegEntry);
    ASSERT_NE(nullptr, setRegEntry);

    std::vector<MessageBoxWatcher::Box> boxes;
    bool stuck = false;
    {
        MessageBoxWatcher watcher;
        setRegEntry(CString(Expand(row.path).c_str()), CString(row.data));
        boxes = watcher.Boxes();
        stuck = watcher.Stuck();
    }
    std::vector<std::string> messages;
    for (const MessageBoxWatcher::Box& box : boxes) {
        messages.push_back(box.text);
        EXPECT_EQ("Setup", box.caption);
        EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
        EXPECT_FALSE(box.hasIcon);
    }

    EXPECT_FALSE(stuck);
    EXPECT_EQ(row.messages, messages);
    svctest::RegValue value = svctest::GetValue(row.root, Expand(row.key), Expand(row.valueName).c_str());
    EXPECT_EQ(row.written, value.exists);
    if (row.written) {
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
        EXPECT_EQ(row.stored, value.data);
    }
}

const RegEntryCase kCases[] = {
    {"CreatesMissingKeyLevels", "HKEY_CURRENT_USER\\{KEY}\\A\\B\\C\\Version", "1.2.3", {}, {}, HKEY_CURRENT_USER,
     "{KEY}\\A\\B\\C", "Version", true, "1.2.3\0"s},
    {"TrailingBackslashSetsDefaultValue", "HKEY_CURRENT_USER\\{KEY}\\Def\\", "4.5",
     {{HKEY_CURRENT_USER, "{KEY}\\Def", "Other", REG_SZ, "x\0"s}}, {}, HKEY_CURRENT_USER, "{KEY}\\Def", "", true,
     "4.5\0"s},
    {"OneBackslashWritesUnderRoot", "HKEY_CURRENT_USER\\ZembraSvcRoot{PID}", "root", {}, {}, HKEY_CURRENT_USER, "",
     "ZembraSvcRoot{PID}", true, "root\0"s},
    {"EmptyDataStoresOneZeroByte", "HKEY_CURRENT_USER\\{KEY}\\Empty\\Version", "", {}, {}, HKEY_CURRENT_USER,
     "{KEY}\\Empty", "Version", true, "\0"s},
    {"DwordBecomesString", "HKEY_CURRENT_USER\\{KEY}\\Typed\\Count", "8",
     {{HKEY_CURRENT_USER, "{KEY}\\Typed", "Count", REG_DWORD, "\7\0\0\0"s}}, {}, HKEY_CURRENT_USER, "{KEY}\\Typed",
     "Count", true, "8\0"s},
    {"LongerStringReplacesShorter", "HKEY_CURRENT_USER\\{KEY}\\Typed\\Version", "10.20.30",
     {{HKEY_CURRENT_USER, "{KEY}\\Typed", "Version", REG_SZ, "1\0"s}}, {}, HKEY_CURRENT_USER, "{KEY}\\Typed",
     "Version", true, "10.20.30\0"s},
    {"RootInLowerCase", "hkey_current_user\\{KEY}\\Lower\\Version", "low", {}, {}, HKEY_CURRENT_USER,
     "{KEY}\\Lower", "Version", true, "low\0"s},
    {"RootAsDigit2", "2\\{KEY}\\Digit\\Version", "two", {}, {}, HKEY_CURRENT_USER, "{KEY}\\Digit", "Version", true,
     "two\0"s},
    {"RootAsDigit3IsLocalMachine", "3\\{KEY}\\Machine\\Version", "three", {}, {}, HKEY_LOCAL_MACHINE,
     "{KEY}\\Machine", "Version", true, "three\0"s},

    // Refused roots: one message, nothing written.
    {"MisspeltRootWritesNothing", "HKEY_CURRENT_USR\\{KEY}\\Bad\\Version", "x", {}, {kBadRoot}, HKEY_CURRENT_USER,
     "{KEY}\\Bad", "Version", false, ""},
    {"AbbreviatedRootWritesNothing", "HKCU\\{KEY}\\Bad\\Version", "x", {}, {kBadRoot}, HKEY_CURRENT_USER,
     "{KEY}\\Bad", "Version", false, ""},
    {"DigitOutsideTableWritesNothing", "6\\{KEY}\\Bad\\Version", "x", {}, {kBadRoot}, HKEY_CURRENT_USER,
     "{KEY}\\Bad", "Version", false, ""},
    {"NoBackslashWritesNothing", "ZembraSvcRoot{PID}", "x", {}, {kBadRoot}, HKEY_CURRENT_USER, "",
     "ZembraSvcRoot{PID}", false, ""},
    {"EmptyPathDoesNothingSilently", "", "x", {}, {}, HKEY_CURRENT_USER, "{KEY}", "", false, ""},
};

INSTANTIATE_TEST_SUITE_P(Rows, RegEntryTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RegEntryCase>& info) { return info.param.name; });

}  // namespace
