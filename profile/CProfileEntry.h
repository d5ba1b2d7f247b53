// CProfileEntry: one record of a profile document, either a section (with its keys and the comment
// lines written before its header) or a key (with its value). Names and values are kept exactly as
// read, spaces included.
#pragma once

#include "framework/AnsiNoCaseIndex.h"
#include "framework/CObject.h"
#include "framework/CString.h"

#include <vector>

class CProfileEntry : public CObject {
public:
    enum Kind { kindUnused = 0, kindSection = 1, kindKey = 2 };

    CProfileEntry() = default;
    ~CProfileEntry() override;
    CProfileEntry(CProfileEntry&&) = default;
    CProfileEntry& operator=(CProfileEntry&&) = default;
    CProfileEntry(const CProfileEntry&) = delete;
    CProfileEntry& operator=(const CProfileEntry&) = delete;

    int m_nKind = kindUnused;
    int m_nKeyCount = 0;  // section: keys in use
    CString m_strName;
    CString m_strValue;  // key: the value
    // Section: the keys in file order. m_nKeySlots counts the slots made ahead of use in the
    // program's steps (20, then 100 more whenever fewer than 10 are left); storage grows on its own.
    std::vector<CProfileEntry> m_Keys;
    int m_nKeySlots = 0;
    std::vector<CString> m_Comments;  // section: lines written before its header
    // Section: its keys by name once it has many (the document keeps it); unused while a name repeats.
    AnsiNoCaseIndex m_KeyIndex;
    bool m_bRepeatedKeys = false;
};
