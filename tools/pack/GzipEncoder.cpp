#include "tools/pack/GzipEncoder.h"

#include <zlib.h>

#ifdef ZEMBRA_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include <algorithm>

namespace zembra {
namespace {

// zlib's raw DEFLATE of one piece; the stream is left open with a sync flush unless finish.
bool ZlibDeflate(const unsigned char* dictionary, size_t dictionarySize, const unsigned char* input, size_t size,
                 int level, bool finish, std::string* out) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    bool ok = dictionarySize == 0 ||
              deflateSetDictionary(&z, dictionary, static_cast<uInt>(dictionarySize)) == Z_OK;
    z.next_in = const_cast<unsigned char*>(input);
    z.avail_in = static_cast<uInt>(size);
    const size_t start = out->size();
    // The bound leaves room for the flush marker; the loop only guards against a wrong bound.
    size_t room = deflateBound(&z, static_cast<uLong>(size)) + 16;
    int rc = Z_OK;
    while (ok) {
        const size_t used = out->size();
        out->resize(used + room);
        z.next_out = reinterpret_cast<unsigned char*>(&(*out)[used]);
        z.avail_out = static_cast<uInt>(room);
        rc = deflate(&z, finish ? Z_FINISH : Z_SYNC_FLUSH);
        out->resize(used + room - z.avail_out);
        if (rc == Z_STREAM_ERROR) ok = false;
        else if (finish ? rc == Z_STREAM_END : z.avail_in == 0 && z.avail_out != 0) break;
        room = 64 * 1024;
    }
    deflateEnd(&z);
    if (!ok) out->resize(start);
    return ok;
}

}  // namespace

std::string GzipHeader(int level) {
    // Extra flags as zlib sets them: 2 for the strongest levels, 4 for the fastest.
    const char extraFlags = level >= 9 ? 2 : level < 2 ? 4 : 0;
    return std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00", 8) + extraFlags + '\0';
}

std::string GzipTrailer(uint32_t crc, uint64_t inputSize) {
    std::string trailer(8, '\0');
    const uint32_t size = static_cast<uint32_t>(inputSize);  // the format keeps the length modulo 2^32
    for (int i = 0; i < 4; ++i) {
        trailer[i] = static_cast<char>(crc >> (8 * i));
        trailer[4 + i] = static_cast<char>(size >> (8 * i));
    }
    return trailer;
}

uint32_t GzipCrc(uint32_t crc, const unsigned char* data, size_t size) {
    return static_cast<uint32_t>(crc32_z(crc, data, size));
}

uint32_t GzipCrcCombine(uint32_t first, uint32_t second, uint64_t secondSize) {
    // A piece is at most kWholeMemberLimit long, which even a 32-bit z_off_t holds.
    return static_cast<uint32_t>(crc32_combine(first, second, static_cast<z_off_t>(secondSize)));
}

GzipEncoder::~GzipEncoder() {
#ifdef ZEMBRA_HAVE_LIBDEFLATE
    for (void* compressor : m_compressors) libdeflate_free_compressor(static_cast<libdeflate_compressor*>(compressor));
#endif
}

bool GzipEncoder::DeflateWhole(const unsigned char* input, size_t size, int level, std::string* out) {
    if (level < 0 || level > kMaxGzipLevel) return false;
#ifdef ZEMBRA_HAVE_LIBDEFLATE
    if (!m_compressors[level]) m_compressors[level] = libdeflate_alloc_compressor(level);
    auto* compressor = static_cast<libdeflate_compressor*>(m_compressors[level]);
    if (!compressor) return false;
    const size_t start = out->size();
    out->resize(start + libdeflate_deflate_compress_bound(compressor, size));
    const size_t written = libdeflate_deflate_compress(compressor, input, size, &(*out)[start], out->size() - start);
    out->resize(start + written);
    return written > 0;
#else
    return ZlibDeflate(nullptr, 0, input, size, level, true, out);
#endif
}

bool GzipEncoder::DeflateBlock(const unsigned char* dictionary, size_t dictionarySize, const unsigned char* input,
                               size_t size, int level, bool last, std::string* out) {
    if (level < 0 || level > kMaxGzipLevel) return false;
    return ZlibDeflate(dictionary, dictionarySize, input, size, std::min(level, kMaxBlockLevel), last, out);
}

bool GzipMember(const std::string& data, int level, std::string* member, uint64_t wholeLimit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    GzipEncoder encoder;
    *member = GzipHeader(level);
    bool ok;
    if (data.size() <= wholeLimit) {
        ok = encoder.DeflateWhole(bytes, data.size(), level, member);
    } else {
        ok = true;
        for (size_t at = 0; ok && at < data.size(); at += kBlockSize) {
            const size_t dictionary = std::min(at, kDictionarySize);
            const size_t size = std::min(kBlockSize, data.size() - at);
            ok = encoder.DeflateBlock(bytes + at - dictionary, dictionary, bytes + at, size, level,
                                      at + size == data.size(), member);
        }
    }
    *member += GzipTrailer(GzipCrc(0, bytes, data.size()), data.size());
    return ok;
}

}  // namespace zembra
