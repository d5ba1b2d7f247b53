#include "archive/LibraryState.h"
#include "archive/PackageDirectory.h"
#include "tests/native/support/PackageImage.h"
#include "tests/native/support/PeBuilder.h"
#include "tests/native/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <functional>
#include <ostream>

using testing_support::ImageRecord;
using testing_support::PackageImage;
using testing_support::TempFolder;
using zembra::PackageDirectory;
using zembra::PackageLoadError;

namespace {

const std::string kMarker = ">NYZEMBRA_SETUP<";

// A plain package: 40 bytes of data, then A10 (10 bytes), A11 (20), A12 (5) from offset 40.
PackageImage Plain() {
    PackageImage image;
    image.data = std::string(40, 'd');
    image.records = {{"A10", 10}, {"A11", 20}, {"A12", 5}};
    image.BaseAt(40);
    return image;
}

PackageImage WithTail(size_t tailLength) {
    PackageImage image = Plain();
    image.tail = std::string(tailLength, 't');
    return image;
}

// Both key indexes answer alike; the sorted one is otherwise used only in double-byte code pages.
struct IndexKind {
    explicit IndexKind(bool sorted) : sorted(sorted) { PackageDirectory::ForceSortedIndex(sorted); }
    ~IndexKind() { PackageDirectory::ForceSortedIndex(false); }
    bool sorted;
    friend std::ostream& operator<<(std::ostream& out, const IndexKind& kind) {
        return out << (kind.sorted ? " (sorted index)" : " (hash index)");
    }
};

std::string Filler(size_t length) {
    std::string s;
    for (size_t i = 0; i < length; ++i) s.push_back(static_cast<char>('a' + i % 26));
    return s;
}

}  // namespace

TEST(PackageMarker, IsFoundWhereTheReaderLooks) {
    struct Row {
        const char* name;
        std::string bytes;
        bool found;
        int64_t fromEnd;  // marker position counted back from the end of the file
    };
    std::string plain = Plain().Bytes();
    std::string big = std::string(9000, 'p') + plain;  // long enough for the scan
    auto bigWithTail = [&](size_t n) { return big + std::string(n, 't'); };
    Row rows[] = {
        {"marker is the last 16 bytes of a short file", plain, true, 16},
        {"100-byte tail is found by the scan", bigWithTail(100), true, 116},
        {"8177-byte tail is the farthest the scan reaches", bigWithTail(8177), true, 8193},
        {"8178-byte tail is out of reach", bigWithTail(8178), false, 0},
        // The scan takes the match farthest from the end: here a second marker in the tail.
        {"two markers in the window: the farther one wins", bigWithTail(50) + kMarker + "xyz", true, 50 + 16 + 3 + 16},
        {"a marker at the very end wins over an earlier one", bigWithTail(50) + kMarker, true, 16},
        {"short file with a tail is not scanned", plain + "tail", false, 0},
        {"file shorter than the marker", ">NYZEMBRA", false, 0},
        {"empty file", "", false, 0},
        {"almost a marker", std::string(9000, 'p') + ">NYZEMBRA_SETUP!" + std::string(20, 't'), false, 0},
    };
    for (const Row& r : rows) {
        zembra::MemoryPackageSource source(r.bytes.data(), r.bytes.size());
        uint64_t marker = 0;
        bool found = zembra::FindPackageMarker(source, &marker);
        EXPECT_EQ(r.found, found) << r.name;
        if (r.found && found) {
            EXPECT_EQ(r.bytes.size() - r.fromEnd, marker) << r.name;
        }
    }
}

TEST(PackageDirectoryLoad, ReadsTrailerAndDirectory) {
    struct Row {
        const char* name;
        PackageImage image;
        uint32_t dataBase;
        std::vector<std::pair<uint32_t, uint32_t>> entries;  // offset, size in directory order
    };
    PackageImage text200 = Plain();
    text200.text = Filler(200);
    PackageImage wrapped = Plain();
    wrapped.part1 = 0xFFFFFFF0u;
    wrapped.part2 = 0x38;  // sum modulo 2^32: 40
    PackageImage split = Plain();
    split.part1 = 30;
    split.part2 = 10;
    PackageImage scanned = WithTail(100);
    scanned.data = std::string(9000, 'd');
    scanned.BaseAt(9000);
    PackageImage empty;
    empty.data = "x";
    empty.BaseAt(1);
    Row rows[] = {
        {"plain package", Plain(), 40, {{40, 10}, {50, 20}, {70, 5}}},
        {"a 200-byte trailer text ends the directory", text200, 40, {{40, 10}, {50, 20}, {70, 5}}},
        {"offset parts add modulo 2^32", wrapped, 40, {{40, 10}, {50, 20}, {70, 5}}},
        {"only the sum of the offset parts counts", split, 40, {{40, 10}, {50, 20}, {70, 5}}},
        {"package found by the scan", scanned, 9000, {{9000, 10}, {9010, 20}, {9030, 5}}},
        {"no entries", empty, 1, {}},
    };
    for (const Row& r : rows) {
        std::string bytes = r.image.Bytes();
        zembra::MemoryPackageSource source(bytes.data(), bytes.size());
        PackageDirectory directory;
        ASSERT_TRUE(directory.Load(source, "pkg")) << r.name;
        EXPECT_EQ(r.dataBase, directory.DataBase()) << r.name;
        EXPECT_EQ(r.image.Directory().size(), directory.DirectorySize()) << r.name;
        ASSERT_EQ(r.entries.size(), directory.EntryCount()) << r.name;
        for (size_t i = 0; i < r.entries.size(); ++i) {
            EXPECT_EQ(r.entries[i].first, directory.Entry(i).offset) << r.name << " #" << i;
            EXPECT_EQ(r.entries[i].second, directory.Entry(i).size) << r.name << " #" << i;
            EXPECT_STREQ(r.image.records[i].key.c_str(), directory.Entry(i).key) << r.name << " #" << i;
        }
    }
}

TEST(PackageDirectoryLoad, RefusesPackagesWhoseTrailerDoesNotFit) {
    struct Row {
        const char* name;
        std::function<std::string()> bytes;
        PackageLoadError error;
    };
    Row rows[] = {
        {"no marker", [] { return std::string(9000, 'x'); }, PackageLoadError::NoMarker},
        {"marker too close to the start for the trailer", [] { return std::string(16, 'x') + kMarker; },
         PackageLoadError::OutsideFile},
        {"trailer text longer than what precedes it",
         [] {
             PackageImage i = Plain();
             i.data.clear();
             i.records.clear();
             i.count = 0;
             i.directorySize = 0;
             i.textLength = 255;
             return i.Bytes();
         },
         PackageLoadError::OutsideFile},
        {"directory size larger than the file",
         [] {
             PackageImage i = Plain();
             i.directorySize = 100000;
             return i.Bytes();
         },
         PackageLoadError::OutsideFile},
        {"directory size 2^32 - 1",
         [] {
             PackageImage i = Plain();
             i.directorySize = 0xFFFFFFFF;
             return i.Bytes();
         },
         PackageLoadError::OutsideFile},
        {"directory one byte larger than what precedes it",
         [] {
             PackageImage i = Plain();
             i.data.clear();
             i.directorySize = static_cast<int64_t>(i.Directory().size()) + 1;
             return i.Bytes();
         },
         PackageLoadError::OutsideFile},
        {"file cut at its end", [] { std::string b = Plain().Bytes(); return b.substr(0, b.size() - 1); },
         PackageLoadError::NoMarker},
        {"file cut at its start", [] { return Plain().Bytes().substr(45); }, PackageLoadError::OutsideFile},
    };
    for (const Row& r : rows) {
        std::string bytes = r.bytes();
        zembra::MemoryPackageSource source(bytes.data(), bytes.size());
        PackageDirectory directory;
        EXPECT_FALSE(directory.Load(source, "pkg")) << r.name;
        EXPECT_EQ(r.error, directory.LastError()) << r.name;
        EXPECT_FALSE(directory.IsLoaded()) << r.name;
        uint32_t size = 7;
        EXPECT_EQ(0u, directory.Find("A10", &size)) << r.name;
        EXPECT_EQ(0u, size) << r.name;
    }
}

// A signed single-file installer ends with its certificate table, which may be far longer than the
// tail allowance. The package is read in front of the table, and only there.
TEST(PackageDirectoryLoad, SignedProgramFileIsReadInFrontOfItsCertificateTable) {
    auto installer = [](bool plus) {
        testing_support::PeSpec spec;
        spec.plus = plus;
        PackageImage image = Plain();
        image.data = testing_support::BuildPe(spec);
        return image.BaseAt(static_cast<uint32_t>(image.data.size())).Bytes();
    };
    const std::string plain = installer(true), table(20000, 'c');
    const uint32_t a10 = static_cast<uint32_t>(plain.size() - Plain().Bytes().size() + 40);
    const uint32_t end = static_cast<uint32_t>(plain.size() + table.size());
    auto naming = [&](uint32_t start, uint32_t size) {
        std::string bytes = plain + table;
        testing_support::SetSecurityDirectory(bytes, start, size);
        return bytes;
    };
    using testing_support::Signed;
    struct Row {
        const char* name;
        std::string bytes;
        uint32_t a10;  // 0: the load fails
    } rows[] = {
        {"unsigned", plain, a10},
        {"a 2 KB signature", Signed(plain, std::string(2000, 'c')), a10},
        {"a 20 KB signature, past the tail allowance", Signed(plain, table), a10},
        {"a 32-bit program file", Signed(installer(false), table), a10},
        {"a package planted in the table is not read", Signed(plain, table + Plain().BaseAt(7).Bytes()), a10},
        {"a table that stops before the end", Signed(plain, table) + "x", 0},
        {"a table that starts past the end", naming(end + 8, 0xFFFFFFFF - end), 0},
        {"a table whose size wraps at 2^32", naming(0xFFFFFFF0, end + 0x10), 0},
        {"a table that overlaps the package", naming(end - 20010, 20010), 0},
        {"a table of size 0", naming(end, 0), 0},
    };
    for (const Row& r : rows) {
        zembra::MemoryPackageSource source(r.bytes.data(), r.bytes.size());
        PackageDirectory directory;
        uint32_t size = 0;
        EXPECT_EQ(r.a10 != 0, directory.Load(source, "Setup.exe")) << r.name;
        EXPECT_EQ(r.a10, directory.Find("A10", &size)) << r.name;
    }
}

TEST(PackageDirectoryLookup, ResolvesKeysToOffsetAndSize) {
    struct Row {
        const char* name;
        PackageImage image;
        const char* key;
        uint32_t offset;  // 0: not found
        uint32_t size;
    };
    PackageImage duplicates = Plain();
    duplicates.records = {{"A10", 10}, {"A11", 20}, {"a10", 5}, {"A10", 7}};
    PackageImage zeroBase = Plain();
    zeroBase.BaseAt(0);
    PackageImage zeroBaseDuplicate = zeroBase;
    zeroBaseDuplicate.records = {{"A10", 10}, {"A10", 20}};
    PackageImage withZ = Plain();
    withZ.records = {{"ZZ", 3}, {"AZB", 4}};  // 'Z' masked is a zero byte
    PackageImage latin = Plain();
    latin.records = {{"Datei\xE4\xF6\xFC", 3}, {"\xC4RGER", 4}};
    PackageImage clamped = Plain();
    // L above 250 is read as 250: with a 249-byte key the record and the one after it still parse.
    clamped.records = {{std::string(249, 'K'), 9, 255}, {"A11", 20}};
    PackageImage terminator = Plain();
    terminator.records = {{"A1", 3, -1, 'X'}, {"A2", 4}};  // the stored last byte is not masked
    PackageImage emptyName = Plain();
    emptyName.records = {{"", 6, 0, '\0', false}, {"A11", 20}};
    const std::string longKey(249, 'k');
    PackageImage manyDuplicates = Plain();
    manyDuplicates.records.clear();
    for (uint32_t i = 0; i < 100; ++i) manyDuplicates.records.push_back({i % 2 ? "X" + std::to_string(i) : (i % 4 ? "dup" : "DUP"), 1});
    PackageImage many = Plain();
    many.records.clear();
    for (int i = 0; i < 2000; ++i) many.records.push_back({"K" + std::to_string(i), static_cast<uint32_t>(i)});
    Row rows[] = {
        {"exact key", Plain(), "A11", 50, 20},
        {"lower-case key finds the upper-case record", Plain(), "a12", 70, 5},
        {"missing key", Plain(), "A13", 0, 0},
        {"prefix of a key is not the key", Plain(), "A1", 0, 0},
        {"duplicate keys: the first in directory order wins", duplicates, "A10", 40, 10},
        {"duplicate keys: letter case does not make a later one win", duplicates, "a10", 40, 10},
        {"data base offset 0: the first record reads as not found", zeroBase, "A10", 0, 0},
        {"data base offset 0: the second record is found", zeroBase, "A11", 10, 20},
        {"data base offset 0: a later duplicate is never reached", zeroBaseDuplicate, "A10", 0, 0},
        {"key containing the mask's own letter", withZ, "zz", 40, 3},
        {"second key containing the mask's letter", withZ, "AZB", 43, 4},
        {"code page 1252 letters fold", latin, "DATEI\xC4\xD6\xDC", 40, 3},
        {"code page 1252 letters fold both ways", latin, "\xE4rger", 43, 4},
        {"code page 1252 letters as stored", latin, "Datei\xE4\xF6\xFC", 40, 3},
        {"name length above 250 is read as 250", clamped, longKey.c_str(), 40, 9},
        {"the record after a clamped one", clamped, "A11", 49, 20},
        {"a stored terminator that is not zero joins the name", terminator, "A1X", 40, 3},
        {"the name without that byte is not found", terminator, "A1", 0, 0},
        {"the record after it", terminator, "a2", 43, 4},
        {"record with name length 0", emptyName, "A11", 46, 20},
        {"2000 records: the last", many, "k1999", 40 + 1999 * 1998 / 2, 1999},
        {"2000 records: one in the middle", many, "K1000", 40 + 1000 * 999 / 2, 1000},
        {"100 records, half of them duplicates: the first still wins", manyDuplicates, "Dup", 40, 1},
        {"null key", Plain(), nullptr, 0, 0},
    };
    for (bool sorted : {false, true}) {
        IndexKind kind(sorted);
        for (const Row& r : rows) {
            std::string bytes = r.image.Bytes();
            zembra::MemoryPackageSource source(bytes.data(), bytes.size());
            PackageDirectory directory;
            ASSERT_TRUE(directory.Load(source, "pkg")) << r.name << kind;
            uint32_t size = 12345;
            EXPECT_EQ(r.offset, directory.Find(r.key, &size)) << r.name << kind;
            EXPECT_EQ(r.size, size) << r.name << kind;
        }
    }
}

TEST(PackageDirectoryLookup, HostileDirectoriesStopTheSearch) {
    struct Row {
        const char* name;
        PackageImage image;
        std::vector<std::pair<const char*, uint32_t>> lookups;  // key, expected offset
    };
    PackageImage countTooLarge = Plain();
    countTooLarge.count = 0xFFFFFFFF;
    PackageImage countTooSmall = Plain();
    countTooSmall.count = 1;
    PackageImage nameRunsPast = Plain();
    nameRunsPast.records = {{"A10", 10}, {"A11", 20, 200}};
    PackageImage sizeRunsPast = Plain();
    sizeRunsPast.records = {{"A10", 10}, {"A11", 20}};
    sizeRunsPast.truncateDirectory = 1;
    PackageImage sumOverflows = Plain();
    sumOverflows.records = {{"A10", 0xFFFFFF00u}, {"A11", 0x100}, {"A12", 5}, {"A13", 1}};
    PackageImage baseAndSumOverflow = Plain();
    baseAndSumOverflow.part1 = 0xFFFFFFF0u;
    baseAndSumOverflow.records = {{"A10", 0x0F}, {"A11", 1}, {"A12", 1}};
    PackageImage tinyDirectory = Plain();
    tinyDirectory.directorySize = 3;
    PackageImage noDirectory = Plain();
    noDirectory.directorySize = 0;
    Row rows[] = {
        {"count larger than the records", countTooLarge, {{"A10", 40}, {"A12", 70}, {"A13", 0}}},
        {"count smaller than the records", countTooSmall, {{"A10", 40}, {"A11", 0}}},
        {"name length running past the directory", nameRunsPast, {{"A10", 40}, {"A11", 0}}},
        {"size field running past the directory", sizeRunsPast, {{"A10", 40}, {"A11", 0}}},
        {"sizes whose sum passes 2^32", sumOverflows, {{"A10", 40}, {"A11", 0xFFFFFF28u}, {"A12", 0}, {"A13", 0}}},
        {"base and sizes passing 2^32", baseAndSumOverflow, {{"A10", 0xFFFFFFF0u}, {"A11", 0xFFFFFFFFu}, {"A12", 0}}},
        {"directory shorter than its count", tinyDirectory, {{"A10", 0}}},
        {"directory size 0", noDirectory, {{"A10", 0}}},
    };
    for (bool sorted : {false, true}) {
        IndexKind kind(sorted);
        for (const Row& r : rows) {
            std::string bytes = r.image.Bytes();
            zembra::MemoryPackageSource source(bytes.data(), bytes.size());
            PackageDirectory directory;
            ASSERT_TRUE(directory.Load(source, "pkg")) << r.name << kind;
            for (const auto& lookup : r.lookups) {
                uint32_t size = 0;
                EXPECT_EQ(lookup.second, directory.Find(lookup.first, &size)) << r.name << ": " << lookup.first << kind;
            }
        }
    }
}

class LoadedDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        zembra::State() = zembra::LibraryState{};
        PackageImage first = Plain();
        first.records = {{"A10", 10}, {"ONE", 3}};
        PackageImage second = Plain();
        second.records = {{"A10", 7}, {"TWO", 4}};
        m_first = folder.Write("first.pkg", first.Bytes());
        m_second = folder.Write("second.pkg", second.Bytes());
    }
    void TearDown() override { zembra::State() = zembra::LibraryState{}; }

    static bool Has(const char* key) {
        uint32_t size = 0;
        return zembra::FindPackageEntry(key, &size) != 0;
    }

    TempFolder folder;
    std::string m_first, m_second;
};

TEST_F(LoadedDirectoryTest, NoPackageNamedAndNoDefaultFails) {
    EXPECT_FALSE(zembra::EnsurePackageDirectory(nullptr));
    EXPECT_FALSE(zembra::State().directory.IsLoaded());
}

TEST_F(LoadedDirectoryTest, MissingPackageFails) {
    EXPECT_FALSE(zembra::EnsurePackageDirectory(folder.Path("missing.pkg").c_str()));
    EXPECT_EQ(PackageLoadError::CannotOpen, zembra::State().directory.LastError());
}

TEST_F(LoadedDirectoryTest, CallWithoutPackageUsesTheDefault) {
    zembra::SetLibraryPackage(m_first.c_str(), "tmp", 0, 0);
    ASSERT_TRUE(zembra::EnsurePackageDirectory(nullptr));
    EXPECT_TRUE(Has("one"));
    EXPECT_EQ(m_first, zembra::State().directory.Path().c_str());
}

TEST_F(LoadedDirectoryTest, ADefaultCallAfterASecondPackageReadsTheDefaultAgain) {
    zembra::SetLibraryPackage(m_first.c_str(), "tmp", 0, 0);
    ASSERT_TRUE(zembra::EnsurePackageDirectory(nullptr));
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_second.c_str()));
    EXPECT_TRUE(Has("TWO"));
    EXPECT_FALSE(Has("ONE"));
    ASSERT_TRUE(zembra::EnsurePackageDirectory(nullptr));
    EXPECT_TRUE(Has("ONE"));
    EXPECT_FALSE(Has("TWO"));
}

TEST_F(LoadedDirectoryTest, SamePathInOtherLetterCaseDoesNotReload) {
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_first.c_str()));
    std::string upper = m_first;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_NE(upper, m_first);
    // Natively that spelling names no file, so a reload would fail.
    EXPECT_TRUE(zembra::EnsurePackageDirectory(upper.c_str()));
    EXPECT_TRUE(Has("ONE"));
}

TEST_F(LoadedDirectoryTest, TheLoadedPackageIsReadThroughOneDescriptorUntilFreed) {
    zembra::PackageDirectory& directory = zembra::State().directory;
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_first.c_str()));
    const int kept = directory.DataFd();
    ASSERT_GE(kept, 0);
    EXPECT_EQ(kept, directory.DataFd()) << "kept open from entry to entry";
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_second.c_str()));
    EXPECT_GT(0, zembra::CrtFileSize(kept)) << "loading another package lets go of the first";
    const int other = directory.DataFd();
    ASSERT_GE(other, 0);
    zembra::FreePackageDirectory();
    EXPECT_GT(0, zembra::CrtFileSize(other)) << "freeing the directory lets go of the package";
    EXPECT_GT(0, directory.DataFd()) << "nothing loaded, nothing to read";
}

#ifdef _WIN32
// The library keeps its package open between calls and must not stand in the way of others; the
// extractor unpacks the very bytes whose seal it checked, so nobody may change them meanwhile.
TEST_F(LoadedDirectoryTest, APackageFileDeniesWritingOnlyWhenAskedTo) {
    using Sharing = zembra::PackageFile::Sharing;
    const struct Row {
        const char* name;
        Sharing sharing;
        bool othersMayChangeIt;
    } rows[] = {{"shared", Sharing::Shared, true}, {"write denied", Sharing::WriteDenied, false}};
    for (const Row& r : rows) {
        const std::string path = folder.Write("held.pkg", TempFolder::Read(m_first));
        const std::string moved = folder.Path("moved.pkg");
        zembra::PackageFile file;
        unsigned long error = 0;
        ASSERT_TRUE(file.Open(path.c_str(), r.sharing, &error)) << r.name << ": " << error;
        std::FILE* writer = std::fopen(path.c_str(), "r+b");
        EXPECT_EQ(r.othersMayChangeIt, writer != nullptr) << r.name << ": open for writing";
        if (writer) std::fclose(writer);
        const bool renamed = std::rename(path.c_str(), moved.c_str()) == 0;
        EXPECT_EQ(r.othersMayChangeIt, renamed) << r.name << ": rename";
        const std::string& now = renamed ? moved : path;
        EXPECT_EQ(r.othersMayChangeIt, std::remove(now.c_str()) == 0) << r.name << ": delete";
        char head[2];
        EXPECT_TRUE(file.ReadAt(0, head, sizeof head)) << r.name << ": still read";
        file.Close();
        std::remove(path.c_str());
    }
}
#endif

TEST_F(LoadedDirectoryTest, LoadedDirectoryIsKeptUntilFreed) {
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_first.c_str()));
    folder.Write("first.pkg", TempFolder::Read(m_second));
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_first.c_str()));
    EXPECT_TRUE(Has("ONE"));  // not read again
    zembra::FreePackageDirectory();
    EXPECT_FALSE(Has("ONE"));
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_first.c_str()));
    EXPECT_TRUE(Has("TWO"));
}

TEST_F(LoadedDirectoryTest, AFailedLoadLeavesNothingLoaded) {
    ASSERT_TRUE(zembra::EnsurePackageDirectory(m_first.c_str()));
    EXPECT_FALSE(zembra::EnsurePackageDirectory(folder.Path("missing.pkg").c_str()));
    EXPECT_FALSE(zembra::State().directory.IsLoaded());
    EXPECT_FALSE(Has("A10"));
}

TEST(LibraryState, RecordsThePackageAndTheTemporaryFolder) {
    struct Row {
        const char* name;
        std::string package;
        const char* temp;
        std::string expectedCopy;
        const char* expectedTemp;
    };
    Row rows[] = {
        {"backslash added", "C:\\p.pkg", "C:\\Temp\\inst", "C:\\p.pkg", "C:\\Temp\\inst\\"},
        {"backslash kept", "p", "C:\\Temp\\inst\\", "p", "C:\\Temp\\inst\\"},
        {"empty folder stays empty", "p", "", "p", ""},
        {"long path: the copy holds 259 characters", std::string(300, 'x'), "t", std::string(259, 'x'), "t\\"},
    };
    for (const Row& r : rows) {
        zembra::State() = zembra::LibraryState{};
        zembra::SetLibraryPackage(r.package.c_str(), r.temp, 11, 22);
        EXPECT_EQ(r.package, zembra::State().packagePath.c_str()) << r.name;
        EXPECT_EQ(r.expectedCopy, zembra::State().packagePathCopy) << r.name;
        EXPECT_STREQ(r.expectedTemp, zembra::State().tempFolder) << r.name;
        EXPECT_EQ(11, zembra::State().reserved1) << r.name;
        EXPECT_EQ(22, zembra::State().reserved2) << r.name;
    }
    zembra::State() = zembra::LibraryState{};
}
