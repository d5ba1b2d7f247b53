// Any bytes as a packaged entry: GzipDecode must neither crash, read or write out of bounds, nor hang,
// and whenever it reports success its output must be what zlib decodes from the same member. For gzip
// members the converse holds too: what zlib decodes, the decoder must not refuse (save a member with a
// header CRC, which the decoder refuses by design).
#include "archive/GzipDecoder.h"
#include "archive/LengthErrorBox.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int g_in = -1, g_out = -1;
int g_lengthBoxes = 0;

// zlib's inflate of data with the given window bits; false unless it reaches the end of the stream.
// A gzip trailer whose length alone is wrong still counts: the decoder accepts it after its box.
bool ZlibInflate(const uint8_t* data, size_t size, int windowBits, std::string* out, bool* lengthOnly) {
    z_stream z{};
    if (inflateInit2(&z, windowBits) != Z_OK) std::abort();
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    unsigned char buf[16384];
    int r;
    do {
        z.next_out = buf;
        z.avail_out = sizeof buf;
        r = inflate(&z, Z_NO_FLUSH);
        out->append(reinterpret_cast<char*>(buf), sizeof buf - z.avail_out);
    } while (r == Z_OK);
    *lengthOnly = r == Z_DATA_ERROR && z.msg && std::strcmp(z.msg, "incorrect length check") == 0;
    inflateEnd(&z);
    return r == Z_STREAM_END;
}

uint32_t Le(const uint8_t* p, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

bool GzipMagic(const uint8_t* data, size_t size) {
    return size >= 2 && ((data[0] == 0x1F && (data[1] == 0x8B || data[1] == 0x9E)) || (data[0] == 0x10 && data[1] == 0x8B));
}

// What the decoder must have produced when it reported success.
bool Expected(const uint8_t* data, size_t size, std::string* out, bool* lengthOnly) {
    *lengthOnly = false;
    if (size >= 30 && data[0] == 'P' && data[1] == 'K') {
        size_t start = 30 + Le(data + 26, 2) + Le(data + 28, 2);
        if (start > size) return false;
        if (Le(data + 8, 2) == 0) {
            size_t n = Le(data + 18, 4);
            if (n > size - start) return false;
            out->assign(reinterpret_cast<const char*>(data + start), n);
            return true;
        }
        bool ignored;
        return ZlibInflate(data + start, size - start, -15, out, &ignored);
    }
    if (!GzipMagic(data, size)) return false;
    // The two other magics of the decoder stand for the usual one.
    std::string member(reinterpret_cast<const char*>(data), size);
    member[0] = '\x1f';
    member[1] = '\x8b';
    return ZlibInflate(reinterpret_cast<const uint8_t*>(member.data()), member.size(), 15 + 16, out, lengthOnly) ||
           *lengthOnly;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_in = memfd_create("gzip-in", 0);
    g_out = memfd_create("gzip-out", 0);
    if (g_in < 0 || g_out < 0) std::abort();
    zembra::SetLengthErrorObserver([](const char*, void*) { ++g_lengthBoxes; }, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(g_in, 0) != 0 || ftruncate(g_out, 0) != 0) std::abort();
    if (size && pwrite(g_in, data, size, 0) != ssize_t(size)) std::abort();
    lseek(g_in, 0, SEEK_SET);
    lseek(g_out, 0, SEEK_SET);
    g_lengthBoxes = 0;

    zembra::GzipResetInput();
    zembra::GzipResetBytesWritten();
    int result = zembra::GzipDecode(g_in, g_out);

    std::string expected;
    bool lengthOnly;
    bool zlibDecodes = Expected(data, size, &expected, &lengthOnly);
    bool gzip = GzipMagic(data, size) && size >= 4 && !(data[3] & 0x02);
    if (result != 0) {
        if (gzip && zlibDecodes) std::abort();  // refused what zlib decodes
        return 0;
    }

    std::string got(size_t(lseek(g_out, 0, SEEK_END)), '\0');
    if (!got.empty() && pread(g_out, &got[0], got.size(), 0) != ssize_t(got.size())) std::abort();
    if (got.size() != zembra::GzipBytesWritten()) std::abort();
    if (!zlibDecodes) std::abort();  // accepted what zlib refuses
    if (got != expected) std::abort();
    if (lengthOnly && g_lengthBoxes != 1) std::abort();
    return 0;
}
