// The decoder's building blocks: the CRC and the table builder's verdict on code shapes.
#include "archive/Crc32.h"
#include "archive/HuffmanTable.h"

#include <gtest/gtest.h>

#include <ostream>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

TEST(GzipCrc32, MatchesTheCheckValueAndZlibAtEveryLengthAndAlignment) {
    EXPECT_EQ(0xCBF43926u, zembra::Crc32Update(0, "123456789", 9));
    std::string data;
    for (int i = 0; i < 300; ++i) data += char(i * 131 + (i >> 3));
    for (size_t offset = 0; offset < 8; ++offset)
        for (size_t length = 0; length + offset <= data.size(); length += 1 + length / 16) {
            const char* p = data.data() + offset;
            uint32_t expected = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(p), uInt(length)));
            ASSERT_EQ(expected, zembra::Crc32Update(0, p, length)) << "offset " << offset << " length " << length;
        }
}

TEST(GzipCrc32, ContinuesAcrossPieces) {
    std::string data(100000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * i >> 5);
    uint32_t crc = 0;
    for (size_t at = 0; at < data.size(); at += 32768)
        crc = zembra::Crc32Update(crc, data.data() + at, std::min<size_t>(32768, data.size() - at));
    EXPECT_EQ(uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()))), crc);
}

struct ShapeRow {
    const char* name;
    std::vector<uint8_t> lengths;
    zembra::CodeShape shape;
};

// Rows appear under their names in test listings instead of as raw bytes.
void PrintTo(const ShapeRow& row, std::ostream* out) { *out << row.name; }

class GzipHuffmanTable : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(GzipHuffmanTable, TellsTheShapeOfTheCode) {
    const ShapeRow& row = GetParam();
    std::vector<uint32_t> table(zembra::kDistTableSize);
    EXPECT_EQ(row.shape, zembra::BuildDecodeTable(table.data(), table.size(), zembra::kDistRootBits, row.lengths.data(),
                                                  unsigned(row.lengths.size()), zembra::kDistTemplates));
}

using zembra::CodeShape;
INSTANTIATE_TEST_SUITE_P(
    Rows, GzipHuffmanTable,
    ::testing::Values(ShapeRow{"TwoOneBitCodes", {1, 1}, CodeShape::Complete},
                      ShapeRow{"OneTwoTwo", {1, 2, 2}, CodeShape::Complete},
                      ShapeRow{"SingleOneBitCode", {0, 1, 0}, CodeShape::SingleCode},
                      ShapeRow{"SingleTwoBitCode", {2}, CodeShape::Incomplete},
                      ShapeRow{"NoCodes", {0, 0, 0}, CodeShape::Empty},
                      ShapeRow{"ThreeTwoBitCodes", {2, 2, 2}, CodeShape::Incomplete},
                      ShapeRow{"ThreeOneBitCodes", {1, 1, 1}, CodeShape::OverSubscribed},
                      ShapeRow{"OverSubscribedOnlyAtFifteenBits",
                               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15, 15},
                               CodeShape::OverSubscribed},
                      ShapeRow{"FifteenBitCodesComplete",
                               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15},
                               CodeShape::Complete}),
    [](const auto& info) { return std::string(info.param.name); });

// Every code of a complete 15-bit code decodes to its own symbol through root and subtable.
TEST(GzipHuffmanTableLookup, EverySymbolOfADeepCodeIsFound) {
    std::vector<uint8_t> lengths = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15};
    std::vector<uint32_t> table(zembra::kDistTableSize);
    ASSERT_EQ(CodeShape::Complete, zembra::BuildDecodeTable(table.data(), table.size(), zembra::kDistRootBits,
                                                            lengths.data(), unsigned(lengths.size()),
                                                            zembra::kPrecodeTemplates));
    uint32_t code = 0;
    for (unsigned symbol = 0; symbol < lengths.size(); ++symbol) {
        unsigned len = lengths[symbol];
        if (symbol > 0 && len == lengths[symbol - 1]) ++code;
        else if (symbol > 0) code = (code + 1) << (len - lengths[symbol - 1]);
        uint32_t reversed = 0;
        for (unsigned i = 0; i < len; ++i) reversed |= ((code >> i) & 1) << (len - 1 - i);
        uint32_t e = table[reversed & ((1u << zembra::kDistRootBits) - 1)];
        if (e & zembra::kEntryLink)
            e = table[zembra::EntryValue(e) + ((reversed >> zembra::kDistRootBits) & ((1u << zembra::EntryCodeBits(e)) - 1))];
        EXPECT_EQ(symbol, zembra::EntryValue(e)) << "symbol " << symbol;
        EXPECT_EQ(len > zembra::kDistRootBits ? len - zembra::kDistRootBits : len, zembra::EntryCodeBits(e))
            << "symbol " << symbol;
    }
}

}  // namespace
