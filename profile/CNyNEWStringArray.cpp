#include "profile/CNyNEWStringArray.h"

#include "framework/CArchive.h"

#include <climits>
#include <cstdint>
#include <new>
#include <utility>

ZEMBRA_IMPLEMENT_RUNTIME_CLASS(CNyNEWStringArray, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

CString* Allocate(int slots) {
    if (slots <= 0) return nullptr;
    if (static_cast<uint64_t>(slots) > SIZE_MAX / sizeof(CString)) throw std::bad_alloc();
    return static_cast<CString*>(::operator new(static_cast<size_t>(slots) * sizeof(CString)));
}

void ConstructEmpty(CString* first, int count) {
    for (int i = 0; i < count; ++i) new (first + i) CString();
}

void Destroy(CString* first, int count) {
    for (int i = 0; i < count; ++i) first[i].~CString();
}

}  // namespace

CNyNEWStringArray::~CNyNEWStringArray() {
    Destroy(m_pData, m_nSize);
    ::operator delete(m_pData);
}

void CNyNEWStringArray::SetSize(int newSize, int growBy) {
    if (growBy >= 0) m_nGrowBy = growBy;
    if (newSize < 0) return;  // not a size: the list stays as it is
    if (newSize < m_nSize) ++m_nRewrites;
    if (newSize == 0) {
        Destroy(m_pData, m_nSize);
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (!m_pData) {
        m_pData = Allocate(newSize);
        ConstructEmpty(m_pData, newSize);
        m_nSize = m_nMaxSize = newSize;
        return;
    }
    if (newSize <= m_nMaxSize) {
        if (newSize > m_nSize) ConstructEmpty(m_pData + m_nSize, newSize - m_nSize);
        else Destroy(m_pData + newSize, m_nSize - newSize);
        m_nSize = newSize;
        return;
    }
    int step = m_nGrowBy;
    if (step == 0) {
        step = m_nSize / 8;
        step = step < 4 ? 4 : (step > 1024 ? 1024 : step);
    }
    int newMax = m_nMaxSize > INT_MAX - step ? INT_MAX : m_nMaxSize + step;
    if (newSize > newMax) newMax = newSize;
    CString* data = Allocate(newMax);
    for (int i = 0; i < m_nSize; ++i) {
        new (data + i) CString(std::move(m_pData[i]));
        m_pData[i].~CString();
    }
    ConstructEmpty(data + m_nSize, newSize - m_nSize);
    ::operator delete(m_pData);
    m_pData = data;
    m_nSize = newSize;
    m_nMaxSize = newMax;
}

void CNyNEWStringArray::SetAtGrow(int index, const CString& text) {
    if (index < 0) return;
    CString copy(text);  // may be one of our own strings, which growing moves
    if (index < m_nSize) ++m_nRewrites;
    if (index >= m_nSize) SetSize(index + 1);
    m_pData[index] = std::move(copy);
}

int CNyNEWStringArray::Add(const CString& text) {
    int index = m_nSize;
    SetAtGrow(index, text);
    return index;
}

void CNyNEWStringArray::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(m_nSize));
        for (int i = 0; i < m_nSize; ++i) ar << m_pData[i];
        return;
    }
    ++m_nRewrites;
    uint32_t count = ar.ReadCount();
    // Every string takes at least the two bytes of its length: a larger count is damage, not a list.
    if (ar.IsFailed() || count > INT_MAX || static_cast<int64_t>(count) * 2 > ar.BytesLeft()) {
        ar.SetFailed();
        RemoveAll();
        return;
    }
    SetSize(static_cast<int>(count));
    for (int i = 0; i < m_nSize; ++i) ar >> m_pData[i];
    if (ar.IsFailed()) RemoveAll();
}

void CNyNEWStringArray::AssertValid() const {}

void CNyNEWStringArray::Dump(CDumpContext&) const {}
