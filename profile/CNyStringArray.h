// CNyStringArray: a string list that can hold each name once, names compared without regard to case
// in the ANSI code page (installed files, created folders). Its strings are found by a hash of their
// folded names, so Contains and AddUnique take constant time on average however long the list.
#pragma once

#include "framework/AnsiNoCaseIndex.h"
#include "profile/CNyNEWStringArray.h"

class CNyStringArray : public CNyNEWStringArray {
    ZEMBRA_DECLARE_RUNTIME_CLASS(CNyStringArray)

public:
    CNyStringArray() = default;
    ~CNyStringArray() override;

    bool Contains(const char* text) const;
    bool AddUnique(CString text);  // false, leaving the list as it was, when Contains finds it

private:
    // Brings the index up to the list: appended strings are added, any other change rebuilds it.
    void CatchUp() const;

    mutable AnsiNoCaseIndex m_Index;
    mutable int m_nIndexed = 0;  // strings 0 .. m_nIndexed - 1 are in the index
    mutable unsigned m_nIndexedRewrites = 0;
};
