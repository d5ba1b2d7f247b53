// Two-level decoding tables for the DEFLATE prefix codes.
//
// One 32-bit entry per index holds everything a symbol needs, so the inner loop does one lookup, one
// shift and, for lengths and distances, one mask:
//   bits 0..7   bits to drop: code bits plus extra bits (a link: the root bits)
//   bits 8..11  code bits; extra bits start after them (a link: index bits of its subtable)
//   bits 12..15 flags below
//   bits 16..31 value: literal byte, length or distance base, precode symbol, subtable offset
// The root table is indexed by the next rootBits input bits (first bit lowest); codes longer than the
// root continue in a subtable, whose entries count their bits from the end of the root.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zembra {

enum : uint32_t {
    kEntryLiteral = 1u << 12,
    kEntryLink = 1u << 13,
    kEntryEndOfBlock = 1u << 14,
    kEntryInvalid = 1u << 15,  // no code, or a code the format reserves
};

inline unsigned EntryDropBits(uint32_t e) { return e & 0xFF; }
inline unsigned EntryCodeBits(uint32_t e) { return (e >> 8) & 0xF; }
inline unsigned EntryValue(uint32_t e) { return e >> 16; }

constexpr unsigned kLitLenRootBits = 11;
constexpr unsigned kDistRootBits = 8;
constexpr unsigned kPrecodeRootBits = 7;

// The largest tables any code can need with these roots, 15-bit codes and subtables sized as below
// (zlib's "enough" program, which walks all code shapes: 288 symbols, root 11: 2342 entries; 32
// symbols, root 8: 402). The builder still refuses to pass the capacity it is given.
constexpr size_t kLitLenTableSize = 2342;
constexpr size_t kDistTableSize = 402;
constexpr size_t kPrecodeTableSize = 1u << kPrecodeRootBits;

constexpr unsigned kMaxCodeBits = 15;
constexpr unsigned kLitLenSymbols = 288;
constexpr unsigned kDistSymbols = 32;
constexpr unsigned kPrecodeSymbols = 19;

// Per-symbol templates (flags, value, extra-bit count in bits 0..7) that the builder completes.
extern const uint32_t kLitLenTemplates[kLitLenSymbols];
extern const uint32_t kDistTemplates[kDistSymbols];
extern const uint32_t kPrecodeTemplates[kPrecodeSymbols];

enum class CodeShape {
    Complete,
    SingleCode,      // one code of one bit: allowed for a block that needs only one symbol
    Empty,           // no code at all
    Incomplete,
    OverSubscribed,
    TooLarge,        // would not fit the capacity (cannot happen with the sizes above)
};

// Builds the table for code lengths[0..count); unused indexes get invalid entries.
CodeShape BuildDecodeTable(uint32_t* table, size_t capacity, unsigned rootBits, const uint8_t* lengths,
                           unsigned count, const uint32_t* templates);

// The fixed code of block type 1 (built once).
const uint32_t* FixedLitLenTable();
const uint32_t* FixedDistTable();

}  // namespace zembra
