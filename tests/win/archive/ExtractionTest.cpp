// Entries written to files through the real zembra1.dll under Wine: decoded (ZEMBRA_Expand), copied
// as stored (ZEMBRA_Copy) and the setup files unpacked (ZEMBRA_Init), with real sharing violations,
// a folder in the target's place, and a cancel that arrives through the library's message pumping.
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/MessageBoxWatcher.h"
#include "tests/win/support/SampleData.h"
#include "tests/win/support/UnixCommand.h"
#include "tests/win/support/ZembraLibrary.h"
#include "tools/pack/PackageWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& data) { std::ofstream(path, std::ios::binary) << data; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A temporary file of the library's left in folder.
bool HasTemporary(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "~zem*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

using sample::Noise;
using sample::Text;

std::string PutU32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (8 * i));
    return s;
}

class ExtractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(lib.Loaded());
        root = m_folder.Path();
        expand = ZEMBRA_BIND(lib, ZEMBRA_Expand);
        copy = ZEMBRA_BIND(lib, ZEMBRA_Copy);
        init = ZEMBRA_BIND(lib, ZEMBRA_Init);
        setProgress = ZEMBRA_BIND(lib, ZEMBRA_SetProgress);
        setCancel = ZEMBRA_BIND(lib, ZEMBRA_SetCancel);
        ASSERT_TRUE(expand && copy && init && setProgress && setCancel);
        setProgress(nullptr, 0, 0);
    }

    std::string Package(const std::string& name, zembra::PackageWriter& writer) {
        std::string path = root + name;
        std::string error;
        EXPECT_TRUE(writer.Write(path, &error)) << error;
        return path;
    }

    testing_support::TempFolder m_folder{"zembra-extract"};  // outlives the library, which may hold a package
    ZembraLibrary lib;
    PFN_ZEMBRA_Expand expand = nullptr;
    PFN_ZEMBRA_Copy copy = nullptr;
    PFN_ZEMBRA_Init init = nullptr;
    PFN_ZEMBRA_SetProgress setProgress = nullptr;
    PFN_ZEMBRA_SetCancel setCancel = nullptr;
    std::string root;
};

}  // namespace

TEST_F(ExtractionTest, DecodesEntriesByteExactIntoTheFolderAndIgnoresFoldersInTheFileName) {
    const std::string readme = Text(100000, 1), binary = Noise(70000, 2), empty;
    zembra::PackageWriter writer;
    writer.AddData("R1", readme, zembra::EntryMode::Gzip, 9);
    writer.AddData("B1", binary, zembra::EntryMode::Gzip, 1);
    writer.AddData("E1", empty, zembra::EntryMode::Gzip, 6);
    std::string package = Package("p.pkg", writer);
    std::string folder = root + "out";
    CreateDirectoryA(folder.c_str(), nullptr);

    struct Row {
        const char* name;
        const char* folder;
        const char* key;
        const char* fileName;
        const std::string* content;
        const char* landsAs;
    } rows[] = {
        {"folder without backslash, name with a folder", "out", "R1", "sub\\readme.txt", &readme, "out\\readme.txt"},
        {"folder with backslash, lower-case key", "out\\", "b1", "data.bin", &binary, "out\\data.bin"},
        {"drive and folder in the name dropped", "out", "E1", "C:\\x\\y\\empty.txt", &empty, "out\\empty.txt"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(0, expand(package.c_str(), (root + r.folder).c_str(), r.key, r.fileName, 0)) << r.name;
        EXPECT_TRUE(Exists(root + r.landsAs)) << r.name;
        EXPECT_TRUE(ReadAll(root + r.landsAs) == *r.content) << r.name;
    }
}

TEST_F(ExtractionTest, ResultCodesForMissingKeysPackagesAndFolders) {
    zembra::PackageWriter writer;
    writer.AddData("A1", "hello", zembra::EntryMode::Gzip, 9);
    std::string package = Package("p.pkg", writer);
    WriteAll(root + "keep.txt", "old content");

    // A key that is not there touches nothing.
    EXPECT_EQ(0, expand(package.c_str(), root.c_str(), "NOPE", "keep.txt", 0));
    EXPECT_EQ("old content", ReadAll(root + "keep.txt"));
    // A package that cannot be loaded: 1, nothing touched.
    EXPECT_EQ(1, expand((root + "missing.pkg").c_str(), root.c_str(), "A1", "keep.txt", 0));
    EXPECT_EQ("old content", ReadAll(root + "keep.txt"));
    // A target folder that does not exist: the platform's "path not found".
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, expand(package.c_str(), (root + "no\\such").c_str(), "A1", "x.txt", 0));
    // A target path beyond 259 characters is refused, never cut.
    EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, expand(package.c_str(), root.c_str(), "A1", std::string(300, 'n').c_str(), 0));
}

TEST_F(ExtractionTest, TargetInUseGivesSharingViolationAndKeepsTheOldContent) {
    zembra::PackageWriter writer;
    writer.AddData("A1", Text(5000, 3), zembra::EntryMode::Gzip, 9);
    std::string package = Package("p.pkg", writer);
    std::string target = root + "locked.dll";
    WriteAll(target, "the old library");

    HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(ERROR_SHARING_VIOLATION, expand(package.c_str(), root.c_str(), "A1", "locked.dll", 0));
    CloseHandle(holder);
    EXPECT_EQ("the old library", ReadAll(target));

    // A folder in the target's place cannot be written either: access denied.
    CreateDirectoryA((root + "taken").c_str(), nullptr);
    EXPECT_EQ(ERROR_ACCESS_DENIED, expand(package.c_str(), root.c_str(), "A1", "taken", 0));
}

// An upgrade whose entry cannot be written whole: the installed file stays byte for byte (or stays
// absent), and no temporary file is left beside it.
TEST_F(ExtractionTest, AnEntryThatFailsLeavesTheOldFileAndNoTemporaryFile) {
    const std::string content = Text(200000, 4);
    std::string member, noise;
    ASSERT_TRUE(zembra::GzipMember(content, 9, &member));
    ASSERT_TRUE(zembra::GzipMember(Noise(3u << 20, 6), 1, &noise));
    std::string flipped = member;
    flipped[flipped.size() / 2] ^= 0x20;
    unix_command::SmallDrive small(1024);
    ASSERT_TRUE(small.Ready()) << "a small tmpfs as drive S: (mount needs root)";
    const std::string full = small.Root() + "full\\";
    CreateDirectoryA(full.c_str(), nullptr);

    struct Row {
        const char* name;
        std::string stored;
        std::string folder;
        const char* old;  // null: no earlier file
    } rows[] = {
        {"a flipped data byte", flipped, root, "the old version"},
        {"cut off in the middle", member.substr(0, member.size() / 2), root, "the old version"},
        {"an unknown header", "XX" + member.substr(2), root, "the old version"},
        {"a first installation", member.substr(0, member.size() / 2), root, nullptr},
        // Wine's runtime reports a full disk without a code of its own: any failure but "in use".
        {"a full disk", noise, full, "the old version"},
    };
    int index = 0;
    std::string package;
    for (const Row& r : rows) {
        zembra::PackageWriter writer;
        writer.AddData("D1", r.stored, zembra::EntryMode::Stored);  // stored as it is, decoded by Expand
        package = Package("damaged-" + std::to_string(++index) + ".pkg", writer);
        const std::string target = r.folder + "app.dll";
        DeleteFileA(target.c_str());
        if (r.old) WriteAll(target, r.old);
        const int result = expand(package.c_str(), r.folder.c_str(), "D1", "app.dll", 0);
        EXPECT_NE(0, result) << r.name;
        EXPECT_NE(ERROR_ACCESS_DENIED, result) << r.name;
        EXPECT_NE(ERROR_SHARING_VIOLATION, result) << r.name;
        EXPECT_EQ(r.old != nullptr, Exists(target)) << r.name;
        if (r.old) {
            EXPECT_EQ(r.old, ReadAll(target)) << r.name;
        }
        EXPECT_FALSE(HasTemporary(r.folder)) << r.name;
    }

    // The last entry copied as stored onto the full disk: said so, and the old file stays too.
    MessageBoxWatcher boxes;
    EXPECT_EQ(1, copy(package.c_str(), full.c_str(), "D1", "app.dll", 0));
    EXPECT_EQ(std::vector<std::string>{"Zieldatei läßt sich nicht schreiben!"}, boxes.Texts());
    EXPECT_EQ("the old version", ReadAll(full + "app.dll"));
    EXPECT_FALSE(HasTemporary(full));
    DeleteFileA((full + "app.dll").c_str());
    RemoveDirectoryA(full.c_str());
}

namespace {

// Stands for the setup dialog's Cancel button: its handler runs inside the library's message pumping.
PFN_ZEMBRA_SetCancel g_cancel = nullptr;
int g_cancelMessages = 0;
constexpr UINT kCancelMessage = WM_APP + 7;

LRESULT CALLBACK CancelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCancelMessage) {
        ++g_cancelMessages;
        g_cancel(2);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST_F(ExtractionTest, CancelFromInsideTheProgressPumpingStopsAndKeepsTheOldTarget) {
    const std::string content = Text(3000000, 5);
    zembra::PackageWriter writer;
    writer.AddData("BIG", content, zembra::EntryMode::Gzip, 9);
    std::string package = Package("big.pkg", writer);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = CancelWindowProc;
    wc.lpszClassName = "ZembraCancelTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("ZembraCancelTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    g_cancel = setCancel;
    g_cancelMessages = 0;

    for (const char* old : {"", "the old version"}) {
        if (*old) WriteAll(root + "big.txt", old);
        setProgress(nullptr, 0, static_cast<int>(content.size()));
        PostMessageA(window, kCancelMessage, 0, 0);
        g_cancelMessages = 0;
        EXPECT_EQ(0, expand(package.c_str(), root.c_str(), "BIG", "big.txt", 0)) << old;
        EXPECT_EQ(1, g_cancelMessages) << old;
        EXPECT_EQ(*old != 0, Exists(root + "big.txt")) << old;
        EXPECT_EQ(old, ReadAll(root + "big.txt")) << old;
        EXPECT_FALSE(HasTemporary(root)) << old;
    }

    // The next call starts with the flag cleared: a cancel between two calls has no effect.
    setCancel(2);
    setProgress(nullptr, 0, static_cast<int>(content.size()));
    EXPECT_EQ(0, expand(package.c_str(), root.c_str(), "BIG", "big.txt", 0));
    EXPECT_TRUE(ReadAll(root + "big.txt") == content);
    DestroyWindow(window);
}

TEST_F(ExtractionTest, CopyWritesStoredBytesInBlocksAndPadsAShortReadWithZeros) {
    struct Row {
        const char* name;
        size_t size;
    } rows[] = {{"empty", 0}, {"100 bytes", 100}, {"one block", 6144}, {"a block and one byte", 6145}};
    zembra::PackageWriter writer;
    for (const Row& r : rows) writer.AddData(r.name, Noise(r.size, static_cast<uint32_t>(r.size) + 7), zembra::EntryMode::Stored);
    std::string package = Package("stored.pkg", writer);
    for (const Row& r : rows) {
        WriteAll(root + "copy.bin", std::string(20000, 'x'));  // a longer earlier file is replaced whole
        EXPECT_EQ(0, copy(package.c_str(), root.c_str(), r.name, "copy.bin", 0)) << r.name;
        EXPECT_TRUE(ReadAll(root + "copy.bin") == Noise(r.size, static_cast<uint32_t>(r.size) + 7)) << r.name;
    }

    // A hand-made package whose only entry claims 1000 bytes more than the file holds after it.
    const std::string data = Noise(10000, 9);
    std::string name = "L1";
    for (char& c : name) c ^= 0x5A;
    const std::string directoryWithoutSize = PutU32(1) + std::string(1, 3) + name + std::string(1, '\0');
    const uint32_t afterData = static_cast<uint32_t>(directoryWithoutSize.size() + 4 + 33);
    const uint32_t claimed = static_cast<uint32_t>(data.size()) + afterData + 1000;
    const std::string directory = directoryWithoutSize + PutU32(claimed);
    const std::string prefix = "PREFIX";
    std::string file = prefix + data + directory + std::string(1, '\0') + PutU32(static_cast<uint32_t>(prefix.size())) +
                       PutU32(0) + PutU32(static_cast<uint32_t>(directory.size())) + PutU32(0) + ">NYZEMBRA_SETUP<";
    WriteAll(root + "long.pkg", file);
    EXPECT_EQ(0, copy((root + "long.pkg").c_str(), root.c_str(), "L1", "long.bin", 0));
    // Blocks of 6144: the second read comes up short at the end of the file and is padded to the
    // block's length (here the rest of the claimed size); the third read brings nothing and ends it.
    std::string expected = file.substr(prefix.size());
    expected.resize(claimed, '\0');
    EXPECT_TRUE(ReadAll(root + "long.bin") == expected);
}

TEST_F(ExtractionTest, InitUnpacksTheSetupFilesThatThePackageHas) {
    zembra::PackageWriter writer;
    const char* const present[][2] = {{"A10", "Zembra.exe"}, {"A20", "gfx1.bmp"}, {"A23", "Zembra.ini"},
                                      {"A11", "t1.rtf"},     {"A12", "t2.rtf"},   {"A13", "t3.rtf"}};
    for (const auto& file : present) writer.AddData(file[0], std::string("content of ") + file[1], zembra::EntryMode::Gzip);
    std::string package = Package("setup.pkg", writer);
    std::string folder = root + "inst";  // no trailing backslash: one is added
    CreateDirectoryA(folder.c_str(), nullptr);

    EXPECT_EQ(0, init(package.c_str(), folder.c_str(), 1, 2, 3));
    for (const auto& file : present) {
        EXPECT_EQ(std::string("content of ") + file[1], ReadAll(folder + "\\" + file[1])) << file[1];
    }
    EXPECT_FALSE(Exists(folder + "\\gfx2.bmp"));
    EXPECT_FALSE(Exists(folder + "\\gfx3.bmp"));

    // After Init the package is the default: a call that names none uses it.
    EXPECT_EQ(0, expand(nullptr, folder.c_str(), "A11", "again.rtf", 0));
    EXPECT_EQ("content of t1.rtf", ReadAll(folder + "\\again.rtf"));
}
