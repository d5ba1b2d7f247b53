#include "tools/pack/PackageWriter.h"

#include "archive/CrtIo.h"
#include "archive/PackageDirectory.h"
#include "archive/PackageSeal.h"
#include "archive/Sha256.h"
#include "framework/AnsiText.h"
#include "tools/pack/CompressionPipeline.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembra {
namespace {

constexpr size_t kChunk = 64 * 1024;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SystemError() { return std::strerror(errno); }

// Counts the input written across all entries and passes it on to the writer's progress callback.
struct InputMeter {
    const std::function<void(const PackProgress&)>* callback = nullptr;
    PackProgress state{};

    void Add(uint64_t bytes) {
        state.inputDone += bytes;
        if (callback && *callback) (*callback)(state);
    }
    void EntryDone() {
        ++state.entriesDone;
        if (callback && *callback) (*callback)(state);
    }
};

// The entry's bytes, from a file or from memory.
class EntryInput {
public:
    explicit EntryInput(const PackageEntry& entry, InputMeter* meter = nullptr) : m_entry(entry), m_meter(meter) {
        if (!entry.inMemory) m_file = std::fopen(entry.inputPath.c_str(), "rb");
    }
    ~EntryInput() {
        if (m_file) std::fclose(m_file);
    }
    EntryInput(const EntryInput&) = delete;
    EntryInput& operator=(const EntryInput&) = delete;

    bool IsOpen() const { return m_entry.inMemory || m_file; }
    // Bytes read; 0 at the end or on an error (Failed tells which).
    size_t Read(unsigned char* buffer, size_t size) {
        size_t n;
        if (m_entry.inMemory) {
            n = std::min(size, m_entry.data.size() - m_position);
            std::memcpy(buffer, m_entry.data.data() + m_position, n);
            m_position += n;
        } else {
            n = std::fread(buffer, 1, size, m_file);
        }
        if (m_meter && n > 0) m_meter->Add(n);
        return n;
    }
    bool Failed() const { return m_file && std::ferror(m_file); }

private:
    const PackageEntry& m_entry;
    InputMeter* m_meter;
    std::FILE* m_file = nullptr;
    size_t m_position = 0;
};

// The package file being written.
class PackageOutput {
public:
    PackageOutput(std::FILE* file, std::string* error) : m_file(file), m_error(error) {}
    uint64_t Written() const { return m_written; }
    // Everything put from here on goes into the seal's digest as well.
    void StartHashing() { m_hashing = true; }
    // Empty when the platform's SHA-256 failed; HashError() says why.
    std::string DigestHex() {
        m_hashing = false;
        return m_hash.FinalHex();
    }
    const std::string& HashError() const { return m_hash.Error(); }

    bool Put(const void* data, size_t size) {
        if (m_hashing) m_hash.Update(data, size);
        if (size > 0 && std::fwrite(data, 1, size, m_file) != size) {
            *m_error = "cannot write the package: " + SystemError();
            return false;
        }
        m_written += size;
        return true;
    }
    bool PutLe32(uint32_t value) {
        unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                  static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        return Put(bytes, 4);
    }

private:
    std::FILE* m_file;
    std::string* m_error;
    uint64_t m_written = 0;
    bool m_hashing = false;
    Sha256 m_hash;
};

uint64_t InputSize(const PackageEntry& entry) {
    if (entry.inMemory) return entry.data.size();
    const int fd = CrtOpenRead(entry.inputPath.c_str());
    if (fd < 0) return 0;
    const int64_t size = CrtFileSize(fd);
    CrtClose(fd);
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

bool CopyStored(EntryInput& input, PackageOutput& out) {
    std::vector<unsigned char> buffer(kChunk);
    for (;;) {
        size_t n = input.Read(buffer.data(), buffer.size());
        if (n == 0) return !input.Failed();
        if (!out.Put(buffer.data(), n)) return false;
    }
}

bool ReplaceWith(const std::string& temporary, const std::string& output) {
#ifdef _WIN32
    return MoveFileExA(temporary.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(temporary.c_str(), output.c_str()) == 0;
#endif
}

}  // namespace

void PackageWriter::AddFile(std::string key, std::string path, EntryMode mode, int level) {
    PackageEntry entry;
    entry.key = std::move(key);
    entry.mode = mode;
    entry.level = level;
    entry.inputPath = std::move(path);
    m_entries.push_back(std::move(entry));
}

void PackageWriter::AddData(std::string key, std::string data, EntryMode mode, int level) {
    PackageEntry entry;
    entry.key = std::move(key);
    entry.mode = mode;
    entry.level = level;
    entry.data = std::move(data);
    entry.inMemory = true;
    m_entries.push_back(std::move(entry));
}

std::string PackageWriter::Validate() const {
    const size_t room = m_sealed ? kMaxSealedFreeText : kMaxTrailerText;
    if (m_trailerText.size() > room)
        return "the trailer text is " + std::to_string(m_trailerText.size()) + " bytes long; at most " +
               std::to_string(room) + " fit" + (m_sealed ? " beside the seal" : "");
    for (const PackageEntry& e : m_entries) {
        if (e.key.empty()) return "an entry key must not be empty";
        if (e.key.find('\0') != std::string::npos) return "entry key " + Quoted(e.key) + " contains a zero byte";
        if (e.key.size() >= kMaxStoredNameLength)
            return "entry key " + Quoted(e.key.substr(0, 20) + "...") + " is " + std::to_string(e.key.size()) +
                   " bytes long; keys must be shorter than " + std::to_string(kMaxStoredNameLength) + " bytes";
        if (e.mode == EntryMode::Gzip && (e.level < 0 || e.level > kMaxGzipLevel))
            return "entry " + Quoted(e.key) + ": compression level " + std::to_string(e.level) + " is not 0 to " +
                   std::to_string(kMaxGzipLevel);
    }
    // The reader resolves a key to its first record, so a second record with the same key could
    // never be reached.
    std::vector<const PackageEntry*> byKey;
    for (const PackageEntry& e : m_entries) byKey.push_back(&e);
    std::stable_sort(byKey.begin(), byKey.end(), [](const PackageEntry* a, const PackageEntry* b) {
        return AnsiCompareNoCase(a->key.c_str(), b->key.c_str()) < 0;
    });
    for (size_t i = 1; i < byKey.size(); ++i) {
        if (AnsiCompareNoCase(byKey[i - 1]->key.c_str(), byKey[i]->key.c_str()) == 0)
            return "entry key " + Quoted(byKey[i]->key) + " is given twice (keys ignore letter case)";
    }
    return std::string();
}

int PackageWriter::CoreCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

bool PackageWriter::Write(const std::string& outputPath, std::string* error) const {
    std::string problem = Validate();
    if (!problem.empty()) {
        *error = problem;
        return false;
    }
    const std::string temporary = outputPath + ".partial";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        *error = "cannot create " + Quoted(temporary) + ": " + SystemError();
        return false;
    }

    PackageOutput out(file, error);
    auto body = [&]() -> bool {
        if (!m_prefixPath.empty()) {
            PackageEntry prefix;
            prefix.inputPath = m_prefixPath;
            EntryInput input(prefix);
            if (!input.IsOpen()) {
                *error = "cannot open the prefix file " + Quoted(m_prefixPath) + ": " + SystemError();
                return false;
            }
            if (!CopyStored(input, out)) {
                if (input.Failed()) *error = "cannot read the prefix file " + Quoted(m_prefixPath);
                return false;
            }
        }
        // The reader takes offset 0 for "not found", so the first entry must not start there.
        if (out.Written() == 0 && !out.Put("", 1)) return false;
        const uint64_t base = out.Written();
        if (base > m_offsetLimit) {
            *error = "the prefix file " + Quoted(m_prefixPath) + " is larger than a package can address";
            return false;
        }
        if (m_sealed) out.StartHashing();

        InputMeter meter;
        meter.callback = &m_progress;
        meter.state.entryCount = m_entries.size();
        std::vector<uint64_t> inputSizes;
        for (const PackageEntry& e : m_entries) {
            inputSizes.push_back(InputSize(e));
            meter.state.inputTotal += inputSizes.back();
        }
        const std::vector<EntryPiece> pieces = PlanPieces(m_entries, inputSizes, m_wholeLimit);
        CompressionPipeline pipeline(m_entries, pieces, m_jobs > 0 ? m_jobs : CoreCount(), m_wholeLimit);

        std::vector<uint32_t> sizes;
        uint64_t start = 0, inputSize = 0;
        uint32_t crc = 0;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const EntryPiece& piece = pieces[i];
            const PackageEntry& e = m_entries[piece.entry];
            if (piece.first) {
                start = out.Written();
                if (start > m_offsetLimit) {
                    *error = "entry " + Quoted(e.key) + " would start at offset " + std::to_string(start) +
                             ", beyond the 32-bit offsets of a package";
                    return false;
                }
                crc = 0;
                inputSize = 0;
                if (e.mode == EntryMode::Gzip) {
                    const std::string header = GzipHeader(e.level);
                    if (!out.Put(header.data(), header.size())) return false;
                }
            }
            if (piece.kind == EntryPiece::Kind::Stored) {
                EntryInput input(e, &meter);
                if (!input.IsOpen()) {
                    *error = "entry " + Quoted(e.key) + ": cannot open " + Quoted(e.inputPath) + ": " + SystemError();
                    return false;
                }
                if (!CopyStored(input, out)) {
                    if (input.Failed()) *error = "entry " + Quoted(e.key) + ": cannot read " + Quoted(e.inputPath);
                    return false;
                }
            } else {
                const CompressedPiece& compressed = pipeline.Wait(i);
                if (!compressed.error.empty()) {
                    *error = compressed.error;
                    return false;
                }
                if (!out.Put(compressed.deflated.data(), compressed.deflated.size())) return false;
                crc = GzipCrcCombine(crc, compressed.crc, compressed.inputSize);
                inputSize += compressed.inputSize;
                meter.Add(compressed.inputSize);
            }
            pipeline.Release(i);
            if (!piece.last) continue;
            if (e.mode == EntryMode::Gzip) {
                const std::string trailer = GzipTrailer(crc, inputSize);
                if (!out.Put(trailer.data(), trailer.size())) return false;
            }
            const uint64_t size = out.Written() - start;
            if (size > m_offsetLimit) {
                *error = "entry " + Quoted(e.key) + " takes " + std::to_string(size) +
                         " bytes, more than the 32-bit sizes of a package hold";
                return false;
            }
            sizes.push_back(static_cast<uint32_t>(size));
            meter.EntryDone();
        }

        std::vector<unsigned char> directory;
        auto le32 = [&directory](uint32_t v) {
            for (int i = 0; i < 4; ++i) directory.push_back(static_cast<unsigned char>(v >> (8 * i)));
        };
        le32(static_cast<uint32_t>(m_entries.size()));
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const std::string& key = m_entries[i].key;
            directory.push_back(static_cast<unsigned char>(key.size() + 1));
            for (unsigned char c : key) directory.push_back(c ^ kPackageNameMask);
            directory.push_back(0);
            le32(sizes[i]);
        }
        if (!out.Put(directory.data(), directory.size())) return false;
        std::string text = m_trailerText;
        if (m_sealed) {
            const std::string digest = out.DigestHex();
            if (digest.empty()) {
                *error = "cannot compute the seal: " + out.HashError();
                return false;
            }
            text = SealedTrailerText(m_trailerText, digest);
        }
        const unsigned char textLength = static_cast<unsigned char>(text.size());
        return out.Put(text.data(), text.size()) && out.Put(&textLength, 1) &&
               out.PutLe32(static_cast<uint32_t>(base)) && out.PutLe32(0) &&
               out.PutLe32(static_cast<uint32_t>(directory.size())) && out.PutLe32(0) &&
               out.Put(kPackageMarker, kPackageMarkerSize);
    };

    bool ok = body();
    if (std::fclose(file) != 0 && ok) {
        *error = "cannot write the package: " + SystemError();
        ok = false;
    }
    if (ok && !ReplaceWith(temporary, outputPath)) {
        *error = "cannot replace " + Quoted(outputPath) + " with the new package";
        ok = false;
    }
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

}  // namespace zembra
