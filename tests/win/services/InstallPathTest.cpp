// ZEMBRA_GetInstallPath through the real DLL, against Wine's registry, temporary folder and shell
// folders. Each row writes its own Zembra.ini and registry values and names what the caller sees.
#include "tests/native/support/TempFolder.h"
#include "tests/win/services/ServicesTestSupport.h"
#include "tests/win/support/MessageBoxWatcher.h"
#include "tests/win/support/ZembraLibrary.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

using namespace std::string_literals;
using svctest::Fill;

namespace {

const char kRegistryStops[] = "Pfad in der Registry nicht gefunden!\nEntpacken wird abgebrochen!";
const char kBadRoot[] = "Key nicht gefunden!(2)";
const char kUnchangedTarget[] = "Z:\\unchanged-target\\";
const char kUnchangedList[] = "Z:\\unchanged-list\\";
const char kEnvName[] = "ZEMBRA_SVC_DIR";
const char kEnvValue[] = "C:\\From Env";

struct RegSetup {
    HKEY root;
    const char* valueName;
    DWORD type;
    std::string data;  // stored as given: include the terminator where one is wanted
};

struct InstallPathCase {
    const char* name;
    const char* ini;  // lines of [Doc]; null: no configuration file at all
    std::vector<RegSetup> registry;  // values under {KEY}
    const char* product;
    bool result;
    const char* target;  // {TEMP}, {PF}, {UNCHANGED}
    const char* list;
    std::vector<std::string> messages;
    bool mayChange;
};

void PrintTo(const InstallPathCase& row, std::ostream* os) { *os << row.name; }

// The library's own message box: caption "Setup", an OK button only, no icon.
void ExpectLibraryStyle(const MessageBoxWatcher::Box& box) {
    EXPECT_EQ("Setup", box.caption);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_FALSE(box.hasIcon);
}

std::string ProgramFiles() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path);
    return svctest::WithBackslash(path);
}

class InstallPath {
public:
    InstallPath() : m_get(ZEMBRA_BIND(m_lib, ZEMBRA_GetInstallPath)) {}

    struct Outcome {
        bool result = false;
        std::string target, list;
        bool mayChange = false;
        std::vector<MessageBoxWatcher::Box> boxes;
        std::vector<std::string> messages;
        bool stuck = false;
    };

    bool Bound() const { return m_get != nullptr; }

    Outcome Run(const std::string& iniPath, const char* product) {
        Outcome outcome;
        CString target(kUnchangedTarget), list(kUnchangedList);
        bool mayChange = false;  // most rows expect true, so a missing write shows
        {
            MessageBoxWatcher boxes;
            outcome.result = m_get(&target, &list, iniPath.c_str(), product, &mayChange);
            outcome.boxes = boxes.Boxes();
            outcome.messages = boxes.Texts();
            outcome.stuck = boxes.Stuck();
        }
        outcome.target = target.c_str();
        outcome.list = list.c_str();
        outcome.mayChange = mayChange;
        return outcome;
    }

private:
    ZembraLibrary m_lib;
    PFN_ZEMBRA_GetInstallPath m_get;
};

class InstallPathTest : public ::testing::TestWithParam<InstallPathCase> {
protected:
    void SetUp() override { SetEnvironmentVariableA(kEnvName, kEnvValue); }
    void TearDown() override { SetEnvironmentVariableA(kEnvName, nullptr); }

    std::string Expand(const char* text) const {
        return Fill(text, {{"TEMP", svctest::SystemTempFolder()},
                           {"PF", ProgramFiles()},
                           {"UNCHANGED_TARGET", kUnchangedTarget},
                           {"UNCHANGED_LIST", kUnchangedList},
                           {"KEY", m_keys.Path()}});
    }

    testing_support::TempFolder m_folder;
    svctest::ScratchKeys m_keys;
};

TEST_P(InstallPathTest, GivesTheFoldersThePlacementKeysAskFor) {
    const InstallPathCase& row = GetParam();
    for (const RegSetup& value : row.registry) {
        ASSERT_TRUE(svctest::SetValue(value.root, m_keys.Path(), value.valueName, value.type, value.data));
    }
    std::string iniPath = m_folder.Path() + "Zembra.ini";
    if (row.ini) m_folder.Write("Zembra.ini", "[Doc]\r\n" + Expand(row.ini));

    InstallPath call;
    ASSERT_TRUE(call.Bound());
    InstallPath::Outcome outcome = call.Run(iniPath, row.product);

    EXPECT_FALSE(outcome.stuck);
    EXPECT_EQ(row.result, outcome.result);
    EXPECT_EQ(Expand(row.target), outcome.target);
    EXPECT_EQ(Expand(row.list), outcome.list);
    EXPECT_EQ(row.mayChange, outcome.mayChange);
    EXPECT_EQ(row.messages, outcome.messages);
    for (const MessageBoxWatcher::Box& box : outcome.boxes) ExpectLibraryStyle(box);
}

const RegSetup kFolder = {HKEY_CURRENT_USER, "Folder", REG_SZ, "C:\\Zembra Product\0"s};

const InstallPathCase kCases[] = {
    {"AllKeysMissing", nullptr, {}, "Demo", true, "{TEMP}", "{TEMP}", {}, true},
    {"EmptySection", "", {}, "Demo", true, "{TEMP}", "{TEMP}", {}, true},
    {"PathChangeZeroForbidsChanging", "PathChange=0\r\n", {}, "Demo", true, "{TEMP}", "{TEMP}", {}, false},
    {"PathChangeOtherAllowsChanging", "PathChange=7\r\n", {}, "Demo", true, "{TEMP}", "{TEMP}", {}, true},

    // Registry: the found folder is the list folder; the target may add the subfolder.
    {"RegistryFolderGetsBackslash", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n", {kFolder},
     "Demo", true, "C:\\Zembra Product\\", "C:\\Zembra Product\\", {}, true},
    {"RegistryFolderWithSubDir",
     "TargetPath=1\r\nTargetPathSubDir=1\r\nTargetSubDir=Bin\\Tools\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n",
     {kFolder}, "Demo", true, "C:\\Zembra Product\\Bin\\Tools\\", "C:\\Zembra Product\\", {}, true},
    {"RegistrySubDirNeedsItsFlag",
     "TargetPath=1\r\nTargetSubDir=Bin\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n", {kFolder}, "Demo", true,
     "C:\\Zembra Product\\", "C:\\Zembra Product\\", {}, true},
    {"RegistryFolderWithBackslashNotDoubled", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n",
     {{HKEY_CURRENT_USER, "Folder", REG_SZ, "D:\\Apps\\\0"s}}, "Demo", true, "D:\\Apps\\", "D:\\Apps\\", {}, true},
    {"ExpandSzIsExpanded", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n",
     {{HKEY_CURRENT_USER, "Folder", REG_EXPAND_SZ, "%ZEMBRA_SVC_DIR%\\Expanded\0"s}}, "Demo", true,
     "C:\\From Env\\Expanded\\", "C:\\From Env\\Expanded\\", {}, true},
    {"PlainSzIsNotExpanded", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n",
     {{HKEY_CURRENT_USER, "Folder", REG_SZ, "%ZEMBRA_SVC_DIR%\0"s}}, "Demo", true, "%ZEMBRA_SVC_DIR%\\",
     "%ZEMBRA_SVC_DIR%\\", {}, true},
    {"DefaultValueByTrailingBackslash", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\\r\n",
     {{HKEY_CURRENT_USER, "", REG_SZ, "E:\\Default\0"s}, kFolder}, "Demo", true, "E:\\Default\\", "E:\\Default\\",
     {}, true},

    // Roots by name in any case, or as digits.
    {"RootInLowerCase", "TargetPath=1\r\nRegEntry=hkey_current_user\\{KEY}\\Folder\r\n", {kFolder}, "Demo", true,
     "C:\\Zembra Product\\", "C:\\Zembra Product\\", {}, true},
    {"RootAsDigit2", "TargetPath=1\r\nRegEntry=2\\{KEY}\\Folder\r\n", {kFolder}, "Demo", true,
     "C:\\Zembra Product\\", "C:\\Zembra Product\\", {}, true},
    {"RootAsDigit3IsLocalMachine", "TargetPath=1\r\nRegEntry=3\\{KEY}\\Folder\r\n",
     {{HKEY_LOCAL_MACHINE, "Folder", REG_SZ, "F:\\Machine\0"s}, kFolder}, "Demo", true, "F:\\Machine\\",
     "F:\\Machine\\", {}, true},
    {"RootNameLocalMachine", "TargetPath=1\r\nRegEntry=HKEY_LOCAL_MACHINE\\{KEY}\\Folder\r\n",
     {{HKEY_LOCAL_MACHINE, "Folder", REG_SZ, "F:\\Machine\0"s}}, "Demo", true, "F:\\Machine\\", "F:\\Machine\\",
     {}, true},

    // Not found: the temporary folder, unless the configuration requires the registry.
    {"MissingValueFallsBackToTemp", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Nothing\r\n", {kFolder},
     "Demo", true, "{TEMP}", "{UNCHANGED_LIST}", {}, true},
    {"MissingValueFallsBackToTempWithSubDir",
     "TargetPath=1\r\nTargetPathSubDir=1\r\nTargetSubDir=Sub\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Nothing\r\n",
     {}, "Demo", true, "{TEMP}Sub\\", "{UNCHANGED_LIST}", {}, true},
    {"MissingKeyFallsBackToTemp", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\NoKey\\Folder\r\n", {},
     "Demo", true, "{TEMP}", "{UNCHANGED_LIST}", {}, true},
    {"EmptyValueCountsAsMissing", "TargetPath=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Folder\r\n",
     {{HKEY_CURRENT_USER, "Folder", REG_SZ, "\0"s}}, "Demo", true, "{TEMP}", "{UNCHANGED_LIST}", {}, true},
    {"MissingValueStopsWhenRequired",
     "TargetPath=1\r\nTargetPathRegistry=1\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Nothing\r\n", {}, "Demo", false,
     "{UNCHANGED_TARGET}", "{UNCHANGED_LIST}", {kRegistryStops}, true},
    {"EmptyRegEntryStopsWithOneMessage", "TargetPath=1\r\nTargetPathRegistry=1\r\n", {}, "Demo", false,
     "{UNCHANGED_TARGET}", "{UNCHANGED_LIST}", {kRegistryStops}, true},
    {"BadRootStopsWithBothMessages",
     "TargetPath=1\r\nTargetPathRegistry=1\r\nRegEntry=HKEY_CURRENT_USR\\{KEY}\\Folder\r\n", {kFolder}, "Demo",
     false, "{UNCHANGED_TARGET}", "{UNCHANGED_LIST}", {kBadRoot, kRegistryStops}, true},
    {"BadRootWithoutStopFallsBack", "TargetPath=1\r\nRegEntry=HKLM\\{KEY}\\Folder\r\n", {kFolder}, "Demo", true,
     "{TEMP}", "{UNCHANGED_LIST}", {kBadRoot}, true},
    {"PathWithoutBackslashHasNoRoot", "TargetPath=1\r\nRegEntry=Folder\r\n", {kFolder}, "Demo", true, "{TEMP}",
     "{UNCHANGED_LIST}", {kBadRoot}, true},
    {"RegistryRequiredOtherValueFallsBack",
     "TargetPath=1\r\nTargetPathRegistry=2\r\nRegEntry=HKEY_CURRENT_USER\\{KEY}\\Nothing\r\n", {}, "Demo", true,
     "{TEMP}", "{UNCHANGED_LIST}", {}, true},

    // Program Files.
    {"ProgramFilesPlusSubDir", "TargetPath=2\r\nTargetSubDir=Zembra\\App\r\n", {}, "Demo", true,
     "{PF}Zembra\\App\\", "{PF}Zembra\\App\\", {}, true},
    {"ProgramFilesItself", "TargetPath=2\r\nTargetPathUser=0\r\n", {}, "Demo", true, "{PF}", "{PF}", {}, true},
    {"ProgramFilesExplicitIgnoredForUser0", "TargetPath=2\r\nTargetPathEx=D:\\Explicit\r\nTargetSubDir=App\r\n", {},
     "Demo", true, "{PF}App\\", "{PF}App\\", {}, true},
    {"ProgramFilesPlusProductName", "TargetPath=2\r\nTargetPathUser=1\r\nTargetSubDir=Ignored\r\n", {},
     "Zembra Demo", true, "{PF}Zembra Demo\\", "{PF}Zembra Demo\\", {}, true},
    {"ProductNameBackslashNotDoubled", "TargetPath=2\r\nTargetPathUser=1\r\n", {}, "Zembra Demo\\", true,
     "{PF}Zembra Demo\\", "{PF}Zembra Demo\\", {}, true},
    {"ExplicitFolder", "TargetPath=2\r\nTargetPathUser=2\r\nTargetPathEx=D:\\Explicit\r\nTargetSubDir=Sub\r\n", {},
     "Demo", true, "D:\\Explicit\\", "D:\\Explicit\\", {}, true},
    {"ExplicitFolderWithSubDir",
     "TargetPath=2\r\nTargetPathUser=2\r\nTargetPathEx=D:\\Explicit\\\r\nTargetPathSubDir=1\r\nTargetSubDir=Sub\r\n",
     {}, "Demo", true, "D:\\Explicit\\Sub\\", "D:\\Explicit\\Sub\\", {}, true},
    {"EmptyExplicitGivesRelativeSubDir",
     "TargetPath=2\r\nTargetPathUser=2\r\nTargetPathSubDir=1\r\nTargetSubDir=Rel\\Dir\r\n", {}, "Demo", true,
     "Rel\\Dir\\", "Rel\\Dir\\", {}, true},
    {"ProgramFilesUser3ChangesNothing", "TargetPath=2\r\nTargetPathUser=3\r\nTargetSubDir=Sub\r\n", {}, "Demo",
     true, "{UNCHANGED_TARGET}", "{UNCHANGED_LIST}", {}, true},

    // The temporary folder.
    {"TempWithSubDir", "TargetPathTemp=0\r\nTargetPathSubDir=1\r\nTargetSubDir=Sub\\Two\r\n", {}, "Demo", true,
     "{TEMP}Sub\\Two\\", "{TEMP}", {}, true},
    {"TempSubDirNeedsItsFlag", "TargetSubDir=Sub\r\n", {}, "Demo", true, "{TEMP}", "{TEMP}", {}, true},
    {"TempPlusProductName", "TargetPathTemp=1\r\nTargetPathSubDir=1\r\nTargetSubDir=Sub\r\n", {}, "Zembra Demo",
     true, "{TEMP}Zembra Demo\\", "{TEMP}", {}, true},
    {"TempOtherLeavesTargetAlone", "TargetPathTemp=2\r\n", {}, "Demo", true, "{UNCHANGED_TARGET}", "{TEMP}", {},
     true},
    {"TargetPath5BehavesAs0", "TargetPath=5\r\nTargetPathTemp=1\r\n", {}, "Zembra Demo", true,
     "{TEMP}Zembra Demo\\", "{TEMP}", {}, true},
    {"RegistryKeysIgnoredForTemp", "TargetPath=0\r\nTargetPathRegistry=1\r\nRegEntry=Bad\\Root\\X\r\n", {}, "Demo",
     true, "{TEMP}", "{TEMP}", {}, true},
};

INSTANTIATE_TEST_SUITE_P(Rows, InstallPathTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<InstallPathCase>& info) { return info.param.name; });

// Values that do not fit the 519-byte buffer, or carry no terminator, are cut; never read past.
struct OversizedCase {
    const char* name;
    DWORD type;
    std::string data;
    std::string envValue;  // for ZEMBRA_SVC_DIR
    std::string folder;    // the expected folder, before the backslash is added
};

void PrintTo(const OversizedCase& row, std::ostream* os) { *os << row.name; }

class OversizedValueTest : public ::testing::TestWithParam<OversizedCase> {
protected:
    void TearDown() override { SetEnvironmentVariableA(kEnvName, nullptr); }
    testing_support::TempFolder m_folder;
    svctest::ScratchKeys m_keys;
};

TEST_P(OversizedValueTest, IsCutNeverOverrun) {
    const OversizedCase& row = GetParam();
    ASSERT_TRUE(svctest::SetValue(HKEY_CURRENT_USER, m_keys.Path(), "Folder", row.type, row.data));
    SetEnvironmentVariableA(kEnvName, row.envValue.empty() ? nullptr : row.envValue.c_str());
    m_folder.Write("Zembra.ini",
                   "[Doc]\r\nTargetPath=1\r\nTargetPathRegistry=1\r\nRegEntry=HKEY_CURRENT_USER\\" + m_keys.Path() +
                       "\\Folder\r\n");

    InstallPath call;
    ASSERT_TRUE(call.Bound());
    InstallPath::Outcome outcome = call.Run(m_folder.Path() + "Zembra.ini", "Demo");

    EXPECT_TRUE(outcome.result);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(row.folder + "\\", outcome.list);
    EXPECT_EQ(row.folder + "\\", outcome.target);
}

const std::string kLong = "C:\\" + std::string(700, 'L');

const OversizedCase kOversized[] = {
    {"StringLongerThanBuffer", REG_SZ, kLong + '\0', "", kLong.substr(0, 518)},
    {"StringFillingBufferExactly", REG_SZ, kLong.substr(0, 518) + '\0', "", kLong.substr(0, 518)},
    {"BinaryWithoutTerminator", REG_BINARY, "C:\\No Terminator", "", "C:\\No Terminator"},
    {"BinaryOfBufferSizeWithoutTerminator", REG_BINARY, kLong.substr(0, 519), "", kLong.substr(0, 518)},
    {"BinaryLongerThanBuffer", REG_BINARY, kLong, "", kLong.substr(0, 518)},
    {"ZeroInsideEndsText", REG_BINARY, "C:\\Before\0After"s, "", "C:\\Before"},
    {"DwordTakenAsText", REG_DWORD, "C:\\\0"s, "", "C:"},
    {"ExpandedLongerThan512", REG_EXPAND_SZ, "%ZEMBRA_SVC_DIR%\\tail\0"s, kLong, kLong.substr(0, 511)},
    {"ExpandedExactly511", REG_EXPAND_SZ, "%ZEMBRA_SVC_DIR%\0"s, kLong.substr(0, 511), kLong.substr(0, 511)},
    {"ExpandSzWithoutTerminator", REG_EXPAND_SZ, "%ZEMBRA_SVC_DIR%\\x"s, "C:\\Env", "C:\\Env\\x"},
};

INSTANTIATE_TEST_SUITE_P(Rows, OversizedValueTest, ::testing::ValuesIn(kOversized),
                         [](const ::testing::TestParamInfo<OversizedCase>& info) { return info.param.name; });

}  // namespace
