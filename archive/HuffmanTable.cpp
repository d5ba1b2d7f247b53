#include "archive/HuffmanTable.h"

namespace zembra {
namespace {

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct LitLenTemplates {
    uint32_t e[kLitLenSymbols];
};
constexpr LitLenTemplates MakeLitLen() {
    LitLenTemplates t{};
    for (uint32_t s = 0; s < 256; ++s) t.e[s] = kEntryLiteral | (s << 16);
    t.e[256] = kEntryEndOfBlock;
    for (uint32_t s = 257; s < 286; ++s) t.e[s] = (uint32_t(kLengthBase[s - 257]) << 16) | kLengthExtra[s - 257];
    // 286 and 287 take part in the fixed code but stand for no length.
    t.e[286] = t.e[287] = kEntryInvalid;
    return t;
}

struct DistTemplates {
    uint32_t e[kDistSymbols];
};
constexpr DistTemplates MakeDist() {
    DistTemplates t{};
    for (uint32_t s = 0; s < 30; ++s) t.e[s] = (uint32_t(kDistBase[s]) << 16) | kDistExtra[s];
    t.e[30] = t.e[31] = kEntryInvalid;
    return t;
}

constexpr LitLenTemplates kLitLen = MakeLitLen();
constexpr DistTemplates kDist = MakeDist();

inline uint32_t Reverse(uint32_t code, unsigned bits) {
    uint32_t r = 0;
    for (unsigned i = 0; i < bits; ++i, code >>= 1) r = (r << 1) | (code & 1);
    return r;
}

}  // namespace

const uint32_t kLitLenTemplates[kLitLenSymbols] = {
#define Z(i) kLitLen.e[i]
#define Z8(i) Z(i), Z(i + 1), Z(i + 2), Z(i + 3), Z(i + 4), Z(i + 5), Z(i + 6), Z(i + 7)
#define Z32(i) Z8(i), Z8(i + 8), Z8(i + 16), Z8(i + 24)
    Z32(0), Z32(32), Z32(64), Z32(96), Z32(128), Z32(160), Z32(192), Z32(224), Z32(256),
};
const uint32_t kDistTemplates[kDistSymbols] = {
#undef Z
#define Z(i) kDist.e[i]
    Z32(0),
#undef Z
#undef Z8
#undef Z32
};
const uint32_t kPrecodeTemplates[kPrecodeSymbols] = {0 << 16,  1 << 16,  2 << 16,  3 << 16,  4 << 16,
                                                     5 << 16,  6 << 16,  7 << 16,  8 << 16,  9 << 16,
                                                     10 << 16, 11 << 16, 12 << 16, 13 << 16, 14 << 16,
                                                     15 << 16, 16 << 16, 17 << 16, 18 << 16};

CodeShape BuildDecodeTable(uint32_t* table, size_t capacity, unsigned rootBits, const uint8_t* lengths,
                           unsigned count, const uint32_t* templates) {
    unsigned counts[kMaxCodeBits + 1] = {};
    for (unsigned s = 0; s < count; ++s) counts[lengths[s]]++;
    counts[0] = 0;

    // Kraft sum: codes left over at each length; negative means more codes than the length allows.
    int left = 1;
    unsigned codes = 0, maxBits = 0;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        left = (left << 1) - int(counts[len]);
        if (left < 0) return CodeShape::OverSubscribed;
        codes += counts[len];
        if (counts[len]) maxBits = len;
    }

    const size_t rootSize = size_t(1) << rootBits;
    if (capacity < rootSize) return CodeShape::TooLarge;
    // An index no code reaches fails once all the bits its level decides are present.
    for (size_t i = 0; i < rootSize; ++i) table[i] = kEntryInvalid | (rootBits << 8) | rootBits;

    // Symbols in canonical order: by length, then by symbol.
    uint16_t offsets[kMaxCodeBits + 2] = {};
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) offsets[len + 1] = uint16_t(offsets[len] + counts[len]);
    uint16_t sorted[kLitLenSymbols];
    for (unsigned s = 0; s < count; ++s)
        if (lengths[s]) sorted[offsets[lengths[s]]++] = uint16_t(s);

    unsigned remaining[kMaxCodeBits + 1];
    for (unsigned len = 0; len <= kMaxCodeBits; ++len) remaining[len] = counts[len];

    size_t used = rootSize;
    uint32_t* sub = nullptr;
    unsigned subBits = 0;
    uint32_t subPrefix = ~0u;
    uint32_t code = 0;  // canonical code, first bit highest
    unsigned len = 1, index = 0;
    for (; len <= kMaxCodeBits; ++len, code <<= 1) {
        for (unsigned n = 0; n < counts[len]; ++n, ++code, ++index) {
            uint32_t t = templates[sorted[index]];
            uint32_t reversed = Reverse(code, len);
            remaining[len]--;
            if (len <= rootBits) {
                uint32_t e = t + (len << 8) + len;
                for (size_t i = reversed; i < rootSize; i += size_t(1) << len) table[i] = e;
                continue;
            }
            uint32_t prefix = reversed & uint32_t(rootSize - 1);
            if (prefix != subPrefix) {
                // The subtable grows until the codes still to come under this prefix fill it.
                subBits = len - rootBits;
                int room = 1 << subBits;
                room -= int(remaining[len] + 1);
                while (room > 0 && subBits + rootBits < maxBits) {
                    ++subBits;
                    room = (room << 1) - int(remaining[subBits + rootBits]);
                }
                size_t size = size_t(1) << subBits;
                if (used + size > capacity) return CodeShape::TooLarge;
                sub = table + used;
                for (size_t i = 0; i < size; ++i) sub[i] = kEntryInvalid | (subBits << 8) | subBits;
                table[prefix] = kEntryLink | (uint32_t(used) << 16) | (subBits << 8) | rootBits;
                used += size;
                subPrefix = prefix;
            }
            unsigned bits = len - rootBits;
            uint32_t e = t + (bits << 8) + bits;
            for (size_t i = reversed >> rootBits; i < (size_t(1) << subBits); i += size_t(1) << bits) sub[i] = e;
        }
    }

    if (left == 0) return CodeShape::Complete;
    if (codes == 0) return CodeShape::Empty;
    if (codes == 1 && maxBits == 1) return CodeShape::SingleCode;
    return CodeShape::Incomplete;
}

namespace {

struct FixedTables {
    uint32_t litLen[size_t(1) << kLitLenRootBits];
    uint32_t dist[size_t(1) << kDistRootBits];
    FixedTables() {
        uint8_t lengths[kLitLenSymbols];
        for (unsigned s = 0; s < kLitLenSymbols; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        BuildDecodeTable(litLen, sizeof litLen / sizeof *litLen, kLitLenRootBits, lengths, kLitLenSymbols,
                         kLitLenTemplates);
        for (unsigned s = 0; s < kDistSymbols; ++s) lengths[s] = 5;
        BuildDecodeTable(dist, sizeof dist / sizeof *dist, kDistRootBits, lengths, kDistSymbols, kDistTemplates);
    }
};

const FixedTables& Fixed() {
    static const FixedTables tables;
    return tables;
}

}  // namespace

const uint32_t* FixedLitLenTable() { return Fixed().litLen; }
const uint32_t* FixedDistTable() { return Fixed().dist; }

}  // namespace zembra
