#include "profile/CNyStringArray.h"

#include "framework/AnsiText.h"

ZEMBRA_IMPLEMENT_RUNTIME_CLASS(CNyStringArray, CNyNEWStringArray, VERSIONABLE_SCHEMA | 2)

CNyStringArray::~CNyStringArray() {
    if (GetSize() > 0) RemoveAll();
}

bool CNyStringArray::Contains(const char* text) const {
    for (int i = 0; i < m_nSize; ++i)
        if (AnsiCompareNoCase(m_pData[i], text ? text : "") == 0) return true;
    return false;
}

bool CNyStringArray::AddUnique(CString text) {
    if (Contains(text)) return false;
    Add(text);
    return true;
}
