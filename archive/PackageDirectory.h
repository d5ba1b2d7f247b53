// The package directory: the masked directory of named entries in front of a package's trailer
// (archive/PackageTrailer.h), resolved to the file offset and stored size of each entry's data.
//
// The directory is a 32-bit count, then per entry: L (1), L name bytes (the key masked with 0x5A,
// then an unmasked zero), the stored size (4). Integers are little-endian. Entry data lies one entry
// after the other from the data base offset (offset part 1 + offset part 2, modulo 2^32).
#pragma once

#include "archive/PackageFile.h"
#include "archive/PackageTrailer.h"
#include "framework/AnsiNoCaseIndex.h"
#include "framework/CString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zembra {

constexpr uint8_t kPackageNameMask = 0x5A;       // writers of other packages rely on this value
constexpr uint32_t kMaxStoredNameLength = 250;   // L, the terminating zero included

struct PackageEntryInfo {
    const char* key;  // unmasked, zero-terminated; lives as long as the directory
    uint32_t offset;  // data base offset + sizes of the records before it
    uint32_t size;
};

class PackageDirectory {
public:
    // Replaces whatever was loaded; a failed load leaves nothing loaded.
    bool Load(const char* path);
    bool Load(PackageSource& source, const char* path);
    void Free();

    bool IsLoaded() const { return m_loaded; }
    PackageLoadError LastError() const { return m_error; }
    const CString& Path() const { return m_path; }
    uint32_t DataBase() const { return m_dataBase; }
    uint32_t DirectorySize() const { return static_cast<uint32_t>(m_buffer.size()); }
    uint64_t PackageSize() const { return m_packageSize; }  // the file's length when it was loaded

    // Offset of the first record in directory order whose key equals key, letter case aside; its
    // stored size goes to *size. 0 means not found (so a record at offset 0 cannot be found) and
    // leaves *size 0.
    uint32_t Find(const char* key, uint32_t* size) const;

    // The records the reader can reach, in directory order: reading stops at the first record that
    // does not fit in the directory and at the first whose offset would pass 2^32 - 1.
    size_t EntryCount() const { return m_records.size(); }
    PackageEntryInfo Entry(size_t index) const;

    // Keys are indexed by hashing where the code page folds letter case byte by byte, and kept sorted
    // by the runtime's comparison where it has double-byte characters. Tests force the sorted index
    // to cover it in every code page.
    static void ForceSortedIndex(bool sorted);

    // The loaded package's data for reading entries: opened on first use (so that entry after entry
    // does not open and close the package) and kept while this directory stays loaded; -1 when it
    // cannot be opened.
    int DataFd();

private:
    struct Record {
        uint32_t name;  // position of the unmasked name in m_buffer
        uint32_t offset;
        uint32_t size;
    };
    bool Fail(PackageLoadError error);
    void ReadRecords();
    void HashRecords();
    void SortRecords();
    uint32_t Lookup(const char* key) const;  // record number, or kNone
    const char* NameOf(uint32_t record) const { return reinterpret_cast<const char*>(&m_buffer[m_records[record].name]); }
    static constexpr uint32_t kNone = UINT32_MAX;

    bool m_loaded = false;
    PackageLoadError m_error = PackageLoadError::None;
    CString m_path;
    uint32_t m_dataBase = 0;
    uint64_t m_packageSize = 0;
    std::vector<uint8_t> m_buffer;    // the directory as read, names unmasked in place
    std::vector<Record> m_records;    // directory order
    AnsiNoCaseIndex m_index;          // hash index: the first record per key
    std::vector<uint32_t> m_byKey;    // sorted index: record numbers; equal keys keep directory order
    PackageFile m_data;  // the package, kept for reading entries
};

// The library's loaded directory (in the library state).
bool LoadPackageDirectory(const char* path);
uint32_t FindPackageEntry(const char* key, uint32_t* size);
void FreePackageDirectory();

// Makes the directory of the call's package the loaded one: the named package, or the default
// package when the call names none. Loads only when nothing is loaded or the loaded directory came
// from another path (compared without regard to case). false: the load failed, the operation
// returns 1.
bool EnsurePackageDirectory(const char* packageOrNull);

}  // namespace zembra
