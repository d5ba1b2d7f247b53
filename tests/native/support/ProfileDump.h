// The whole content of a profile document as lines of text, for comparisons in tests:
// "H:" header comment, "C:" comment before a section, "S:" section, "K:" key=value.
#pragma once

#include "profile/CProfileDocument.h"

#include <string>

inline std::string DumpProfile(const CProfileDocument& doc) {
    std::string out;
    for (const CString& c : doc.m_HeaderComments)
        if (!c.IsEmpty()) out += std::string("H:") + c.c_str() + "\n";
    for (int s = 0; s < doc.m_nSectionCount; ++s) {
        const CProfileEntry& section = doc.m_Sections[static_cast<size_t>(s)];
        for (const CString& c : section.m_Comments) out += std::string("C:") + c.c_str() + "\n";
        out += std::string("S:") + section.m_strName.c_str() + "\n";
        for (int k = 0; k < section.m_nKeyCount; ++k) {
            const CProfileEntry& key = section.m_Keys[static_cast<size_t>(k)];
            out += std::string("K:") + key.m_strName.c_str() + "=" + key.m_strValue.c_str() + "\n";
        }
    }
    return out;
}
