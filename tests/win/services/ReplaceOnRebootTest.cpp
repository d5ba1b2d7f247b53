// ZEMBRA_ReplaceFileOnReboot through the real DLL: the pending rename lands in Wine's registry.
#include "services/SideFile.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/services/ServicesTestSupport.h"
#include "tests/win/support/ZembraLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

std::vector<std::string> SplitMulti(const std::string& data) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\0', start);
        if (end == std::string::npos) end = data.size();
        items.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

// Index of the pair (source, destination) in the pending list, or -1.
int FindPair(const std::vector<std::string>& items, const std::string& source, const std::string& destination) {
    for (size_t i = 0; i + 1 < items.size(); i += 2) {
        if (items[i] == source && items[i + 1] == destination) return static_cast<int>(i);
    }
    return -1;
}

class ReplaceOnRebootTest : public ::testing::Test {
protected:
    // The pending list is the system's: it is put back as it was.
    void SetUp() override { m_before = svctest::GetValue(HKEY_LOCAL_MACHINE, kSessionManager, kPending); }
    void TearDown() override {
        if (m_before.exists) {
            svctest::SetValue(HKEY_LOCAL_MACHINE, kSessionManager, kPending, m_before.type, m_before.data);
        } else {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, kPending);
                RegCloseKey(key);
            }
        }
    }

    std::vector<std::string> Pending() const {
        svctest::RegValue value = svctest::GetValue(HKEY_LOCAL_MACHINE, kSessionManager, kPending);
        return value.exists ? SplitMulti(value.data) : std::vector<std::string>();
    }

    svctest::RegValue m_before;
    testing_support::TempFolder m_folder;
};

TEST_F(ReplaceOnRebootTest, RecordsTheSideFileReplacingTheTarget) {
    ZembraLibrary lib;
    auto replace = ZEMBRA_BIND(lib, ZEMBRA_ReplaceFileOnReboot);
    ASSERT_NE(nullptr, replace);

    struct Row {
        const char* name;
        const char* target;
        const char* side;
    } rows[] = {{"ExtensionReplaced", "app.dll", "app.tny"},
                {"NoExtensionAppended", "tool", "tool.tny"},
                {"OnlyLastExtensionReplaced", "data.tar.gz", "data.tar.tny"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string target = m_folder.Write(row.target, "in use");
        std::string side = m_folder.Write(row.side, "new content");
        ASSERT_TRUE(replace(target.c_str()));
        EXPECT_LE(0, FindPair(Pending(), "\\??\\" + side, "!\\??\\" + target)) << "pending rename not recorded";
        // Nothing happens before the restart.
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(side.c_str()));
    }
}

TEST_F(ReplaceOnRebootTest, RefusesAnEmptyPath) {
    ZembraLibrary lib;
    auto replace = ZEMBRA_BIND(lib, ZEMBRA_ReplaceFileOnReboot);
    ASSERT_NE(nullptr, replace);
    std::vector<std::string> before = Pending();
    EXPECT_FALSE(replace(""));
    EXPECT_FALSE(replace(nullptr));
    EXPECT_EQ(before, Pending());
}

TEST(SideFilePath, ReplacesOnlyTheExtensionOfTheFileName) {
    struct Row {
        const char* name;
        std::string target;
        std::string side;
    } rows[] = {
        {"Extension", "C:\\Prog\\app.dll", "C:\\Prog\\app.tny"},
        {"NoExtension", "C:\\Prog\\tool", "C:\\Prog\\tool.tny"},
        {"LastExtensionOnly", "C:\\Prog\\data.tar.gz", "C:\\Prog\\data.tar.tny"},
        {"DotInFolderOnly", "C:\\dir.d\\file", "C:\\dir.d\\file.tny"},
        {"TrailingDot", "C:\\Prog\\app.", "C:\\Prog\\app.tny"},
        {"NameOnly", "app.dll", "app.tny"},
        {"DriveRelative", "C:app.dll", "C:app.tny"},
        {"ForwardSlashes", "C:/Prog/sub/app.dll", "C:/Prog/sub/app.tny"},
        {"Network", "\\\\server\\share\\x.exe", "\\\\server\\share\\x.tny"},
        {"SameSideFileForSiblings", "C:\\Prog\\app.exe", "C:\\Prog\\app.tny"},
        {"FolderLongerThanAnyPathLimit", "C:\\" + std::string(3000, 'f') + "\\" + std::string(400, 'n') + ".dll",
         "C:\\" + std::string(3000, 'f') + "\\" + std::string(400, 'n') + ".tny"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.side, std::string(zembra::SideFilePath(row.target.c_str()).c_str()));
    }
}

}  // namespace
