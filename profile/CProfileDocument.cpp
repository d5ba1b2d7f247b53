#include "profile/CProfileDocument.h"

#include "framework/AnsiText.h"

#include <utility>

namespace {

constexpr int kSectionSlotStep = 1000;
constexpr int kFirstKeySlots = 20;
constexpr int kKeySlotStep = 100;
constexpr int kSlotReserve = 10;  // a step is taken when fewer than this many slots are left
constexpr size_t kHeaderCommentSlots = 2000;

bool SameName(const CString& a, const char* b) { return AnsiCompareNoCase(a, b ? b : "") == 0; }

// Sections with more keys than this are indexed by name; a walk over a few keys is as quick.
constexpr int kIndexedKeys = 16;

// atol as the program's runtime has it: leading white space, an optional sign, decimal digits up to
// the first other character. Digits beyond the 32-bit range wrap around, so that any value written
// by SetInt ("%lu") reads back as the same 32 bits: 4294967295 gives -1.
int32_t AtolText(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

}  // namespace

CProfileDocument::CProfileDocument() = default;

CProfileDocument::~CProfileDocument() = default;

void CProfileDocument::SetPath(const char* path) {
    m_strPath = path;
    if (m_HeaderComments.size() < kHeaderCommentSlots) m_HeaderComments.resize(kHeaderCommentSlots);
}

CProfileEntry* CProfileDocument::FindSection(const char* name) {
    uint32_t index = m_SectionIndex.Find(name, [this](uint32_t i) { return m_Sections[i].m_strName.c_str(); });
    return index == AnsiNoCaseIndex::kNone ? nullptr : &m_Sections[index];
}

CProfileEntry* CProfileDocument::FindKey(CProfileEntry* section, const char* key) {
    int count = section->m_nKeyCount;
    if (section->m_KeyIndex.Size() > 0 && !section->m_bRepeatedKeys) {
        // Names are unique, so the one hit is also the first at or after the cursor.
        uint32_t found = section->m_KeyIndex.Find(key, [section](uint32_t i) { return section->m_Keys[i].m_strName.c_str(); });
        m_nLastKeyIndex = found == AnsiNoCaseIndex::kNone ? -1 : static_cast<int>(found);
        return m_nLastKeyIndex < 0 ? nullptr : &section->m_Keys[found];
    }
    if (count > 0) {
        if (m_nLastKeyIndex >= 0 && m_nLastKeyIndex < count) {
            for (int i = m_nLastKeyIndex; i < count; ++i) {
                if (SameName(section->m_Keys[static_cast<size_t>(i)].m_strName, key)) {
                    m_nLastKeyIndex = i;
                    return &section->m_Keys[static_cast<size_t>(i)];
                }
            }
        }
        for (int i = 0; i < count; ++i) {
            if (SameName(section->m_Keys[static_cast<size_t>(i)].m_strName, key)) {
                m_nLastKeyIndex = i;
                return &section->m_Keys[static_cast<size_t>(i)];
            }
        }
    }
    m_nLastKeyIndex = -1;
    return nullptr;
}

CProfileEntry* CProfileDocument::LookupKey(const char* section, const char* key) {
    CProfileEntry* found = m_pCurrentSection;
    if (!found || !SameName(found->m_strName, section)) {
        m_nLastKeyIndex = -1;
        found = FindSection(section);
        if (!found) return nullptr;
    }
    m_pCurrentSection = found;
    return FindKey(found, key);
}

CProfileEntry* CProfileDocument::FindOrAddKey(const char* section, const char* key) {
    CProfileEntry* found = m_pCurrentSection;
    if (!found || !SameName(found->m_strName, section)) found = FindSection(section);
    if (found) {
        m_pCurrentSection = found;
        if (m_bUniqueKeys) {
            if (CProfileEntry* existing = FindKey(found, key)) return existing;
        }
        return AddKey(found, key, "");
    }
    return AddKey(AddSection(section), key, "");
}

CProfileEntry* CProfileDocument::AddSection(const char* name) {
    if (m_nSectionCount + kSlotReserve > m_nSectionSlots) {
        m_nSectionSlots += kSectionSlotStep;
        m_pCurrentSection = nullptr;
    }
    m_Sections.emplace_back();
    CProfileEntry& section = m_Sections.back();
    section.m_nKind = CProfileEntry::kindSection;
    section.m_strName = name;
    section.m_nKeySlots = kFirstKeySlots;
    m_SectionIndex.Insert(static_cast<uint32_t>(m_nSectionCount), section.m_strName,
                          [this](uint32_t i) { return m_Sections[i].m_strName.c_str(); });
    ++m_nSectionCount;
    return &section;
}

CProfileEntry* CProfileDocument::AddKey(CProfileEntry* section, const char* key, const char* value) {
    // Copied first: the texts may live in a key that the growing storage is about to move.
    CString name(key), text(value);
    if (section->m_nKeyCount + kSlotReserve > section->m_nKeySlots) section->m_nKeySlots += kKeySlotStep;
    section->m_Keys.emplace_back();
    CProfileEntry& entry = section->m_Keys.back();
    entry.m_nKind = CProfileEntry::kindKey;
    entry.m_strName = std::move(name);
    entry.m_strValue = std::move(text);
    ++section->m_nKeyCount;
    if (section->m_nKeyCount == kIndexedKeys + 1) {
        for (int k = 0; k < section->m_nKeyCount; ++k) IndexKey(section, k);
    } else if (section->m_nKeyCount > kIndexedKeys + 1) {
        IndexKey(section, section->m_nKeyCount - 1);
    }
    return &entry;
}

void CProfileDocument::IndexKey(CProfileEntry* section, int key) {
    uint32_t earlier = section->m_KeyIndex.Insert(static_cast<uint32_t>(key), section->m_Keys[static_cast<size_t>(key)].m_strName,
                                                  [section](uint32_t i) { return section->m_Keys[i].m_strName.c_str(); });
    if (earlier != AnsiNoCaseIndex::kNone) section->m_bRepeatedKeys = true;
}

void CProfileDocument::AddCommentLine(std::vector<CString>& list, const CString& line, AnsiNoCaseIndex* index) {
    // Empty entries never match a comment; an empty line matches one.
    if (index && !line.IsEmpty()) {
        auto nameOf = [&list](uint32_t i) { return list[i].c_str(); };
        if (index->Insert(static_cast<uint32_t>(list.size()), line, nameOf) == AnsiNoCaseIndex::kNone) list.push_back(line);
        return;
    }
    for (const CString& entry : list)
        if (entry.IsEmpty() ? line.IsEmpty() : SameName(entry, line)) return;
    list.push_back(line);
}

CString CProfileDocument::GetString(const char* section, const char* key, const char* defaultValue) {
    CProfileEntry* entry = LookupKey(section, key);
    return entry ? entry->m_strValue : CString(defaultValue);
}

int32_t CProfileDocument::GetInt(const char* section, const char* key, int32_t defaultValue) {
    CProfileEntry* entry = LookupKey(section, key);
    return entry ? AtolText(entry->m_strValue) : defaultValue;
}

bool CProfileDocument::SetString(const char* section, const char* key, const char* value) {
    CString text(value);  // may be the value of a key that FindOrAddKey moves
    FindOrAddKey(section, key)->m_strValue = std::move(text);
    return true;
}

bool CProfileDocument::SetInt(const char* section, const char* key, uint32_t value) {
    CString text;
    text.Format("%lu", static_cast<unsigned long>(value));
    return SetString(section, key, text);
}
