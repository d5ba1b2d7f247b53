// CProfileDocument: a profile (INI) file held in memory with its sections and keys in file order and
// its comment lines, so that it can be read, queried, changed and written back in the same layout.
//
// Lookups keep two caches: the current section (the one last used), and a key cursor that makes a
// walk over one section's keys in file order cost about one comparison per key. Sections, the keys of
// large sections and comment lines are also found by a hash of their folded names, so that a lookup
// or an added line costs about the same in a file of 40,000 lines as in one of 40. With duplicate
// names the first section of a name wins; among duplicate keys, the first one at or after the cursor.
// Names compare without regard to case in the ANSI code page.
#pragma once

#include "framework/AnsiNoCaseIndex.h"
#include "framework/CObject.h"
#include "framework/CString.h"
#include "profile/CProfileEntry.h"

#include <cstdint>
#include <deque>
#include <vector>

class CProfileDocument : public CObject {
public:
    CProfileDocument();
    ~CProfileDocument() override;
    CProfileDocument(const CProfileDocument&) = delete;
    CProfileDocument& operator=(const CProfileDocument&) = delete;

    void SetPath(const char* path);
    // Adds the file's sections, keys and comments to the document. False for a missing file (quietly),
    // a file without any section or key (quietly), an unreadable file or a bad line (with a message).
    bool Load();
    // Writes the whole document; false, with a message, when the file could not be written whole.
    // The earlier file then stays as it was (or, where no file could be made beside it, is gone).
    bool Save();

    CString GetString(const char* section, const char* key, const char* defaultValue);
    // The value as atol reads it (0 when it has no leading number); the default only for a missing key.
    int32_t GetInt(const char* section, const char* key, int32_t defaultValue);
    bool SetString(const char* section, const char* key, const char* value);
    bool SetInt(const char* section, const char* key, uint32_t value);  // written as unsigned decimal

    // The lookups behind the operations above.
    CProfileEntry* FindSection(const char* name);
    CProfileEntry* FindKey(CProfileEntry* section, const char* key);
    CProfileEntry* LookupKey(const char* section, const char* key);
    CProfileEntry* FindOrAddKey(const char* section, const char* key);
    CProfileEntry* AddSection(const char* name);
    CProfileEntry* AddKey(CProfileEntry* section, const char* key, const char* value);
    // Appends the line unless the list already holds an equal one. With index, which must cover the
    // list's non-empty lines and is kept so, the list is not searched line by line.
    static void AddCommentLine(std::vector<CString>& list, const CString& line, AnsiNoCaseIndex* index = nullptr);

    // The sections in file order; the first m_nSectionCount are in use. m_nSectionSlots counts the
    // slots made ahead of use in steps of 1000 (whenever fewer than 10 are left); each step moves the
    // records in the program's model, so it drops m_pCurrentSection. Records here never move.
    std::deque<CProfileEntry> m_Sections;
    int m_nSectionCount = 0;
    int m_nSectionSlots = 0;
    CProfileEntry* m_pCurrentSection = nullptr;
    // Comment lines before the first key line of the file. SetPath puts 2000 empty entries in front;
    // empty entries never match a comment and are never written.
    std::vector<CString> m_HeaderComments;
    CString m_strPath;
    bool m_bUniqueKeys = true;  // off while loading: a repeated key is then appended, not replaced
    int m_nLastKeyIndex = -1;   // the key cursor

private:
    void IndexKey(CProfileEntry* section, int key);

    // Section numbers by name; the first section of a name is the one indexed.
    AnsiNoCaseIndex m_SectionIndex;
};
