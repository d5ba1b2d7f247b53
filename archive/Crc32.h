// CRC-32 as gzip and ZIP record it: reflected polynomial 0xEDB88320, inverted before and after.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zembra {

// Continues a CRC over more bytes; start with 0.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t length);

}  // namespace zembra
