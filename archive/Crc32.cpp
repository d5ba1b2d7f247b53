#include "archive/Crc32.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZEMBRA_CRC_FOLDING 1
#endif

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the word loads below assume a little-endian host");

namespace zembra {
namespace {

// Slicing by 16: sixteen 256-entry tables let one step fold 16 input bytes; a byte-at-a-time table would
// halve the decoder's throughput.
constexpr int kSlices = 16;

struct CrcTables {
    uint32_t t[kSlices][256];
};

constexpr CrcTables MakeTables() {
    CrcTables tables{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables.t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (int k = 1; k < kSlices; ++k)
            tables.t[k][n] = (tables.t[k - 1][n] >> 8) ^ tables.t[0][tables.t[k - 1][n] & 0xFF];
    return tables;
}

constexpr CrcTables kTables = MakeTables();

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint32_t TableCrc(uint32_t crc, const uint8_t* p, size_t length) {
    const auto& t = kTables.t;
    while (length >= 16) {
        uint32_t a = Load32(p) ^ crc, b = Load32(p + 4), c = Load32(p + 8), d = Load32(p + 12);
        crc = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
              t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
              t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
              t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
        p += 16;
        length -= 16;
    }
    while (length--) crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return crc;
}

#ifdef ZEMBRA_CRC_FOLDING
// Carry-less multiplication folds 64 bytes per step, several times faster than any table: the
// decoder checksums every byte it writes. The constants are x^k mod P, bit-reflected and shifted left
// by one: k = 544 and 480 fold by 512 bits, 160 and 96 by 128 bits, 64 reduces to 64 bits; then a
// Barrett reduction with floor(x^64 / P) and P. Needs at least 64 bytes.
#define ZEMBRA_FOLDING_TARGET __attribute__((target("pclmul,sse4.1")))

ZEMBRA_FOLDING_TARGET inline __m128i Load128(const uint8_t* q) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

ZEMBRA_FOLDING_TARGET inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

ZEMBRA_FOLDING_TARGET uint32_t FoldingCrc(uint32_t crc, const uint8_t* p, size_t length) {
    const __m128i k512 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    const __m128i k128 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
    const __m128i k64 = _mm_set_epi64x(0, 0x163cd6124);
    const __m128i barrett = _mm_set_epi64x(0x1f7011641, 0x1db710641);
    const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);
    __m128i x0 = _mm_xor_si128(Load128(p), _mm_cvtsi32_si128(int(crc)));
    __m128i x1 = Load128(p + 16), x2 = Load128(p + 32), x3 = Load128(p + 48);
    p += 64;
    length -= 64;
    while (length >= 64) {
        x0 = Fold(x0, k512, Load128(p));
        x1 = Fold(x1, k512, Load128(p + 16));
        x2 = Fold(x2, k512, Load128(p + 32));
        x3 = Fold(x3, k512, Load128(p + 48));
        p += 64;
        length -= 64;
    }
    __m128i x = Fold(Fold(Fold(x0, k128, x1), k128, x2), k128, x3);
    while (length >= 16) {
        x = Fold(x, k128, Load128(p));
        p += 16;
        length -= 16;
    }
    // 128 bits to 64, to 32 with appended zeros, then Barrett.
    x = _mm_xor_si128(_mm_clmulepi64_si128(x, k128, 0x10), _mm_srli_si128(x, 8));
    x = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x, low32), k64, 0x00), _mm_srli_si128(x, 4));
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, low32), barrett, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
    crc = uint32_t(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
    return TableCrc(crc, p, length);
}

bool HasFolding() {
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return has;
}
#endif

}  // namespace

uint32_t Crc32Update(uint32_t crc, const void* data, size_t length) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
#ifdef ZEMBRA_CRC_FOLDING
    if (length >= 64 && HasFolding()) return ~FoldingCrc(~crc, p, length);
#endif
    return ~TableCrc(~crc, p, length);
}

}  // namespace zembra
