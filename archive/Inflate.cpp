#include "archive/Inflate.h"

#include <cstring>

namespace zembra {
namespace {

enum class Step { Continue, EndOfBlock, Failed };

inline uint64_t Mask(unsigned bits) { return (uint64_t(1) << bits) - 1; }

inline uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

template <size_t N>
inline void CopyChunk(uint8_t* dst, const uint8_t* src) {
    uint8_t tmp[N];
    std::memcpy(tmp, src, N);
    std::memcpy(dst, tmp, N);
}

// Copies a match of len bytes from dist bytes back, exactly: the bytes after the match are history of
// the circular window and must stay. Overlapping matches repeat their pattern.
inline void CopyMatch(uint8_t* dst, size_t dist, size_t len) {
    const uint8_t* src = dst - dist;
    uint8_t* const end = dst + len;
    if (len >= 16 && dist >= 16) {
        // Every chunk reads bytes that are already final, since they lie a whole chunk or more back.
        do {
            CopyChunk<16>(dst, src);
            dst += 16;
            src += 16;
        } while (end - dst >= 16);
        CopyChunk<16>(end - 16, end - 16 - dist);
    } else if (len >= 8 && dist >= 8) {
        do {
            CopyChunk<8>(dst, src);
            dst += 8;
            src += 8;
        } while (end - dst >= 8);
        CopyChunk<8>(end - 8, end - 8 - dist);
    } else if (dist >= len && len >= 4) {
        CopyChunk<4>(dst, src);
        CopyChunk<4>(end - 4, end - 4 - dist);
    } else if (dist == 1) {
        std::memset(dst, *src, len);
    } else {
        while (dst < end) *dst++ = *src++;
    }
}

// A match whose source begins before the window's start continues from the window's end (the previous
// round of the circular window) and then, if longer, from its start.
inline void CopyWrappedMatch(uint8_t* window, size_t pos, size_t dist, size_t len) {
    size_t back = dist - pos;
    size_t first = len < back ? len : back;
    uint8_t* dst = window + pos;
    const uint8_t* src = window + kWindowSize - back;
    // The source lies kWindowSize - dist bytes ahead of the destination and may overlap it.
    std::memmove(dst, src, first);
    if (len > first) CopyMatch(dst + first, dist, len - first);
}

// The fast loop. Precondition at every iteration, checked at its top: 8 input bytes readable at the
// read position (one refill brings at least 56 bits, enough for a length and a distance with their
// extra bits) and the output position inside the window (a match ends in the slack at worst).
Step DecodeFast(DecoderState& s, const uint32_t* litLen, const uint32_t* dist) {
    const uint8_t* in = s.input + s.inputPos;
    const uint8_t* const inLast = s.input + s.inputFill - 8;
    uint8_t* const window = s.window;
    uint8_t* const windowEnd = window + kWindowSize;
    uint8_t* out = window + s.windowFill;
    uint64_t bitBuffer = s.bitBuffer;
    unsigned bitCount = s.bitCount;
    bool historyFull = s.historyFull;
    Step step = Step::Continue;

    while (in <= inLast) {
        if (out >= windowEnd) {
            s.windowFill = uint32_t(out - window);
            if (!s.FlushFullWindow()) {
                step = Step::Failed;
                break;
            }
            out = window + s.windowFill;
            historyFull = true;
        }
        bitBuffer |= Load64(in) << bitCount;
        in += (63 - bitCount) >> 3;
        bitCount |= 56;

        uint32_t e = litLen[bitBuffer & Mask(kLitLenRootBits)];
        if (e & kEntryLink) {
            bitBuffer >>= kLitLenRootBits;
            bitCount -= kLitLenRootBits;
            e = litLen[EntryValue(e) + (bitBuffer & Mask(EntryCodeBits(e)))];
        }
        uint64_t bits = bitBuffer;
        bitBuffer >>= EntryDropBits(e);
        bitCount -= EntryDropBits(e);
        if (e & kEntryLiteral) {
            *out++ = uint8_t(EntryValue(e));
            // A literal leaves at least 41 bits: room for one more literal without a refill.
            e = litLen[bitBuffer & Mask(kLitLenRootBits)];
            if ((e & (kEntryLiteral | kEntryLink)) == kEntryLiteral) {
                bitBuffer >>= EntryDropBits(e);
                bitCount -= EntryDropBits(e);
                *out++ = uint8_t(EntryValue(e));
            }
            continue;
        }
        if (e & (kEntryEndOfBlock | kEntryInvalid)) {
            step = (e & kEntryInvalid) ? Step::Failed : Step::EndOfBlock;
            break;
        }
        size_t length = EntryValue(e) + size_t((bits & Mask(EntryDropBits(e))) >> EntryCodeBits(e));

        e = dist[bitBuffer & Mask(kDistRootBits)];
        if (e & kEntryLink) {
            bitBuffer >>= kDistRootBits;
            bitCount -= kDistRootBits;
            e = dist[EntryValue(e) + (bitBuffer & Mask(EntryCodeBits(e)))];
        }
        bits = bitBuffer;
        bitBuffer >>= EntryDropBits(e);
        bitCount -= EntryDropBits(e);
        if (e & kEntryInvalid) {
            step = Step::Failed;
            break;
        }
        size_t distance = EntryValue(e) + size_t((bits & Mask(EntryDropBits(e))) >> EntryCodeBits(e));

        size_t pos = size_t(out - window);
        if (distance <= pos) {
            CopyMatch(out, distance, length);
        } else if (historyFull) {
            CopyWrappedMatch(window, pos, distance, length);
        } else {
            step = Step::Failed;  // reaches before the first byte of the entry
            break;
        }
        out += length;
    }

    s.inputPos = uint32_t(in - s.input);
    s.windowFill = uint32_t(out - window);
    s.bitBuffer = bitBuffer & Mask(bitCount);
    s.bitCount = bitCount;
    if (step != Step::Failed && s.windowFill >= kWindowSize && !s.FlushFullWindow()) step = Step::Failed;
    return step;
}

// Looks an entry up with only the bits at hand, pulling input bytes one at a time while the entry
// needs more. So a code at the very end of the input decodes without reading past it.
bool DecodeEntrySlow(DecoderState& s, const uint32_t* table, unsigned rootBits, uint32_t* entry) {
    for (;;) {
        uint32_t e = table[s.PeekBits(rootBits)];
        if (e & kEntryLink) {
            if (s.bitCount >= rootBits) {
                uint32_t sub = table[EntryValue(e) + ((s.bitBuffer >> rootBits) & Mask(EntryCodeBits(e)))];
                if (rootBits + EntryCodeBits(sub) <= s.bitCount) {
                    s.DropBits(rootBits);
                    *entry = sub;
                    return true;
                }
            }
        } else if (EntryCodeBits(e) <= s.bitCount) {
            *entry = e;
            return true;
        }
        if (!s.PullByte()) return false;
    }
}

// Base plus extra bits of a length or distance entry; consumes the code and its extra bits.
bool TakeEntryValue(DecoderState& s, uint32_t e, size_t* value) {
    if (!s.NeedBits(EntryDropBits(e))) return false;
    *value = EntryValue(e) + (s.PeekBits(EntryDropBits(e)) >> EntryCodeBits(e));
    s.DropBits(EntryDropBits(e));
    return true;
}

// One literal or match with every check; used where the fast loop's precondition does not hold.
Step DecodeSlow(DecoderState& s, const uint32_t* litLen, const uint32_t* dist) {
    uint32_t e;
    if (!DecodeEntrySlow(s, litLen, kLitLenRootBits, &e) || (e & kEntryInvalid)) return Step::Failed;
    if (e & kEntryLiteral) {
        s.DropBits(EntryDropBits(e));
        return s.PutByte(uint8_t(EntryValue(e))) ? Step::Continue : Step::Failed;
    }
    if (e & kEntryEndOfBlock) {
        s.DropBits(EntryDropBits(e));
        return Step::EndOfBlock;
    }
    size_t length, distance;
    if (!TakeEntryValue(s, e, &length)) return Step::Failed;
    if (!DecodeEntrySlow(s, dist, kDistRootBits, &e) || (e & kEntryInvalid)) return Step::Failed;
    if (!TakeEntryValue(s, e, &distance)) return Step::Failed;
    if (distance > s.windowFill && !s.historyFull) return Step::Failed;
    while (length--) {
        if (!s.PutByte(s.window[(s.windowFill - distance) & (kWindowSize - 1)])) return Step::Failed;
    }
    return Step::Continue;
}

bool DecodeCodes(DecoderState& s, const uint32_t* litLen, const uint32_t* dist) {
    for (;;) {
        Step step = Step::Continue;
        if (s.inputFill - s.inputPos >= 8) step = DecodeFast(s, litLen, dist);
        if (step == Step::Continue) step = DecodeSlow(s, litLen, dist);
        if (step != Step::Continue) return step == Step::EndOfBlock;
    }
}

bool StoredBlock(DecoderState& s) {
    s.DropBits(s.bitCount & 7);
    if (!s.GiveBackBytes()) return false;
    uint8_t h[4];
    for (uint8_t& b : h)
        if (!s.ReadByte(&b)) return false;
    uint32_t length = h[0] | uint32_t(h[1]) << 8;
    uint32_t complement = h[2] | uint32_t(h[3]) << 8;
    if (length != (~complement & 0xFFFF)) return false;
    return s.CopyInput(length, false);
}

// Reads the code lengths of a dynamic block and builds its tables.
bool DynamicTables(DecoderState& s) {
    static const uint8_t kPrecodeOrder[kPrecodeSymbols] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    if (!s.NeedBits(14)) return false;
    unsigned litLenCount = s.TakeBits(5) + 257;
    unsigned distCount = s.TakeBits(5) + 1;
    unsigned precodeCount = s.TakeBits(4) + 4;
    if (litLenCount > 286 || distCount > 30) return false;

    uint8_t lengths[kLitLenSymbols + kDistSymbols] = {};
    for (unsigned i = 0; i < precodeCount; ++i) {
        if (!s.NeedBits(3)) return false;
        lengths[kPrecodeOrder[i]] = uint8_t(s.TakeBits(3));
    }
    if (BuildDecodeTable(s.precodeTable, kPrecodeTableSize, kPrecodeRootBits, lengths, kPrecodeSymbols,
                         kPrecodeTemplates) != CodeShape::Complete)
        return false;

    const unsigned total = litLenCount + distCount;
    std::memset(lengths, 0, sizeof lengths);
    for (unsigned i = 0; i < total;) {
        uint32_t e;
        if (!DecodeEntrySlow(s, s.precodeTable, kPrecodeRootBits, &e)) return false;
        s.DropBits(EntryDropBits(e));
        unsigned symbol = EntryValue(e);
        if (symbol < 16) {
            lengths[i++] = uint8_t(symbol);
            continue;
        }
        uint8_t value = 0;
        unsigned repeat;
        if (symbol == 16) {
            if (i == 0) return false;  // nothing to repeat
            value = lengths[i - 1];
            if (!s.NeedBits(2)) return false;
            repeat = 3 + s.TakeBits(2);
        } else if (symbol == 17) {
            if (!s.NeedBits(3)) return false;
            repeat = 3 + s.TakeBits(3);
        } else {
            if (!s.NeedBits(7)) return false;
            repeat = 11 + s.TakeBits(7);
        }
        if (repeat > total - i) return false;  // runs past the lengths the block declared
        std::memset(lengths + i, value, repeat);
        i += repeat;
    }

    switch (BuildDecodeTable(s.litLenTable, kLitLenTableSize, kLitLenRootBits, lengths, litLenCount,
                             kLitLenTemplates)) {
        case CodeShape::Complete:
        case CodeShape::SingleCode: break;
        case CodeShape::Empty:
        case CodeShape::Incomplete: DecoderMessage(" Error 12\n"); return false;
        default: return false;
    }
    switch (BuildDecodeTable(s.distTable, kDistTableSize, kDistRootBits, lengths + litLenCount, distCount,
                             kDistTemplates)) {
        // No distance code at all suits a block of literals only; a match in it then fails.
        case CodeShape::Complete:
        case CodeShape::SingleCode:
        case CodeShape::Empty: break;
        case CodeShape::Incomplete: DecoderMessage(" Error 13\n"); return false;
        default: return false;
    }
    return lengths[256] != 0;  // a block without an end-of-block code could never end
}

}  // namespace

bool Inflate(DecoderState& s) {
    bool last = false;
    while (!last) {
        if (!s.NeedBits(3)) return false;
        last = s.TakeBits(1) != 0;
        bool ok = false;
        switch (s.TakeBits(2)) {
            case 0: ok = StoredBlock(s); break;
            case 1: ok = DecodeCodes(s, FixedLitLenTable(), FixedDistTable()); break;
            case 2: ok = DynamicTables(s) && DecodeCodes(s, s.litLenTable, s.distTable); break;
            default: break;
        }
        if (!ok) return false;
        ReportDecodedProgress();
        if (CancelRequested()) break;
    }
    if (!s.GiveBackBytes() || !s.FlushWindow()) return false;
    ReportDecodedProgress();
    return true;
}

}  // namespace zembra
