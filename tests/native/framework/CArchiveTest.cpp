#include "framework/CArchive.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::TempFolder;

namespace {

template <class Store>
std::string Stored(Store store) {
    TempFolder dir;
    std::string path = dir.Path("a.bin");
    CFile file;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    EXPECT_TRUE(file.Close());
    return TempFolder::Read(path);
}

}  // namespace

TEST(Archive, CountsTakeTwoBytesOrAnEscapeAndFour) {
    struct Row {
        uint32_t count;
        std::string bytes;
    } rows[] = {
        {0, std::string("\x00\x00", 2)},
        {1, std::string("\x01\x00", 2)},
        {0x1234, std::string("\x34\x12", 2)},
        {0xFFFE, std::string("\xfe\xff", 2)},
        {0xFFFF, std::string("\xff\xff\xff\xff\x00\x00", 6)},
        {0x12345678, std::string("\xff\xff\x78\x56\x34\x12", 6)},
        {0xFFFFFFFF, std::string("\xff\xff\xff\xff\xff\xff", 6)},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.bytes, Stored([&](CArchive& ar) { ar.WriteCount(r.count); })) << r.count;

        TempFolder dir;
        std::string path = dir.Path("c.bin");
        dir.Write(path, r.bytes + "tail");
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(r.count, ar.ReadCount()) << r.count;
        EXPECT_EQ(4, ar.BytesLeft()) << r.count;
        EXPECT_FALSE(ar.IsFailed()) << r.count;
    }
}

TEST(Archive, StringsAreTheirLengthAndBytes) {
    EXPECT_EQ(std::string("\x03\x00" "abc\x00\x00", 7), Stored([](CArchive& ar) { ar << CString("abc") << CString(); }));
    std::string longText(0x10000, 'z');
    std::string stored = Stored([&](CArchive& ar) { ar << CString(longText.c_str()); });
    EXPECT_EQ(std::string("\xff\xff\x00\x00\x01\x00", 6) + longText, stored);
}

TEST(Archive, ReadingPastTheEndFailsAndYieldsEmptyValues) {
    struct Row {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"empty file", ""},
        {"half a count", "\x01"},
        {"escape without the wide count", "\xff\xff\x01"},
        {"length beyond the file", std::string("\x10\x00" "abc", 5)},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("c.bin");
        dir.Write(path, r.bytes);
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        CString text("before");
        ar >> text;
        EXPECT_TRUE(text.IsEmpty()) << r.name;
        EXPECT_TRUE(ar.IsFailed()) << r.name;
        EXPECT_EQ(0u, ar.ReadCount()) << r.name;  // stays failed
    }
}

TEST(Archive, AFailedWriteIsReported) {
    CFile file;
    ASSERT_TRUE(file.Open("/dev/full", CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    ar << CString("data");
    EXPECT_FALSE(ar.Close());
    EXPECT_TRUE(ar.IsFailed());
}
