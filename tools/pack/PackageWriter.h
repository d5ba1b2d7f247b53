// Writes package files: optional prefix bytes, the entries' data one after the other, then the
// masked directory, the trailer and the marker that the library looks for at a package's tail.
//
// Output is deterministic: the same entries give the same bytes, whatever the number of jobs (gzip
// members carry no name and a zero time; GzipEncoder.h tells how an entry is compressed). Entries are
// compressed on several threads and written in their order. The package is written under a temporary
// name next to the output and renamed only when it is complete, so a failure never leaves a partial
// package behind.
#pragma once

#include "tools/pack/GzipEncoder.h"

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
    int level = kDefaultGzipLevel;  // 0 to kMaxGzipLevel for gzip members
    std::string inputPath;   // the entry's bytes come from this file ...
    std::string data;        // ... or from here when inMemory
    bool inMemory = false;
};

// Where a write stands: the entries written whole and the input bytes written of all entries.
struct PackProgress {
    size_t entriesDone;
    size_t entryCount;
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
    // Called on the thread that called Write, whenever more input is written.
    void SetProgress(std::function<void(const PackProgress&)> progress) { m_progress = std::move(progress); }
    // Threads that compress; 0 (the default) for one per core.
    void SetJobs(int jobs) { m_jobs = jobs; }
    void AddFile(std::string key, std::string path, EntryMode mode, int level = kDefaultGzipLevel);
    void AddData(std::string key, std::string data, EntryMode mode, int level = kDefaultGzipLevel);
    const std::vector<PackageEntry>& Entries() const { return m_entries; }

    // Largest entry offset or size accepted; tests lower it to reach the limit with small files.
    void SetOffsetLimit(uint64_t limit) { m_offsetLimit = limit; }
    // Largest gzip entry compressed whole; tests lower it to reach the blocks with small files.
    void SetWholeMemberLimit(uint64_t limit) { m_wholeLimit = limit; }
    static int CoreCount();

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
    uint64_t m_wholeLimit = kWholeMemberLimit;
    int m_jobs = 0;
};

}  // namespace zembra
