// Writes package files: optional prefix bytes, the entries' data one after the other, then the
// masked directory, the trailer and the marker that the library looks for at a package's tail.
//
// Output is deterministic: the same entries give the same bytes (gzip members carry no name and a
// zero time). The package is written under a temporary name next to the output and renamed only
// when it is complete, so a failure never leaves a partial package behind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zembra {

enum class EntryMode {
    Gzip,    // one gzip member, for extraction with decoding
    Stored,  // the bytes as they are, for a plain copy
};

struct PackageEntry {
    std::string key;
    EntryMode mode = EntryMode::Gzip;
    int level = 9;           // zlib level 0..9 for gzip members
    std::string inputPath;   // the entry's bytes come from this file ...
    std::string data;        // ... or from here when inMemory
    bool inMemory = false;
};

// Where a write stands: the entry in work and the input bytes read so far of all entries.
struct PackProgress {
    size_t entry;          // 0-based, in package order
    size_t entryCount;
    const std::string* key;
    uint64_t inputDone;
    uint64_t inputTotal;   // the sizes of all inputs as they were when the write began
};

class PackageWriter {
public:
    static constexpr uint64_t kMaxOffset = UINT32_MAX;  // offsets and sizes are 32-bit in a package

    void SetPrefixFile(std::string path) { m_prefixPath = std::move(path); }
    void SetTrailerText(std::string text) { m_trailerText = std::move(text); }
    // Appends the seal (a SHA-256 of the entries and the directory) to the trailer text; the free text
    // then has room for kMaxSealedFreeText bytes.
    void SetSealed(bool sealed) { m_sealed = sealed; }
    // Called after every piece of input read, from inside Write.
    void SetProgress(std::function<void(const PackProgress&)> progress) { m_progress = std::move(progress); }
    void AddFile(std::string key, std::string path, EntryMode mode, int level = 9);
    void AddData(std::string key, std::string data, EntryMode mode, int level = 9);
    const std::vector<PackageEntry>& Entries() const { return m_entries; }

    // Largest entry offset or size accepted; tests lower it to reach the limit with small files.
    void SetOffsetLimit(uint64_t limit) { m_offsetLimit = limit; }

    // Checks the entries without touching any file: keys (1 to 249 bytes, no two alike regardless of
    // case), levels and the trailer text. Empty string: fine.
    std::string Validate() const;

    // The whole package at outputPath, or nothing there (an existing file stays as it was) and the
    // reason in *error.
    bool Write(const std::string& outputPath, std::string* error) const;

private:
    std::string m_prefixPath;
    std::string m_trailerText;
    bool m_sealed = false;
    std::function<void(const PackProgress&)> m_progress;
    std::vector<PackageEntry> m_entries;
    uint64_t m_offsetLimit = kMaxOffset;
};

// The gzip member the writer stores for data (header without name or time, operating system 0).
bool GzipMember(const std::string& data, int level, std::string* member);

}  // namespace zembra
