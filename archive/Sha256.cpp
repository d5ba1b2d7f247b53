#include "archive/Sha256.h"

namespace zembra {

void Sha256::Fail(std::string error) {
    m_failed = true;
    m_error = std::move(error);
}

std::string Sha256::FinalHex() {
    uint8_t digest[kDigestSize];
    if (!Final(digest)) return std::string();
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t b : digest) {
        hex.push_back(kHex[b >> 4]);
        hex.push_back(kHex[b & 15]);
    }
    return hex;
}

std::string Sha256Hex(const void* data, size_t size) {
    Sha256 hash;
    hash.Update(data, size);
    return hash.FinalHex();
}

}  // namespace zembra
