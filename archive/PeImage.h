// A portable reader of the parts of a Windows program file (PE) that the tools need: the machine, where
// the image's own bytes end (so that data appended behind it can be told from a bare program) and the
// fixed file version of its version resource. Every offset is checked against the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

constexpr uint16_t kPeMachineI386 = 0x014C;
constexpr uint16_t kPeMachineAmd64 = 0x8664;

struct PeSection {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawPointer;
    uint32_t rawSize;
};

struct PeImage {
    uint16_t machine = 0;
    bool dll = false;
    uint32_t headersSize = 0;
    uint32_t resourceRva = 0;
    uint32_t resourceSize = 0;
    std::vector<PeSection> sections;
    // End of the headers and of the last section's bytes in the file: anything behind it was appended.
    uint64_t imageEnd = 0;

    // File offset of an address of the loaded image, or false when no byte of the file holds it.
    bool FileOffset(uint32_t rva, uint64_t* offset) const;
};

// The headers, from the start of the file (the first few kilobytes suffice). False, with the reason in
// *error, when the bytes are not a program file.
bool ParsePeHeaders(const uint8_t* data, size_t size, PeImage* image, std::string* error);

enum class PeVersionStatus {
    Found,
    NotPe,       // not a program file at all
    NoVersion,   // a program file without a version resource
    Damaged,     // a version resource whose structure does not hold together
};

// The fixed file version: high = major * 65536 + minor, low = build * 65536 + revision, as the system's
// version functions report them.
PeVersionStatus ReadPeFileVersion(const uint8_t* data, size_t size, uint32_t* high, uint32_t* low);

}  // namespace zembra
