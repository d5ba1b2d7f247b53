// AnsiNoCaseIndex: finds, in constant time on average, the name of a collection that equals a given
// one as AnsiCompareNoCase compares them (letter case folded in the system's ANSI code page). The
// collection keeps its names; the index holds numbers (ids) and asks the collection for an id's name.
//
// The hash folds each byte into the class of bytes that the runtime's comparison takes as equal to it,
// classes found by asking that comparison itself, so equal names always share a hash. In a code page
// with double-byte characters a double-byte character counts by its position only (its case pairs are
// the runtime's business), which keeps the hash correct there too, if less selective.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class AnsiNoCaseIndex {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    static uint32_t Hash(const char* name);
    // True in a single-byte code page, where equal hashes mean equal names far more often.
    static bool SingleByteCodePage();

    void Clear();
    size_t Size() const { return m_nCount; }

    // The first id added under a name equal to name, or kNone. nameOf(id) gives an id's name.
    template <class NameOf>
    uint32_t Find(const char* name, NameOf nameOf) const {
        if (m_Slots.empty()) return kNone;
        const uint32_t hash = Hash(name);
        for (size_t slot = hash & Mask();; slot = (slot + 1) & Mask()) {
            const Slot& s = m_Slots[slot];
            if (s.idPlusOne == 0) return kNone;
            if (s.hash == hash && Equal(nameOf(s.idPlusOne - 1), name)) return s.idPlusOne - 1;
        }
    }

    // Adds id under name unless an equal name is there already; then that name's id comes back and
    // the index stays as it was. kNone when id was added.
    template <class NameOf>
    uint32_t Insert(uint32_t id, const char* name, NameOf nameOf) {
        if (2 * (m_nCount + 1) > m_Slots.size()) Grow();
        const uint32_t hash = Hash(name);
        for (size_t slot = hash & Mask();; slot = (slot + 1) & Mask()) {
            Slot& s = m_Slots[slot];
            if (s.idPlusOne == 0) {
                s = Slot{id + 1, hash};
                ++m_nCount;
                return kNone;
            }
            if (s.hash == hash && Equal(nameOf(s.idPlusOne - 1), name)) return s.idPlusOne - 1;
        }
    }

private:
    struct Slot {
        uint32_t idPlusOne;  // 0: free
        uint32_t hash;
    };
    size_t Mask() const { return m_Slots.size() - 1; }
    static bool Equal(const char* a, const char* b);
    void Grow();  // doubles the table, at least 16 slots; at most half of them are ever in use

    std::vector<Slot> m_Slots;
    size_t m_nCount = 0;
};
