// Compresses a package's entries on several threads ahead of the one thread that writes them in order.
//
// Each entry is cut into pieces as GzipEncoder.h describes (a stored entry or a small gzip entry is one
// piece, a large gzip entry one per block); the workers take the pieces in package order. Memory stays
// bounded: at most kPiecesPerJob pieces per worker are claimed and not yet written, and together they
// hold at most kBytesInFlight bytes of input (the piece the writer waits for is always taken). More than
// one or two pieces per worker keep the others busy while one compresses a large entry.
#pragma once

#include "tools/pack/GzipEncoder.h"
#include "tools/pack/PackageWriter.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zembra {

struct EntryPiece {
    enum class Kind { Stored, Whole, Block };
    size_t entry;
    Kind kind;
    uint64_t offset;  // in the entry's input
    uint64_t size;    // as planned; a whole piece is read to its end
    bool first, last;
};

// The pieces of the entries, whose input sizes are given, in package order.
std::vector<EntryPiece> PlanPieces(const std::vector<PackageEntry>& entries, const std::vector<uint64_t>& sizes,
                                   uint64_t wholeLimit);

struct CompressedPiece {
    std::string deflated;   // raw DEFLATE data
    uint32_t crc = 0;       // of the piece's input
    uint64_t inputSize = 0;
    std::string error;      // in the program's words; then nothing else counts
    bool done = false;
};

class CompressionPipeline {
public:
    static constexpr size_t kPiecesPerJob = 64;
    static constexpr uint64_t kBytesInFlight = 4 * kWholeMemberLimit;

    // Starts jobs workers at once (one job: no thread, Wait compresses); the entries and pieces must
    // outlive the pipeline. A whole piece whose input has grown beyond wholeLimit fails.
    CompressionPipeline(const std::vector<PackageEntry>& entries, const std::vector<EntryPiece>& pieces, int jobs,
                        uint64_t wholeLimit);
    ~CompressionPipeline();  // stops the workers, also amid the work
    CompressionPipeline(const CompressionPipeline&) = delete;
    CompressionPipeline& operator=(const CompressionPipeline&) = delete;

    // The compressed piece, once it is there; valid until Release. Only for Whole and Block pieces.
    const CompressedPiece& Wait(size_t piece);
    // Called for every piece in order once it is written: frees it and lets the workers go on.
    void Release(size_t piece);

private:
    void Work();
    bool Claimable();  // with the mutex held; skips stored pieces first
    uint64_t Cost(size_t piece) const;
    CompressedPiece Compress(size_t piece, GzipEncoder& encoder) const;

    const std::vector<PackageEntry>& m_entries;
    const std::vector<EntryPiece>& m_pieces;
    const uint64_t m_wholeLimit;
    const size_t m_window;
    std::vector<CompressedPiece> m_results;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_nextClaim = 0;
    size_t m_written = 0;  // pieces released
    uint64_t m_bytesInFlight = 0;
    bool m_stop = false;
    std::vector<std::thread> m_workers;
    GzipEncoder m_ownEncoder;  // for Wait when there are no workers
};

}  // namespace zembra
