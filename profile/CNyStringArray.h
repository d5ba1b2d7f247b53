// CNyStringArray: a string list that can hold each name once, names compared without regard to case
// in the ANSI code page (installed files, created folders).
#pragma once

#include "profile/CNyNEWStringArray.h"

class CNyStringArray : public CNyNEWStringArray {
    ZEMBRA_DECLARE_RUNTIME_CLASS(CNyStringArray)

public:
    CNyStringArray() = default;
    ~CNyStringArray() override;

    bool Contains(const char* text) const;
    bool AddUnique(CString text);  // false, leaving the list as it was, when Contains finds it
};
