#include "framework/AnsiNoCaseIndex.h"

#include "framework/AnsiText.h"

namespace {

constexpr uint32_t kDoubleByte = 0x100;  // stands for any double-byte character

struct FoldTable {
    bool singleByte = true;
    bool lead[256] = {};
    uint16_t of[256];  // the first byte that the runtime compares as equal to this one
    FoldTable() {
        for (int c = 0x80; c < 0x100; ++c) {
            lead[c] = AnsiIsLeadByte(static_cast<unsigned char>(c));
            if (lead[c]) singleByte = false;
        }
        of[0] = 0;
        for (int b = 1; b < 256; ++b) {
            of[b] = static_cast<uint16_t>(b);
            const char one[2] = {static_cast<char>(b), 0};
            for (int c = 1; c < b; ++c) {
                const char other[2] = {static_cast<char>(c), 0};
                if (of[c] == c && AnsiCompareNoCase(one, other) == 0) {
                    of[b] = static_cast<uint16_t>(c);
                    break;
                }
            }
        }
    }
};

const FoldTable& Table() {
    static const FoldTable table;
    return table;
}

}  // namespace

// FNV-1a over the classes, then mixed so that the low bits (the slot) depend on every byte: numbered
// names otherwise crowd together.
uint32_t AnsiNoCaseIndex::Hash(const char* name) {
    const FoldTable& t = Table();
    uint32_t h = 2166136261u;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name ? name : ""); *p; ++p) {
        if (t.lead[*p]) {
            // The runtime ends a name at a lead byte without its trail byte.
            if (!p[1]) break;
            ++p;
            h = (h ^ kDoubleByte) * 16777619u;
        } else {
            h = (h ^ t.of[*p]) * 16777619u;
        }
    }
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    return h ^ (h >> 16);
}

bool AnsiNoCaseIndex::SingleByteCodePage() { return Table().singleByte; }

bool AnsiNoCaseIndex::Equal(const char* a, const char* b) { return AnsiCompareNoCase(a ? a : "", b ? b : "") == 0; }

void AnsiNoCaseIndex::Clear() {
    std::vector<Slot>().swap(m_Slots);
    m_nCount = 0;
}

void AnsiNoCaseIndex::Grow() {
    std::vector<Slot> old;
    old.swap(m_Slots);
    m_Slots.assign(old.empty() ? 16 : 2 * old.size(), Slot{0, 0});
    for (const Slot& s : old) {
        if (s.idPlusOne == 0) continue;
        size_t slot = s.hash & Mask();
        while (m_Slots[slot].idPlusOne != 0) slot = (slot + 1) & Mask();
        m_Slots[slot] = s;
    }
}
