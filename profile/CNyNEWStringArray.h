// CNyNEWStringArray: an ordered, growable list of strings that knows its run-time class, can be
// created from its class record and stores itself in an archive (its size as a count, then each
// string). The list owns its strings.
#pragma once

#include "framework/CObject.h"
#include "framework/CString.h"

class CNyNEWStringArray : public CObject {
    ZEMBRA_DECLARE_RUNTIME_CLASS(CNyNEWStringArray)

public:
    CNyNEWStringArray() = default;
    ~CNyNEWStringArray() override;
    CNyNEWStringArray(const CNyNEWStringArray&) = delete;
    CNyNEWStringArray& operator=(const CNyNEWStringArray&) = delete;

    void Serialize(CArchive& ar) override;
    void AssertValid() const override;
    void Dump(CDumpContext& dc) const override;

    int GetSize() const noexcept { return m_nSize; }
    CString GetAt(int index) const { return m_pData[index]; }  // the caller keeps index below the size
    int Add(const CString& text);                                // returns the new string's index
    // Grows the list to index + 1 strings (new ones empty) when needed, then stores the string.
    void SetAtGrow(int index, const CString& text);
    // growBy -1 keeps the growth step; 0 grows by a step that rises with the size (4 to 1024).
    void SetSize(int newSize, int growBy = -1);
    void RemoveAll() { SetSize(0); }

protected:
    CString* m_pData = nullptr;
    int m_nSize = 0;
    int m_nMaxSize = 0;  // slots allocated
    int m_nGrowBy = 0;
    // Counts the changes to strings already in the list (replaced, removed, loaded over), so that a
    // derived class can tell whether what it knows of them still holds. Appending is no such change.
    unsigned m_nRewrites = 0;
};
