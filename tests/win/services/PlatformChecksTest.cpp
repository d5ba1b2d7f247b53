// File versions, group membership and the system family, through the real DLL.
#include "services/GroupMembership.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/services/ServicesTestSupport.h"
#include "tests/win/support/ZembraLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

DWORD Pack(WORD high, WORD low) { return (static_cast<DWORD>(high) << 16) | low; }

// The version DLLs are built next to the test program from resource scripts: zv_1_2_3_4.dll carries
// 1.2.3.4, zv_none.dll resources but no version.
struct VersionCase {
    const char* name;
    const char* file;  // in the test program's folder; "{SCRATCH}" for a plain file written by the test
    DWORD high, low;   // the packaged file's version
    int expected;      // 0 keep the file on disk, 1 install
};

void PrintTo(const VersionCase& row, std::ostream* os) { *os << row.name; }

const VersionCase kVersionCases[] = {
    {"SameVersionKeeps", "zv_1_2_3_4.dll", Pack(1, 2), Pack(3, 4), 0},
    {"NewerBuildOnDiskKeeps", "zv_1_2_5_0.dll", Pack(1, 2), Pack(3, 4), 0},
    {"NewerMinorOnDiskKeeps", "zv_1_2_3_4.dll", Pack(1, 1), Pack(9, 9), 0},
    {"OlderMinorOnDiskInstalls", "zv_1_1_9_9.dll", Pack(1, 2), Pack(3, 4), 1},
    {"OlderRevisionOnDiskInstalls", "zv_1_2_3_4.dll", Pack(1, 2), Pack(3, 5), 1},
    {"OlderMajorOnDiskInstalls", "zv_1_2_3_4.dll", Pack(2, 0), Pack(0, 0), 1},
    {"NoVersionResourceInstalls", "zv_none.dll", Pack(1, 0), Pack(0, 0), 1},
    {"PlainFileInstalls", "{SCRATCH}plain.txt", Pack(1, 0), Pack(0, 0), 1},
    {"ZeroMajorMinorCountsAsNoVersion", "zv_0_0_7_1.dll", Pack(0, 0), Pack(1, 0), 1},
    {"ZeroMajorMinorEvenAgainstZero", "zv_0_0_7_1.dll", Pack(0, 0), Pack(0, 0), 1},
    {"Major32768SortsBelowSmallerMajors", "zv_32768_0_0_0.dll", Pack(1, 2), Pack(3, 4), 1},
    {"Major32768EqualKeeps", "zv_32768_0_0_0.dll", Pack(32768, 0), Pack(0, 0), 0},
    {"MissingFileInstalls", "zv_missing.dll", Pack(1, 0), Pack(0, 0), 1},
    {"FolderInstalls", "{SCRATCH}", Pack(1, 0), Pack(0, 0), 1},
};

class CheckVersionTest : public ::testing::TestWithParam<VersionCase> {
protected:
    testing_support::TempFolder m_folder;
};

TEST_P(CheckVersionTest, ComparesTheFileOnDiskWithThePackagedVersion) {
    const VersionCase& row = GetParam();
    m_folder.Write("plain.txt", "no resources here");
    std::string path = row.file;
    if (path.rfind("{SCRATCH}", 0) == 0) path = svctest::Fill(path, {{"SCRATCH", m_folder.Path()}});
    else path = svctest::ExeFolder() + path;
    if (path.find("missing") == std::string::npos) {
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path;
    }

    ZembraLibrary lib;
    auto checkVersion = ZEMBRA_BIND(lib, ZEMBRA_CheckVersion);
    ASSERT_NE(nullptr, checkVersion);
    EXPECT_EQ(row.expected, checkVersion(CString(path.c_str()), row.high, row.low));
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckVersionTest, ::testing::ValuesIn(kVersionCases),
                         [](const ::testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

// The fixture DLLs must carry what their names say, or the rows above prove nothing.
TEST(CheckVersionFixtures, CarryTheVersionsTheirNamesSay) {
    struct Fixture {
        const char* file;
        DWORD high, low;
    } fixtures[] = {{"zv_1_2_3_4.dll", Pack(1, 2), Pack(3, 4)},
                    {"zv_1_2_5_0.dll", Pack(1, 2), Pack(5, 0)},
                    {"zv_1_1_9_9.dll", Pack(1, 1), Pack(9, 9)},
                    {"zv_0_0_7_1.dll", Pack(0, 0), Pack(7, 1)},
                    {"zv_32768_0_0_0.dll", Pack(32768, 0), Pack(0, 0)}};
    for (const Fixture& fixture : fixtures) {
        SCOPED_TRACE(fixture.file);
        std::string path = svctest::ExeFolder() + fixture.file;
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_NE(0u, size);
        std::vector<BYTE> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length));
        EXPECT_EQ(fixture.high, info->dwFileVersionMS);
        EXPECT_EQ(fixture.low, info->dwFileVersionLS);
    }
    std::string none = svctest::ExeFolder() + "zv_none.dll";
    DWORD handle = 0;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(none.c_str()));
    EXPECT_EQ(0u, GetFileVersionInfoSizeA(none.c_str(), &handle));
}

PSID BuiltinSid(DWORD rid) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0, 0, 0, &sid);
    return sid;
}

TEST(GroupMembership, AgreesWithTheProcessToken) {
    ZembraLibrary lib;
    auto isMember = ZEMBRA_BIND(lib, ZEMBRA_IsUserMemberOfGroup);
    ASSERT_NE(nullptr, isMember);

    struct Row {
        const char* name;
        int group;
        DWORD rid;
    } rows[] = {{"AdministratorsAs0", 0, DOMAIN_ALIAS_RID_ADMINS},
                {"PowerUsersAs1", 1, DOMAIN_ALIAS_RID_POWER_USERS},
                {"UsersAs2", 2, DOMAIN_ALIAS_RID_USERS},
                {"AdministratorsAs7", 7, DOMAIN_ALIAS_RID_ADMINS},
                {"AdministratorsAsMinus1", -1, DOMAIN_ALIAS_RID_ADMINS}};
    bool sawMember = false, sawNonMember = false;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PSID sid = BuiltinSid(row.rid);
        ASSERT_NE(nullptr, sid);
        BOOL held = FALSE;
        ASSERT_TRUE(CheckTokenMembership(nullptr, sid, &held));
        FreeSid(sid);
        EXPECT_EQ(held ? 1 : 0, isMember(row.group));
        (held ? sawMember : sawNonMember) = true;
    }
    // Both answers must occur, or the agreement above could hold by accident.
    EXPECT_TRUE(sawMember);
    EXPECT_TRUE(sawNonMember);
}

TEST(GroupMembership, DenyOnlyGroupsGrantNoMembership) {
    PSID admins = BuiltinSid(DOMAIN_ALIAS_RID_ADMINS);
    PSID users = BuiltinSid(DOMAIN_ALIAS_RID_USERS);
    PSID power = BuiltinSid(DOMAIN_ALIAS_RID_POWER_USERS);
    ASSERT_TRUE(admins && users && power);

    struct Row {
        const char* name;
        std::vector<SID_AND_ATTRIBUTES> groups;
        PSID wanted;
        bool expected;
    } rows[] = {
        {"EnabledGroupCounts", {{users, SE_GROUP_ENABLED}, {admins, SE_GROUP_ENABLED}}, admins, true},
        {"MandatoryGroupCounts", {{admins, SE_GROUP_MANDATORY | SE_GROUP_ENABLED}}, admins, true},
        {"DenyOnlyGroupDoesNotCount", {{users, SE_GROUP_ENABLED}, {admins, SE_GROUP_USE_FOR_DENY_ONLY}}, admins,
         false},
        {"OtherGroupsDoNotCount", {{users, SE_GROUP_ENABLED}, {admins, SE_GROUP_ENABLED}}, power, false},
        {"NoGroups", {}, admins, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<BYTE> buffer(sizeof(TOKEN_GROUPS) + sizeof(SID_AND_ATTRIBUTES) * (row.groups.size() + 1));
        auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
        groups->GroupCount = static_cast<DWORD>(row.groups.size());
        for (size_t i = 0; i < row.groups.size(); ++i) groups->Groups[i] = row.groups[i];
        EXPECT_EQ(row.expected, zembra::TokenGroupsContain(*groups, row.wanted));
    }
    FreeSid(admins);
    FreeSid(users);
    FreeSid(power);
}

TEST(OsFamily, WineIsAnNtSystem) {
    ZembraLibrary lib;
    auto isThisNT = ZEMBRA_BIND(lib, ZEMBRA_IsThisNT);
    ASSERT_NE(nullptr, isThisNT);
    EXPECT_TRUE(isThisNT());
}

}  // namespace
