// Decoding results: short hand-made streams aimed at one branch each, and members written by zlib.
#include "DecoderHarness.h"

#include <gtest/gtest.h>

#include <ostream>
#include <zlib.h>

using namespace decoder_test;

namespace {

struct DeflateRow {
    const char* name;
    const char* deflate;  // raw DEFLATE data in hex; the test wraps it in a gzip member
    int result;
    const char* output;  // expected for result 0
    const char* errors;  // expected on standard error
};

// Rows appear under their names in test listings instead of as raw bytes.
void PrintTo(const DeflateRow& row, std::ostream* out) { *out << row.name; }

// zlib's verdict on each stream, for the record: stored/fixed/dynamic rows that fail are refused by
// zlib's inflate as well, with the message given in the comment.
const DeflateRow kDeflateRows[] = {
    {"StoredBlock", "01 05 00 fa ff 68 65 6c 6c 6f", 0, "hello", ""},
    {"StoredBlockLengthComplementWrong", "01 05 00 fa fe 68 65 6c 6c 6f", -1, "", ""},  // invalid stored block lengths
    {"BlockType3", "07", -1, "", ""},  // invalid block type
    {"FixedLiterals", "4b 4c 4a 4e 04 23 00", 0, "abcabcabc", ""},
    {"DistanceToFirstByte", "4b 04 02 00", 0, "aaaa", ""},
    {"DistanceBeforeFirstByte", "4b 04 42 00", -1, "", ""},  // invalid distance too far back
    {"FixedLength286", "1b 03", -1, "", ""},                 // invalid literal/length code
    {"FixedLength287", "1b 07", -1, "", ""},
    {"FixedDistance30", "4b 04 3e", -1, "", ""},  // invalid distance code
    {"FixedDistance31", "4b 04 7e", -1, "", ""},
    // Otherwise complete codes that declare 287 or 288 length codes, or 31 or 32 distance codes.
    {"LengthCodes287", "f5 c0 b1 0d 00 30 0c c3 b0 5b f9 ff 13 ba 44 14", -1, "", ""},  // too many length or distance symbols
    {"LengthCodes288", "fd c0 b1 0d 00 30 0c c3 b0 5b f9 ff 13 fa 44 14", -1, "", ""},
    {"DistanceCodes31", "05 de b1 0d 00 30 0c c3 b0 5b f9 ff 13 e4 25 14", -1, "", ""},
    {"DistanceCodes32", "05 df b1 0d 00 30 0c c3 b0 5b f9 ff 13 e4 27 14", -1, "", ""},
    {"PrecodeOverSubscribed", "05 00 92 00", -1, "", ""},                  // invalid code lengths set
    {"PrecodeIncomplete", "05 c0 01 04 00 00 00 00 20", -1, "", ""},
    // A repeat as the first length; the rest would make a complete code if it had repeated zeros.
    {"RepeatWithNothingBefore", "05 c0 b7 0d 00 00 0c c3 b0 f2 29 ff 7f 82 10", -1, "", ""},  // invalid bit length repeat
    {"RepeatPastTable", "05 c0 05 09 00 00 00 00 a0 ff ff ff 03", -1, "", ""},
    {"LitLenIncomplete", "05 c0 b1 0d 00 30 0c c3 b0 5b f5 ff 13 22 02", -1, "", " Error 12\n"},
    {"LitLenOverSubscribed", "05 c0 b1 0d 00 30 0c c3 b0 5b c9 ff 8f 20 01", -1, "", ""},
    {"DistIncomplete", "0d c2 b1 0d 00 30 0c c3 b0 5b f9 ff 13 92 24 01", -1, "", " Error 13\n"},
    {"DistOverSubscribed", "0d c2 b1 0d 00 30 0c c3 b0 5b f9 ff 13 12 49", -1, "", ""},
    {"NoEndOfBlockCode", "05 c0 b1 0d 00 30 0c c3 b0 5b c9 ff 9f 20", -1, "", ""},  // missing end-of-block
    {"SingleOneBitDistanceCode", "0d c0 b1 0d 00 30 0c c3 b0 5b f9 ff 13 12 2d", 0, "aaaa", ""},
    {"NoDistanceCodesLiteralsOnly", "05 c0 b1 0d 00 30 0c c3 b0 5b f9 ff 13 04 01", 0, "aa", ""},
    {"NoDistanceCodesButAMatch", "0d c0 b1 0d 00 30 0c c3 b0 5b f9 ff 13 12 0c 00", -1, "", ""},
    {"OnlyEndOfBlockCode", "05 c0 b1 0d 00 30 0c c3 b0 ff bf 26 00", 0, "", ""},
    {"FifteenBitLiteralCodes",
     "05 e1 db 92 24 49 92 2c cb 7e 2b 12 8b 9a 47 56 cf da e7 ff df 0e a2 ff ef ff d7 ff ef ff 0f", 0, "anobo", ""},
};

class GzipDecodeDeflate : public ::testing::TestWithParam<DeflateRow> {};

// Each stream runs twice: followed by more package data, so that the fast loop decodes it, and without
// its trailer, where the input ends within 8 bytes and every symbol takes the careful path. A format
// error ends at once, without the final flush, so its output stays empty; a good stream is flushed.
TEST_P(GzipDecodeDeflate, GivesTheExpectedResultOnBothPaths) {
    const DeflateRow& row = GetParam();
    const std::string expectedOutput = row.result == 0 ? row.output : "";
    std::string member = GzipWrap(Hex(row.deflate), row.output);
    Decoded whole = Decode(member + std::string(64, '\x55'));
    EXPECT_EQ(row.result, whole.result);
    EXPECT_EQ(expectedOutput, whole.output);
    EXPECT_EQ(row.errors, whole.errors);
    EXPECT_EQ(0, whole.lengthBoxes);

    Decoded atEnd = Decode(member.substr(0, member.size() - 8));
    EXPECT_EQ(-1, atEnd.result);
    EXPECT_EQ(expectedOutput, atEnd.output);
    EXPECT_EQ(row.errors, atEnd.errors);
}

INSTANTIATE_TEST_SUITE_P(Rows, GzipDecodeDeflate, ::testing::ValuesIn(kDeflateRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GzipDecodeDeflateLongCodes, FifteenBitDistanceCodesReachTheirSubtables) {
    std::string expected = "a" + std::string(258, 'a') + "aaa";
    Decoded d = Decode(GzipWrap(Hex("ed fd db 92 24 49 92 2c cb 7e 2b fe ff 4f 10 7f 08 23 b1 a8 79 64 f5 ac 7d "
                                    "fe e0 b8 15"),
                                expected));
    EXPECT_EQ(0, d.result);
    EXPECT_EQ(expected, d.output);
}

// Two one-bit literal codes and no end-of-block code: refused before a single byte is decoded, rather
// than turning the rest of the package into literals.
TEST(GzipDecodeDeflateNoEndOfBlock, IsRefusedBeforeDecoding) {
    Decoded d = Decode(GzipWrap(Hex("05 c0 b1 0d 00 30 0c c3 b0 5b c9 ff 9f 20"), "") + std::string(20000, '\x5a'));
    EXPECT_EQ(-1, d.result);
    EXPECT_EQ("", d.output);
}

// A format error is a failure even when the bytes after it look like the trailer of what was decoded
// so far (here: the CRC and length of nothing).
TEST(GzipDecodeDeflateFormatError, FailsWhateverFollows) {
    Decoded d = Decode(Hex("1f 8b 08 00 00 00 00 00 00 03 07 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(-1, d.result);
}

struct MemberRow {
    const char* name;
    std::string input;
    int result;
    std::string output;
};

void PrintTo(const MemberRow& row, std::ostream* out) { *out << row.name; }

const std::string kHello = "hello";
const std::string kHelloDeflate = Hex("01 05 00 fa ff 68 65 6c 6c 6f");
const std::string kHelloTrailer = Le32(Crc(kHello)) + Le32(5);
std::string Member(const char* header, const std::string& extra = "") { return Hex(header) + extra + kHelloDeflate + kHelloTrailer; }

class GzipDecodeMember : public ::testing::TestWithParam<MemberRow> {};

TEST_P(GzipDecodeMember, GivesTheExpectedResult) {
    const MemberRow& row = GetParam();
    Decoded d = Decode(row.input);
    EXPECT_EQ(row.result, d.result);
    if (row.result == 0) {
        EXPECT_EQ(row.output, d.output);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GzipDecodeMember,
    ::testing::Values(
        MemberRow{"Plain", Member("1f 8b 08 00 00 00 00 00 00 03"), 0, kHello},
        MemberRow{"Magic108B", Member("10 8b 08 00 00 00 00 00 00 03"), 0, kHello},
        MemberRow{"Magic1F9E", Member("1f 9e 08 00 00 00 00 00 00 03"), 0, kHello},
        MemberRow{"UnknownMagic", Member("1f 8c 08 00 00 00 00 00 00 03"), -1, ""},
        MemberRow{"Method0Refused", Member("1f 8b 00 00 00 00 00 00 00 03"), -1, ""},
        MemberRow{"TextFlagIgnored", Member("1f 8b 08 01 00 00 00 00 00 03"), 0, kHello},
        MemberRow{"HeaderCrcFlagRefused", Member("1f 8b 08 02 00 00 00 00 00 03", "\x12\x34"), -1, ""},
        MemberRow{"Flag20Refused", Member("1f 8b 08 20 00 00 00 00 00 03"), -1, ""},
        MemberRow{"Flag40Refused", Member("1f 8b 08 40 00 00 00 00 00 03"), -1, ""},
        MemberRow{"Flag80Refused", Member("1f 8b 08 80 00 00 00 00 00 03"), -1, ""},
        MemberRow{"ExtraFieldSkipped", Member("1f 8b 08 04 00 00 00 00 00 03 03 00 41 42 43"), 0, kHello},
        MemberRow{"NameAndCommentSkipped", Member("1f 8b 08 18 00 00 00 00 00 03", std::string("x.txt\0note\0", 11)),
                  0, kHello},
        MemberRow{"AllSkippedFieldsTogether",
                  Member("1f 8b 08 1c 00 00 00 00 00 03 02 00 41 42", std::string("x\0y\0", 4)), 0, kHello},
        MemberRow{"ExtraFieldLongerThanInput", Hex("1f 8b 08 04 00 00 00 00 00 03 ff 7f 41 42"), -1, ""},
        MemberRow{"NameNeverEnds", Hex("1f 8b 08 08 00 00 00 00 00 03 41 42 43"), -1, ""},
        MemberRow{"EmptyInput", "", -1, ""},
        MemberRow{"OneByte", Hex("1f"), -1, ""},
        MemberRow{"HeaderOnly", Hex("1f 8b 08 00 00 00 00 00 00 03"), -1, ""},
        MemberRow{"CrcMismatch", Hex("1f 8b 08 00 00 00 00 00 00 03") + kHelloDeflate + Le32(Crc(kHello) ^ 1) + Le32(5), -1,
                  ""},
        MemberRow{"TrailerCutOff", Hex("1f 8b 08 00 00 00 00 00 00 03") + kHelloDeflate + Le32(Crc(kHello)), -1, ""},
        MemberRow{"FollowedByOtherData", Member("1f 8b 08 00 00 00 00 00 00 03") + "next entry", 0, kHello}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GzipDecodeLength, WrongLengthWithRightCrcShowsTheBoxOnceAndCountsAsGood) {
    std::string data = SampleData(100000);
    std::string member = ZlibGzip(data);
    member.replace(member.size() - 4, 4, Le32(uint32_t(data.size() + 1)));
    Decoded d = Decode(member);
    EXPECT_EQ(0, d.result);
    EXPECT_EQ(1, d.lengthBoxes);
    EXPECT_EQ("invalid compressed data--length error", d.boxText);
    EXPECT_EQ(data, d.output);
}

struct ZipRow {
    const char* name;
    std::string input;
    int result;
    std::string output;
};

void PrintTo(const ZipRow& row, std::ostream* out) { *out << row.name; }

const std::string kZipData = SampleData(70000, 7);

class GzipDecodeZip : public ::testing::TestWithParam<ZipRow> {};

TEST_P(GzipDecodeZip, GivesTheExpectedResult) {
    const ZipRow& row = GetParam();
    Decoded d = Decode(row.input);
    EXPECT_EQ(row.result, d.result);
    EXPECT_EQ(row.output, d.output);
    EXPECT_EQ(0, d.lengthBoxes);
}

ZipEntry Entry(bool deflated, bool descriptor) {
    ZipEntry e;
    e.data = kZipData;
    e.deflated = deflated;
    e.descriptor = descriptor;
    return e;
}

ZipEntry With(ZipEntry e, uint16_t flags, uint16_t method, uint32_t sizeDelta) {
    e.flags = flags;
    e.method = method;
    e.sizeDelta = sizeDelta;
    return e;
}

std::string WithLongName() {
    std::string zip = Zip(Entry(true, false));
    zip[26] = char(0x00);
    zip[27] = char(0x90);  // a name of 36864 bytes: the header cannot lie inside the buffer
    return zip;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GzipDecodeZip,
    ::testing::Values(ZipRow{"Stored", Zip(Entry(false, false)), 0, kZipData},
                      ZipRow{"Deflated", Zip(Entry(true, false)), 0, kZipData},
                      ZipRow{"StoredWithDescriptor", Zip(Entry(false, true)), 0, kZipData},
                      ZipRow{"DeflatedWithDescriptor", Zip(Entry(true, true)), 0, kZipData},
                      ZipRow{"FollowedByCentralDirectory", Zip(Entry(true, false)) + Hex("50 4b 01 02 00 00"), 0,
                             kZipData},
                      // The second entry is found after the first was written.
                      ZipRow{"SecondEntryRefused", Zip(Entry(true, false)) + Zip(Entry(false, false)), -1, kZipData},
                      ZipRow{"EncryptedRefused", Zip(With(Entry(true, false), 1, 0xFFFF, 0)), -1, ""},
                      ZipRow{"MethodOtherThanStoredOrDeflatedRefused", Zip(With(Entry(true, false), 0, 12, 0)), -1, ""},
                      ZipRow{"StoredSizesDiffer", Zip(With(Entry(false, false), 0, 0xFFFF, 1)), -1, ""},
                      ZipRow{"HeaderLongerThanTheBuffer", WithLongName(), -1, ""},
                      ZipRow{"TooShortForAHeader", Hex("50 4b 03 04 14 00 00 00"), -1, ""},
                      ZipRow{"NotALocalHeader", Hex("50 4b 05 06 00 00 00 00 00 00"), -1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GzipDecodeZipLength, WrongRecordedSizeOfADeflatedEntryShowsTheBox) {
    Decoded d = Decode(Zip(With(Entry(true, false), 0, 0xFFFF, 5)));
    EXPECT_EQ(0, d.result);
    EXPECT_EQ(1, d.lengthBoxes);
    EXPECT_EQ(kZipData, d.output);
}

struct Setting {
    int level;
    int strategy;
};

class GzipDecodeCrossCheck : public ::testing::TestWithParam<Setting> {};

// Members zlib writes at every level and with every strategy decode byte for byte.
TEST_P(GzipDecodeCrossCheck, DecodesWhatZlibWrites) {
    static const std::string data = SampleData(400000, 3);
    Decoded d = Decode(ZlibGzip(data, GetParam().level, GetParam().strategy));
    EXPECT_EQ(0, d.result);
    EXPECT_TRUE(d.output == data) << "decoded " << d.output.size() << " bytes of " << data.size();
}

std::vector<Setting> AllSettings() {
    std::vector<Setting> all;
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED})
        for (int level = 0; level <= 9; ++level) all.push_back({level, strategy});
    return all;
}

std::string SettingName(const ::testing::TestParamInfo<Setting>& info) {
    static const char* const kNames[] = {"Default", "Filtered", "HuffmanOnly", "Rle", "Fixed"};
    return std::string(kNames[info.param.strategy]) + "Level" + std::to_string(info.param.level);
}

INSTANTIATE_TEST_SUITE_P(Settings, GzipDecodeCrossCheck, ::testing::ValuesIn(AllSettings()), SettingName);

class GzipDecodeSize : public ::testing::TestWithParam<size_t> {};

TEST_P(GzipDecodeSize, DecodesEveryWindowBoundary) {
    std::string data = SampleData(GetParam(), 11);
    for (int level : {0, 1, 9}) {
        Decoded d = Decode(ZlibGzip(data, level));
        EXPECT_EQ(0, d.result) << "level " << level;
        EXPECT_TRUE(d.output == data) << "level " << level << ": " << d.output.size() << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GzipDecodeSize,
                         ::testing::Values(0, 1, 258, 32767, 32768, 32769, 65535, 65536, 65537, 1000000),
                         [](const auto& info) { return "Bytes" + std::to_string(info.param); });

}  // namespace
