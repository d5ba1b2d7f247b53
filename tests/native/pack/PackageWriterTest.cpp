#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"
#include "archive/PackageDirectory.h"
#include "tests/native/pack/ZlibInflate.h"
#include "tests/native/support/TempFolder.h"
#include "tools/pack/PackCommand.h"
#include "tools/pack/PackageWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cctype>
#include <functional>
#include <sstream>
#include <thread>

using testing_support::TempFolder;
using zembra::EntryMode;
using zembra::PackageDirectory;
using zembra::PackageWriter;

namespace {

std::string Noise(size_t length, uint32_t seed) {
    std::string s(length, '\0');
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

struct Input {
    std::string key;
    std::string data;
    EntryMode mode;
    int level;
    bool fromFile;
};

// An entry decoded by the library's own decoder from the package file; "<bad>" when it fails.
std::string DecodeEntry(const std::string& package, uint32_t offset, const TempFolder& folder) {
    const std::string outPath = folder.Path("decoded");
    const int in = zembra::CrtOpenRead(package.c_str()), out = zembra::CrtOpenWriteTruncate(outPath.c_str());
    int result = -1;
    if (in >= 0 && out >= 0 && zembra::CrtSeek(in, offset)) {
        zembra::GzipResetInput();
        zembra::GzipResetBytesWritten();
        result = zembra::GzipDecode(in, out);
    }
    if (in >= 0) zembra::CrtClose(in);
    if (out >= 0) zembra::CrtClose(out);
    return result == 0 ? TempFolder::Read(outPath) : "<bad>";
}

std::string ListOutput(const std::string& package) {
    std::ostringstream out, err;
    zembra::ListPackage(package, out, err);
    return out.str();
}

}  // namespace

TEST(PackageWriter, RoundTripsThroughTheDirectoryReaderAndZlib) {
    struct Row {
        const char* name;
        std::string prefix;
        std::string text;
        std::vector<Input> entries;
    };
    std::vector<Input> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({"F" + std::to_string(i), Noise(static_cast<size_t>(i % 7) * 13, i), EntryMode::Stored, 9, false});
    Row rows[] = {
        {"one gzip entry, no prefix", "", "", {{"A10", "hello world\n", EntryMode::Gzip, 9, true}}},
        {"prefix, stored and gzip entries",
         "MZ-extractor-stub",
         "Zembra demo",
         {{"A10", Noise(5000, 1), EntryMode::Gzip, 6, true},
          {"A20", Noise(3000, 2), EntryMode::Stored, 9, true},
          {"A23", std::string(100000, 'x'), EntryMode::Gzip, 9, false}}},
        {"empty inputs", "", "", {{"E1", "", EntryMode::Gzip, 9, true}, {"E2", "", EntryMode::Stored, 9, true}}},
        {"level 0 and level 1", "", "", {{"L0", Noise(70000, 3), EntryMode::Gzip, 0, true}, {"L1", Noise(999, 4), EntryMode::Gzip, 1, false}}},
        {"data larger than one read chunk", "p", "", {{"BIG", Noise(300000, 5), EntryMode::Gzip, 9, true},
                                                        {"BIG2", Noise(200000, 6), EntryMode::Stored, 9, true}}},
        {"a 255-byte trailer text", "", std::string(255, 'T'), {{"A10", "x", EntryMode::Stored, 9, false}}},
        {"a key of 249 bytes", "", "", {{std::string(249, 'K'), "k", EntryMode::Stored, 9, false}}},
        {"keys with the mask's own letter and code page 1252 letters", "", "",
         {{"ZZZ", "z", EntryMode::Stored, 9, false}, {"\xC4nderung", "a", EntryMode::Gzip, 9, false}}},
        {"300 entries", "", "", many},
    };
    for (const Row& r : rows) {
        TempFolder folder;
        PackageWriter writer;
        if (!r.prefix.empty()) writer.SetPrefixFile(folder.Write("prefix.bin", r.prefix));
        writer.SetTrailerText(r.text);
        for (size_t i = 0; i < r.entries.size(); ++i) {
            const Input& in = r.entries[i];
            if (in.fromFile) writer.AddFile(in.key, folder.Write("in" + std::to_string(i), in.data), in.mode, in.level);
            else writer.AddData(in.key, in.data, in.mode, in.level);
        }
        const std::string package = folder.Path("out.pkg");
        std::string error;
        ASSERT_TRUE(writer.Write(package, &error)) << r.name << ": " << error;
        EXPECT_FALSE(TempFolder::Exists(package + ".partial")) << r.name;
        const std::string bytes = TempFolder::Read(package);

        PackageDirectory directory;
        ASSERT_TRUE(directory.Load(package.c_str())) << r.name;
        EXPECT_EQ(r.prefix, bytes.substr(0, r.prefix.size())) << r.name;
        EXPECT_EQ(r.prefix.empty() ? 1u : r.prefix.size(), directory.DataBase()) << r.name;
        ASSERT_EQ(r.entries.size(), directory.EntryCount()) << r.name;
        uint64_t next = directory.DataBase();
        for (size_t i = 0; i < r.entries.size(); ++i) {
            const Input& in = r.entries[i];
            std::string lower = in.key;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            uint32_t size = 0;
            uint32_t offset = directory.Find(lower.c_str(), &size);
            ASSERT_EQ(next, offset) << r.name << ": " << in.key;
            next += size;
            std::string stored = bytes.substr(offset, size);
            if (in.mode == EntryMode::Stored) {
                EXPECT_EQ(in.data, stored) << r.name << ": " << in.key;
                continue;
            }
            EXPECT_EQ(in.data, Inflate(stored)) << r.name << ": " << in.key;
            ASSERT_GE(stored.size(), 10u);
            EXPECT_EQ(std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00", 8), stored.substr(0, 8))
                << r.name << ": no flags, no time";
            EXPECT_EQ(0, stored[9]) << r.name << ": operating system";
        }
        // The trailer text sits right in front of its length byte, 33 bytes before the end.
        size_t textLength = static_cast<unsigned char>(bytes[bytes.size() - 33]);
        EXPECT_EQ(r.text, bytes.substr(bytes.size() - 33 - textLength, textLength)) << r.name;
        EXPECT_EQ(next + directory.DirectorySize() + textLength + 33, bytes.size()) << r.name << ": no gaps";
    }
}

TEST(PackageWriter, RefusesBadInputAndLeavesNoPackage) {
    struct Row {
        const char* name;
        std::function<void(PackageWriter&, const TempFolder&)> setup;
        const char* expected;
    };
    Row rows[] = {
        {"missing input file",
         [](PackageWriter& w, const TempFolder& f) { w.AddFile("A10", f.Path("missing.txt"), EntryMode::Gzip); },
         "cannot open"},
        {"missing input after good entries",
         [](PackageWriter& w, const TempFolder& f) {
             w.AddData("A10", Noise(100000, 1), EntryMode::Gzip);
             w.AddFile("A11", f.Path("missing.txt"), EntryMode::Stored);
         },
         "\"A11\": cannot open"},
        {"input is a folder",
         [](PackageWriter& w, const TempFolder& f) { w.AddFile("A10", f.Path(), EntryMode::Stored); },
         "A10"},
        {"key of 250 bytes",
         [](PackageWriter& w, const TempFolder&) { w.AddData(std::string(250, 'K'), "x", EntryMode::Stored); },
         "shorter than 250 bytes"},
        {"empty key", [](PackageWriter& w, const TempFolder&) { w.AddData("", "x", EntryMode::Stored); },
         "must not be empty"},
        {"key with a zero byte",
         [](PackageWriter& w, const TempFolder&) { w.AddData(std::string("A\0B", 3), "x", EntryMode::Stored); },
         "zero byte"},
        {"same key twice in other letter case",
         [](PackageWriter& w, const TempFolder&) {
             w.AddData("A10", "x", EntryMode::Stored);
             w.AddData("B", "x", EntryMode::Stored);
             w.AddData("a10", "y", EntryMode::Gzip);
         },
         "given twice"},
        {"trailer text of 256 bytes",
         [](PackageWriter& w, const TempFolder&) {
             w.SetTrailerText(std::string(256, 'T'));
             w.AddData("A10", "x", EntryMode::Stored);
         },
         "at most 255"},
        {"compression level 13", [](PackageWriter& w, const TempFolder&) { w.AddData("A10", "x", EntryMode::Gzip, 13); },
         "level 13 is not 0 to"},
        {"missing prefix file",
         [](PackageWriter& w, const TempFolder& f) {
             w.SetPrefixFile(f.Path("nostub.exe"));
             w.AddData("A10", "x", EntryMode::Stored);
         },
         "prefix file"},
        {"entry starting beyond 32-bit offsets",
         [](PackageWriter& w, const TempFolder&) {
             w.SetOffsetLimit(100);
             w.AddData("A10", std::string(80, 'a'), EntryMode::Stored);
             w.AddData("A11", std::string(30, 'b'), EntryMode::Stored);
             w.AddData("A12", "c", EntryMode::Stored);
         },
         "\"A12\" would start at offset 111"},
        {"entry larger than 32-bit sizes",
         [](PackageWriter& w, const TempFolder&) {
             w.SetOffsetLimit(100);
             w.AddData("A10", std::string(101, 'a'), EntryMode::Stored);
         },
         "\"A10\" takes 101 bytes"},
        {"prefix beyond 32-bit offsets",
         [](PackageWriter& w, const TempFolder& f) {
             w.SetOffsetLimit(100);
             w.SetPrefixFile(f.Write("stub.exe", std::string(101, 's')));
             w.AddData("A10", "x", EntryMode::Stored);
         },
         "larger than a package can address"},
    };
    for (const Row& r : rows) {
        TempFolder folder;
        const std::string package = folder.Write("out.pkg", "old package");
        PackageWriter writer;
        r.setup(writer, folder);
        std::string error;
        EXPECT_FALSE(writer.Write(package, &error)) << r.name;
        EXPECT_NE(std::string::npos, error.find(r.expected)) << r.name << ": " << error;
        EXPECT_EQ("old package", TempFolder::Read(package)) << r.name;
        EXPECT_FALSE(TempFolder::Exists(package + ".partial")) << r.name;
    }
}

TEST(PackageWriter, FailsCleanlyWhenTheOutputFolderIsMissing) {
    TempFolder folder;
    PackageWriter writer;
    writer.AddData("A10", "x", EntryMode::Stored);
    std::string error;
    EXPECT_FALSE(writer.Write(folder.Path("nowhere/out.pkg"), &error));
    EXPECT_NE(std::string::npos, error.find("cannot create")) << error;
}

TEST(PackageWriter, SameEntriesGiveTheSameBytes) {
    TempFolder folder;
    const std::string text = Noise(40000, 9);
    const std::string input = folder.Write("in.txt", text);
    PackageWriter fromFiles, fromMemory;
    fromFiles.SetTrailerText("v1");
    fromMemory.SetTrailerText("v1");
    fromFiles.AddFile("A10", input, EntryMode::Gzip, 7);
    fromFiles.AddFile("A20", input, EntryMode::Stored);
    fromMemory.AddData("A10", text, EntryMode::Gzip, 7);
    fromMemory.AddData("A20", text, EntryMode::Stored);
    std::string error;
    ASSERT_TRUE(fromFiles.Write(folder.Path("a.pkg"), &error)) << error;
    ASSERT_TRUE(fromFiles.Write(folder.Path("b.pkg"), &error)) << error;
    ASSERT_TRUE(fromMemory.Write(folder.Path("c.pkg"), &error)) << error;
    const std::string a = TempFolder::Read(folder.Path("a.pkg"));
    EXPECT_EQ(a, TempFolder::Read(folder.Path("b.pkg")));
    EXPECT_EQ(a, TempFolder::Read(folder.Path("c.pkg")));
    // Writing again over an existing package replaces it whole.
    folder.Write("a.pkg", std::string(100000, 'o'));
    ASSERT_TRUE(fromFiles.Write(folder.Path("a.pkg"), &error)) << error;
    EXPECT_EQ(a, TempFolder::Read(folder.Path("a.pkg")));
}

TEST(PackageWriter, AnyNumberOfJobsWritesTheSameBytesThatDecodeToTheInputs) {
    constexpr uint64_t kWhole = 64 * 1024;  // the whole-member limit, lowered so that blocks come cheap
    struct Row {
        const char* name;
        std::vector<Input> entries;  // level -1: the default
    };
    std::vector<Input> many;
    for (int i = 0; i < 60; ++i)
        many.push_back({"M" + std::to_string(i), Noise(static_cast<size_t>(i) * 997, i) + std::string(i * 300, 'a'),
                        i % 5 ? EntryMode::Gzip : EntryMode::Stored, -1, i % 2 == 0});
    const std::string text = [] {
        std::string t;
        for (int i = 0; t.size() < 2500000; ++i) t += "line " + std::to_string(i * 7919 % 100003) + " of the text\n";
        return t;
    }();
    Row rows[] = {
        {"many small entries, default level", many},
        {"level 0", {{"L0", text.substr(0, 50000), EntryMode::Gzip, 0, true}, {"E", "", EntryMode::Gzip, 0, false}}},
        {"level 12 or the highest", {{"L12", text.substr(0, 60000), EntryMode::Gzip, zembra::kMaxGzipLevel, true}}},
        {"blocks from a file and from memory, beside small entries",
         {{"S1", text.substr(0, 1000), EntryMode::Gzip, -1, true},
          {"BF", text, EntryMode::Gzip, -1, true},
          {"S2", Noise(kWhole, 8), EntryMode::Gzip, -1, false},
          {"BM", text.substr(0, kWhole + 1), EntryMode::Gzip, 6, false},
          {"B2", text.substr(0, 2 * zembra::kBlockSize), EntryMode::Gzip, 1, true},
          {"ST", text.substr(0, 3 * kWhole), EntryMode::Stored, -1, true}}},
    };
    for (const Row& r : rows) {
        TempFolder folder;
        std::string packages[2];
        const int jobs[2] = {1, 4};
        for (int j = 0; j < 2; ++j) {
            PackageWriter writer;
            writer.SetJobs(jobs[j]);
            writer.SetWholeMemberLimit(kWhole);
            zembra::PackProgress last{};
            const std::thread::id caller = std::this_thread::get_id();
            bool elsewhere = false;
            writer.SetProgress([&](const zembra::PackProgress& p) {
                last = p;
                elsewhere |= std::this_thread::get_id() != caller;
            });
            for (size_t i = 0; i < r.entries.size(); ++i) {
                const Input& in = r.entries[i];
                const int level = in.level < 0 ? zembra::kDefaultGzipLevel : in.level;
                if (!in.fromFile) writer.AddData(in.key, in.data, in.mode, level);
                else writer.AddFile(in.key, folder.Write("in" + std::to_string(i), in.data), in.mode, level);
            }
            packages[j] = folder.Path("out" + std::to_string(jobs[j]) + ".pkg");
            std::string error;
            ASSERT_TRUE(writer.Write(packages[j], &error)) << r.name << ": " << error;
            EXPECT_FALSE(elsewhere) << r.name << ": progress from another thread";
            EXPECT_EQ(r.entries.size(), last.entriesDone) << r.name;
            EXPECT_EQ(last.inputTotal, last.inputDone) << r.name;
        }
        ASSERT_EQ(TempFolder::Read(packages[0]), TempFolder::Read(packages[1])) << r.name;

        PackageDirectory directory;
        ASSERT_TRUE(directory.Load(packages[0].c_str())) << r.name;
        const std::string bytes = TempFolder::Read(packages[0]);
        for (size_t i = 0; i < r.entries.size(); ++i) {
            const Input& in = r.entries[i];
            const zembra::PackageEntryInfo e = directory.Entry(i);
            if (in.mode == EntryMode::Stored) {
                EXPECT_EQ(in.data, bytes.substr(e.offset, e.size)) << r.name << ": " << in.key;
                continue;
            }
            EXPECT_TRUE(in.data == DecodeEntry(packages[0], e.offset, folder)) << r.name << ": " << in.key;
            std::string member;
            const int level = in.level < 0 ? zembra::kDefaultGzipLevel : in.level;
            ASSERT_TRUE(zembra::GzipMember(in.data, level, &member, kWhole));
            EXPECT_TRUE(member == bytes.substr(e.offset, e.size)) << r.name << ": " << in.key << " by GzipMember";
        }
    }
}

TEST(PackCommand, ReportsBadCommandLines) {
    TempFolder folder;
    const std::string input = folder.Write("in.txt", "data");
    const std::string notPackage = folder.Write("plain.txt", std::string(9000, 'x'));
    const std::string out = folder.Path("out.pkg");
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    Row rows[] = {
        {"nothing to do", {}, 2, "nothing to do"},
        {"unknown argument", {"-o", out, "--bogus"}, 2, "unknown argument \"--bogus\""},
        {"no entries", {"-o", out}, 2, "no entries"},
        {"entry without file", {"-o", out, "--gzip", "A10"}, 2, "needs a key and a file"},
        {"level that is not a digit", {"-o", out, "--level", "x", "--gzip", "A10", input}, 2, "--level"},
        {"level 13", {"-o", out, "--level", "13", "--gzip", "A10", input}, 2, "--level"},
        {"no jobs", {"-o", out, "--jobs", "0", "--gzip", "A10", input}, 2, "--jobs needs a number from 1"},
        {"no output", {"--gzip", "A10", input}, 2, "no package given"},
        {"output without path", {"--gzip", "A10", input, "-o"}, 2, "needs a package path"},
        {"list without package", {"--list"}, 2, "exactly one package"},
        {"list of a missing file", {"--list", folder.Path("missing.pkg")}, 1, "cannot be opened"},
        {"list of a file that is no package", {"--list", notPackage}, 1, "not a package"},
        {"missing input", {"-o", out, "--gzip", "A10", folder.Path("missing.txt")}, 1, "cannot open"},
        {"key too long", {"-o", out, "--stored", std::string(250, 'k'), input}, 1, "shorter than 250"},
    };
    for (const Row& r : rows) {
        std::ostringstream stdOut, stdErr;
        EXPECT_EQ(r.exitCode, zembra::RunPackCommand(r.args, stdOut, stdErr)) << r.name;
        EXPECT_NE(std::string::npos, stdErr.str().find(r.message)) << r.name << ": " << stdErr.str();
        if (r.exitCode == 2) {
            EXPECT_NE(std::string::npos, stdErr.str().find("usage:")) << r.name;
        }
        EXPECT_FALSE(TempFolder::Exists(out)) << r.name;
    }
}

TEST(PackCommand, WritesAndListsAPackage) {
    TempFolder folder;
    const std::string stub = folder.Write("stub.exe", "0123456789");
    const std::string pic = folder.Write("pic.bmp", "BMxyz");
    const std::string ini = folder.Write("setup.ini", Noise(3000, 3));
    const std::string out = folder.Path("out.pkg");
    std::ostringstream stdOut, stdErr;
    ASSERT_EQ(0, zembra::RunPackCommand({"-o", out, "--prefix", stub, "--text", "demo", "--stored", "A20", pic,
                                         "--level", "1", "--gzip", "A23", ini, "--level", "9", "--gzip", "a10", ini},
                                        stdOut, stdErr))
        << stdErr.str();
    const std::string bytes = TempFolder::Read(out);
    EXPECT_EQ("0123456789BMxyz", bytes.substr(0, 15));

    std::istringstream listing(ListOutput(out));
    std::string key, offset, size;
    listing >> key >> offset >> size;
    EXPECT_EQ("KEY OFFSET SIZE", key + " " + offset + " " + size);
    struct Expected {
        const char* key;
        int xfl;  // gzip extra flags: 4 for the fastest levels, 2 for level 9, -1 for stored
    } expected[] = {{"A20", -1}, {"A23", 4}, {"a10", 2}};
    uint32_t next = 10;
    for (const Expected& e : expected) {
        uint32_t o = 0, s = 0;
        ASSERT_TRUE(listing >> key >> o >> s) << e.key;
        EXPECT_EQ(e.key, key);
        EXPECT_EQ(next, o) << e.key;
        if (e.xfl >= 0) {
            EXPECT_EQ(e.xfl, bytes[o + 8]) << e.key << ": level";
            EXPECT_EQ(TempFolder::Read(ini), Inflate(bytes.substr(o, s))) << e.key;
        }
        next = o + s;
    }
    EXPECT_FALSE(listing >> key) << "no further lines";
}
