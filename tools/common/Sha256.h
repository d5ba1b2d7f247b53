// SHA-256 (FIPS 180-4), incremental: feed bytes in any pieces, then take the 32-byte digest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zembra {

class Sha256 {
public:
    static constexpr size_t kDigestSize = 32;

    Sha256() { Reset(); }
    void Reset();
    void Update(const void* data, size_t size);
    // The digest of everything fed since the last Reset; the object is reset afterwards.
    void Final(uint8_t (&digest)[kDigestSize]);
    // The digest as 64 lower-case hex digits; resets like Final.
    std::string FinalHex();

private:
    void Block(const uint8_t* block);

    uint32_t m_state[8];
    uint64_t m_length;  // bytes fed
    uint8_t m_buffer[64];
    size_t m_fill;
};

std::string Sha256Hex(const void* data, size_t size);

}  // namespace zembra
