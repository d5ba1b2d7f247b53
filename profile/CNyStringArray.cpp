#include "profile/CNyStringArray.h"

ZEMBRA_IMPLEMENT_RUNTIME_CLASS(CNyStringArray, CNyNEWStringArray, VERSIONABLE_SCHEMA | 2)

CNyStringArray::~CNyStringArray() {
    if (GetSize() > 0) RemoveAll();
}

void CNyStringArray::CatchUp() const {
    if (m_nIndexedRewrites != m_nRewrites || m_nIndexed > m_nSize) {
        m_Index.Clear();
        m_nIndexed = 0;
        m_nIndexedRewrites = m_nRewrites;
    }
    auto nameOf = [this](uint32_t i) { return m_pData[i].c_str(); };
    for (; m_nIndexed < m_nSize; ++m_nIndexed) m_Index.Insert(static_cast<uint32_t>(m_nIndexed), m_pData[m_nIndexed], nameOf);
}

bool CNyStringArray::Contains(const char* text) const {
    CatchUp();
    return m_Index.Find(text ? text : "", [this](uint32_t i) { return m_pData[i].c_str(); }) != AnsiNoCaseIndex::kNone;
}

bool CNyStringArray::AddUnique(CString text) {
    if (Contains(text)) return false;
    Add(text);
    return true;
}
