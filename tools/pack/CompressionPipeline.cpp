#include "tools/pack/CompressionPipeline.h"

#include "archive/CrtIo.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>

namespace zembra {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Up to size bytes, fewer only at the end of the file; false on a read error.
bool ReadUpTo(int fd, unsigned char* buffer, size_t size, size_t* got) {
    *got = 0;
    while (*got < size) {
        const unsigned chunk = static_cast<unsigned>(std::min<size_t>(size - *got, 1u << 20));
        const int n = CrtRead(fd, buffer + *got, chunk);
        if (n < 0) return false;
        if (n == 0) break;
        *got += static_cast<size_t>(n);
    }
    return true;
}

// Closes the descriptor it was given.
struct ReadDescriptor {
    int fd;
    ~ReadDescriptor() {
        if (fd >= 0) CrtClose(fd);
    }
};

}  // namespace

std::vector<EntryPiece> PlanPieces(const std::vector<PackageEntry>& entries, const std::vector<uint64_t>& sizes,
                                   uint64_t wholeLimit) {
    std::vector<EntryPiece> pieces;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].mode == EntryMode::Stored || sizes[i] <= wholeLimit) {
            const auto kind = entries[i].mode == EntryMode::Stored ? EntryPiece::Kind::Stored : EntryPiece::Kind::Whole;
            pieces.push_back({i, kind, 0, sizes[i], true, true});
            continue;
        }
        for (uint64_t at = 0; at < sizes[i]; at += kBlockSize) {
            const uint64_t size = std::min<uint64_t>(kBlockSize, sizes[i] - at);
            pieces.push_back({i, EntryPiece::Kind::Block, at, size, at == 0, at + size == sizes[i]});
        }
    }
    return pieces;
}

CompressionPipeline::CompressionPipeline(const std::vector<PackageEntry>& entries,
                                         const std::vector<EntryPiece>& pieces, int jobs, uint64_t wholeLimit)
    : m_entries(entries),
      m_pieces(pieces),
      m_wholeLimit(wholeLimit),
      m_window(kPiecesPerJob * static_cast<size_t>(std::max(jobs, 1))),
      m_results(pieces.size()) {
    if (jobs <= 1) return;
    try {
        for (int i = 0; i < jobs; ++i) m_workers.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked for still do the work; none at all leaves it to Wait.
    }
}

CompressionPipeline::~CompressionPipeline() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers) worker.join();
}

const CompressedPiece& CompressionPipeline::Wait(size_t piece) {
    if (m_workers.empty()) {
        m_results[piece] = Compress(piece, m_ownEncoder);
        return m_results[piece];
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_results[piece].done; });
    return m_results[piece];
}

void CompressionPipeline::Release(size_t piece) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        CompressedPiece().deflated.swap(m_results[piece].deflated);
        if (m_pieces[piece].kind != EntryPiece::Kind::Stored && !m_workers.empty()) m_bytesInFlight -= Cost(piece);
        m_written = piece + 1;
    }
    m_changed.notify_all();
}

bool CompressionPipeline::Claimable() {
    while (m_nextClaim < m_pieces.size() && m_pieces[m_nextClaim].kind == EntryPiece::Kind::Stored) ++m_nextClaim;
    if (m_nextClaim == m_pieces.size()) return false;
    if (m_nextClaim == m_written) return true;  // the writer waits for it
    return m_nextClaim - m_written < m_window && m_bytesInFlight + Cost(m_nextClaim) <= kBytesInFlight;
}

uint64_t CompressionPipeline::Cost(size_t piece) const {
    const EntryPiece& p = m_pieces[piece];
    return p.kind == EntryPiece::Kind::Block ? p.size + kDictionarySize : std::max<uint64_t>(p.size, 1);
}

void CompressionPipeline::Work() {
    GzipEncoder encoder;
    for (;;) {
        size_t piece;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || m_nextClaim == m_pieces.size() || Claimable(); });
            if (m_stop || m_nextClaim == m_pieces.size()) return;
            piece = m_nextClaim++;
            m_bytesInFlight += Cost(piece);
        }
        CompressedPiece result = Compress(piece, encoder);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_results[piece] = std::move(result);
            m_results[piece].done = true;
        }
        m_changed.notify_all();
    }
}

CompressedPiece CompressionPipeline::Compress(size_t piece, GzipEncoder& encoder) const {
    const EntryPiece& p = m_pieces[piece];
    const PackageEntry& entry = m_entries[p.entry];
    const std::string name = "entry " + Quoted(entry.key) + ": ";
    CompressedPiece result;
    result.done = true;
    const bool block = p.kind == EntryPiece::Kind::Block;
    const size_t dictionary = block ? static_cast<size_t>(std::min<uint64_t>(p.offset, kDictionarySize)) : 0;
    try {
        // The piece's input with the dictionary in front of it.
        const unsigned char* input = nullptr;
        size_t size = 0;
        std::string buffer;
        if (entry.inMemory) {
            input = reinterpret_cast<const unsigned char*>(entry.data.data()) + p.offset;
            size = block ? static_cast<size_t>(p.size) : entry.data.size();
        } else {
            ReadDescriptor file{CrtOpenRead(entry.inputPath.c_str())};
            if (file.fd < 0) {
                result.error = name + "cannot open " + Quoted(entry.inputPath) + ": " + std::strerror(CrtErrno());
                return result;
            }
            // A block must be as planned; one byte more than planned shows an input that has grown.
            const size_t expected = dictionary + static_cast<size_t>(p.size);
            buffer.resize(expected + (block && !p.last ? 0 : 1));
            auto at = [&buffer](size_t offset) { return reinterpret_cast<unsigned char*>(&buffer[offset]); };
            size_t got = 0;
            bool readOk = CrtSeek(file.fd, p.offset - dictionary) && ReadUpTo(file.fd, at(0), buffer.size(), &got);
            // A whole piece is read to its end (a pipe's planned size is 0), but never beyond the limit.
            while (readOk && !block && got == buffer.size() && got <= m_wholeLimit) {
                const size_t before = buffer.size();
                const size_t grown = std::max<size_t>(2 * before, 1u << 16);
                buffer.resize(static_cast<size_t>(std::min<uint64_t>(m_wholeLimit + 1, grown)));
                size_t more = 0;
                readOk = ReadUpTo(file.fd, at(before), buffer.size() - before, &more);
                got += more;
            }
            if (!readOk) {
                result.error = name + "cannot read " + Quoted(entry.inputPath);
                return result;
            }
            if (block ? got != expected : got > m_wholeLimit) {
                result.error = name + Quoted(entry.inputPath) + " changed while it was being packed";
                return result;
            }
            input = at(dictionary);
            size = got - dictionary;
        }
        const bool ok = block ? encoder.DeflateBlock(input - dictionary, dictionary, input, size, entry.level, p.last,
                                                     &result.deflated)
                              : encoder.DeflateWhole(input, size, entry.level, &result.deflated);
        if (!ok) {
            result.error = name + "compression failed";
            return result;
        }
        result.crc = GzipCrc(0, input, size);
        result.inputSize = size;
    } catch (const std::bad_alloc&) {
        result.deflated.clear();
        result.error = name + "not enough memory to compress it";
    }
    return result;
}

}  // namespace zembra
