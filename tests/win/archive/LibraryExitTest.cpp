// Emptying the temporary folder at the end of a run, against Wine's real file system. The system
// temporary folder is steered through the TMP variable, which GetTempPathA reads.
#include "archive/LibraryExit.h"
#include "archive/LibraryState.h"
#include "tests/win/support/MessageBoxWatcher.h"
#include "tests/win/support/UnixCommand.h"
#include "tests/win/support/ZembraLibrary.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::string& path, const std::string& text, DWORD attributes = 0) {
    std::ofstream(path, std::ios::binary) << text;
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using unix_command::UnixPath;

bool MakeUnixLink(const std::string& target, const std::string& link) {
    return unix_command::Run("/bin/ln -s " + UnixPath(target) + " " + UnixPath(link), [&] { return Exists(link); });
}

// Windows calls cannot remove a Linux link under Wine (they reach its target), so the tree goes with rm.
void RemoveTree(const std::string& folder) {
    if (Exists(folder)) unix_command::Run("/bin/rm -rf " + UnixPath(folder), [&] { return !Exists(folder); });
}

// root\temp\ stands for the system temporary folder; root\temp\x1\ is what initialisation filled;
// root\outside\ must survive everything.
class LibraryExitTest : public ::testing::Test {
protected:
    void SetUp() override {
        SaveVariable("TMP", &savedTmp);
        SaveVariable("TEMP", &savedTemp);
        root = "Z:\\tmp\\zembra-exit-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        temp = root + "temp\\";
        x1 = temp + "x1\\";
        outside = root + "outside\\";
        Prepare();
    }

    void TearDown() override {
        SetEnvironmentVariableA("TMP", savedTmp.empty() ? nullptr : savedTmp.c_str());
        SetEnvironmentVariableA("TEMP", savedTemp.empty() ? nullptr : savedTemp.c_str());
        zembra::State() = zembra::LibraryState{};
        RemoveTree(root);
    }

    // A fresh tree, the system temporary folder pointed at root\temp\ and an empty library state.
    void Prepare() {
        RemoveTree(root);
        for (const std::string& folder : {root, temp, x1, x1 + "sub\\", x1 + "sub\\deep\\", x1 + "empty\\", outside,
                                          outside + "deep\\"})
            CreateDirectoryA(folder.c_str(), nullptr);
        WriteFile(temp + "keep.txt", "temp");
        WriteFile(x1 + "Zembra.exe", "exe");
        WriteFile(x1 + "readonly.ini", "ro", FILE_ATTRIBUTE_READONLY);
        WriteFile(x1 + "hidden.bmp", "hs", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        WriteFile(x1 + "sub\\deep\\t1.rtf", "deep", FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA((x1 + "sub").c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFile(outside + "keep.txt", "outside");
        WriteFile(outside + "deep\\keep.txt", "outside deep");
        SetSystemTemp(temp);
        zembra::State() = zembra::LibraryState{};
    }

    static void SaveVariable(const char* name, std::string* value) {
        char buffer[MAX_PATH * 2] = "";
        GetEnvironmentVariableA(name, buffer, sizeof buffer);
        *value = buffer;
    }

    static void SetSystemTemp(const std::string& folder) {
        SetEnvironmentVariableA("TMP", folder.c_str());
        SetEnvironmentVariableA("TEMP", folder.c_str());
    }

    bool OutsideIntact() const {
        return ReadFile(outside + "keep.txt") == "outside" && ReadFile(outside + "deep\\keep.txt") == "outside deep";
    }
    bool X1Untouched() const { return Exists(x1 + "Zembra.exe") && Exists(x1 + "sub\\deep\\t1.rtf"); }

    std::string root, temp, x1, outside;
    std::string savedTmp, savedTemp;
};

}  // namespace

TEST_F(LibraryExitTest, GuardsDecideWhatIsDeleted) {
    struct Row {
        const char* name;
        std::function<std::string()> stored;
        int result;
        bool x1Cleared;
    };
    Row rows[] = {
        {"the system temporary folder itself", [&] { return temp; }, zembra::kExitTempFolderItself, false},
        {"back to the temporary folder through ..\\", [&] { return x1 + "..\\"; }, zembra::kExitTempFolderItself, false},
        {"a folder outside", [&] { return outside; }, zembra::kExitOutsideTemp, false},
        {"out of the temporary folder through ..\\", [&] { return x1 + "..\\..\\outside\\"; }, zembra::kExitOutsideTemp,
         false},
        {"a sibling whose name starts like the temporary folder", [&] { return root + "temp-other\\"; },
         zembra::kExitOutsideTemp, false},
        {"nothing stored (no initialisation)", [] { return std::string(); }, zembra::kExitOutsideTemp, false},
        {"the temporary folder in other letter case", [&] { return root + "TEMP\\x1\\"; }, zembra::kExitOutsideTemp,
         false},
        {"a folder that does not exist", [&] { return temp + "missing\\"; }, zembra::kExitCleared, false},
        {"a folder inside", [&] { return x1; }, zembra::kExitCleared, true},
        {"a folder inside, spelt with .\\", [&] { return temp + ".\\x1\\.\\"; }, zembra::kExitCleared, true},
    };
    for (const Row& r : rows) {
        Prepare();
        zembra::State().tempFolder = r.stored().c_str();
        EXPECT_EQ(r.result, zembra::ExitLibrary()) << r.name;
        EXPECT_TRUE(OutsideIntact()) << r.name;
        EXPECT_EQ("temp", ReadFile(temp + "keep.txt")) << r.name;
        if (r.x1Cleared) {
            EXPECT_TRUE(Exists(x1)) << r.name << ": the folder itself stays";
            for (const char* gone : {"Zembra.exe", "readonly.ini", "hidden.bmp", "sub", "empty"})
                EXPECT_FALSE(Exists(x1 + gone)) << r.name << ": " << gone;
        } else {
            EXPECT_TRUE(X1Untouched()) << r.name;
        }
    }
}

TEST_F(LibraryExitTest, FreesTheLoadedDirectory) {
    const std::string package = root + "p.pkg";
    WriteFile(package, std::string(17, '\0') + ">NYZEMBRA_SETUP<");
    ASSERT_TRUE(zembra::EnsurePackageDirectory(package.c_str()));
    zembra::State().tempFolder = outside.c_str();
    zembra::ExitLibrary();
    EXPECT_FALSE(zembra::State().directory.IsLoaded());
}

TEST_F(LibraryExitTest, LinksInsideAreNeverFollowed) {
    ASSERT_TRUE(MakeUnixLink(outside, x1 + "dirlink")) << "cannot make a symbolic link here";
    ASSERT_TRUE(MakeUnixLink(outside + "keep.txt", x1 + "filelink"));
    ASSERT_TRUE(MakeUnixLink(outside + "deep", x1 + "sub\\deeplink"));
    zembra::State().tempFolder = x1.c_str();
    EXPECT_EQ(zembra::kExitCleared, zembra::ExitLibrary());
    EXPECT_TRUE(OutsideIntact());
    EXPECT_TRUE(Exists(outside + "deep"));
    EXPECT_FALSE(Exists(x1 + "Zembra.exe"));
    EXPECT_FALSE(Exists(x1 + "sub\\deep"));
    EXPECT_FALSE(Exists(x1 + "readonly.ini"));
}

// Somebody swaps an entry for a link while the folder is cleared: after it was listed, before it is
// looked at. The link's target must survive; the rest goes.
TEST_F(LibraryExitTest, ALinkSwappedInWhileClearingIsNotFollowed) {
    struct Row {
        const char* name;
        const char* at;        // the entry whose turn it is
        const char* swapped;   // what becomes a link to outside (its deep folder for a folder)
        const char* target;
    } rows[] = {
        {"a folder before it is entered", "sub", "sub", "deep"},
        {"a file before it is deleted", "Zembra.exe", "Zembra.exe", "keep.txt"},
        {"the folder above while its entries are cleared", "sub\\deep", "sub", "deep"},
    };
    for (const Row& r : rows) {
        Prepare();
        bool swapped = false;
        zembra::ClearFolder(x1.c_str(), [&](const char* path) {
            if (swapped || std::string(path) != x1 + r.at) return;
            RemoveTree(x1 + r.swapped);
            swapped = MakeUnixLink(outside + r.target, x1 + r.swapped);
        });
        EXPECT_TRUE(swapped) << r.name;
        EXPECT_TRUE(OutsideIntact()) << r.name;
        EXPECT_TRUE(Exists(outside + "deep")) << r.name;
        EXPECT_FALSE(Exists(x1 + "readonly.ini")) << r.name;
        EXPECT_FALSE(Exists(x1 + "empty")) << r.name;
    }
}

TEST_F(LibraryExitTest, AStoredFolderThatIsALinkOutsideIsRefused) {
    ASSERT_TRUE(MakeUnixLink(outside, temp + "link")) << "cannot make a symbolic link here";
    zembra::State().tempFolder = (temp + "link\\").c_str();
    EXPECT_EQ(zembra::kExitOutsideTemp, zembra::ExitLibrary());
    EXPECT_TRUE(OutsideIntact());
    ASSERT_TRUE(MakeUnixLink(outside, x1 + "sub\\deep\\inner"));
    zembra::State().tempFolder = (x1 + "sub\\deep\\inner\\").c_str();
    EXPECT_EQ(zembra::kExitOutsideTemp, zembra::ExitLibrary());
    EXPECT_TRUE(OutsideIntact());
}

// The drive's root as the system temporary folder: the 5-character rule decides.
TEST_F(LibraryExitTest, ShortFoldersUnderADriveRoot) {
    const std::string drive = "C:\\";
    SetSystemTemp(drive);
    CreateDirectoryA("C:\\x", nullptr);
    WriteFile("C:\\x\\f.txt", "x");

    zembra::State().tempFolder = "C:\\";
    EXPECT_EQ(zembra::kExitTempFolderItself, zembra::ExitLibrary());
    EXPECT_TRUE(Exists("C:\\x\\f.txt"));
    {
        MessageBoxWatcher boxes;
        zembra::State().tempFolder = "C:\\x";
        EXPECT_EQ(IDOK, zembra::ExitLibrary());
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("TEMP-ERROR!", boxes.Boxes()[0].caption);
        EXPECT_EQ("C:\\x", boxes.Boxes()[0].text);
        EXPECT_EQ(std::vector<int>{IDOK}, boxes.Boxes()[0].buttons);
        EXPECT_TRUE(Exists("C:\\x\\f.txt"));
    }
    zembra::State().tempFolder = "C:\\x\\";
    EXPECT_EQ(zembra::kExitCleared, zembra::ExitLibrary());
    EXPECT_FALSE(Exists("C:\\x\\f.txt"));
    EXPECT_TRUE(Exists("C:\\x"));
    RemoveDirectoryA("C:\\x");
}

TEST(LibraryExitExport, WithoutInitialisationDeletesNothing) {
    ZembraLibrary lib;
    ASSERT_TRUE(lib.Loaded());
    auto exitLibrary = ZEMBRA_BIND(lib, ZEMBRA_Exit);
    ASSERT_NE(nullptr, exitLibrary);
    EXPECT_EQ(zembra::kExitOutsideTemp, exitLibrary());
}
