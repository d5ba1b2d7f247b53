// The gzip members of a package: a fixed header (no name, zero time, operating system 0), raw DEFLATE
// data and the CRC-32 and length trailer.
//
// The encoding depends on the input's size alone, so the same input always gives the same bytes, on
// any number of threads:
// - up to kWholeMemberLimit bytes the input is compressed whole, by libdeflate (levels 0 to 12) where
//   the build has it, by zlib (0 to 9) otherwise;
// - a larger input is compressed by zlib (at level 9 at most) in blocks of kBlockSize, each primed with
//   the 32 KiB in front of it and closed by a sync flush: blocks compress independently, and their
//   concatenation is one DEFLATE stream. Such an input is never held whole in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zembra {

#ifdef ZEMBRA_HAVE_LIBDEFLATE
constexpr int kMaxGzipLevel = 12;
constexpr char kWholeMemberEncoder[] = "libdeflate";
#else
constexpr int kMaxGzipLevel = 9;
constexpr char kWholeMemberEncoder[] = "zlib";
#endif
constexpr int kDefaultGzipLevel = kMaxGzipLevel;
constexpr int kMaxBlockLevel = 9;  // zlib's highest
constexpr uint64_t kWholeMemberLimit = 32u << 20;
constexpr size_t kBlockSize = 1u << 20;
constexpr size_t kDictionarySize = 32u << 10;

std::string GzipHeader(int level);
std::string GzipTrailer(uint32_t crc, uint64_t inputSize);
uint32_t GzipCrc(uint32_t crc, const unsigned char* data, size_t size);
// The CRC of two pieces one after the other, from their CRCs and the second one's length.
uint32_t GzipCrcCombine(uint32_t first, uint32_t second, uint64_t secondSize);

// Raw DEFLATE for one thread; it keeps its compressors between calls. Both calls append to *out.
class GzipEncoder {
public:
    GzipEncoder() = default;
    ~GzipEncoder();
    GzipEncoder(const GzipEncoder&) = delete;
    GzipEncoder& operator=(const GzipEncoder&) = delete;

    bool DeflateWhole(const unsigned char* input, size_t size, int level, std::string* out);
    // One block of a large input; dictionary holds the bytes right in front of it (none for the first).
    // The last block ends the stream.
    bool DeflateBlock(const unsigned char* dictionary, size_t dictionarySize, const unsigned char* input,
                      size_t size, int level, bool last, std::string* out);

private:
    void* m_compressors[kMaxGzipLevel + 1] = {};
};

// The whole gzip member of data, encoded as the package writer encodes an entry.
bool GzipMember(const std::string& data, int level, std::string* member, uint64_t wholeLimit = kWholeMemberLimit);

}  // namespace zembra
