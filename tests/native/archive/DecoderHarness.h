// Helpers for the decoder tests: members written by zlib (the reference), hand-made streams in hex,
// and one decoding run from bytes to bytes with the standard error stream and length boxes captured.
#pragma once

#include <cstdint>
#include <string>

namespace decoder_test {

std::string Hex(const char* text);  // "1f 8b 08" -> bytes; spaces ignored
uint32_t Crc(const std::string& data);
std::string Le32(uint32_t value);

// A gzip member of data as zlib writes it.
std::string ZlibGzip(const std::string& data, int level = 6, int strategy = 0);
// Raw DEFLATE data of data as zlib writes it.
std::string ZlibDeflate(const std::string& data, int level = 6, int strategy = 0);
// A plain gzip header, the DEFLATE data, and a trailer for the given output.
std::string GzipWrap(const std::string& deflate, const std::string& output);

// One ZIP local entry; stored entries carry the data itself.
struct ZipEntry {
    std::string data;
    bool deflated = true;
    bool descriptor = false;
    uint16_t flags = 0;
    uint16_t method = 0xFFFF;  // default: 8 or 0 from deflated
    uint32_t sizeDelta = 0;    // added to the recorded uncompressed size
};
std::string Zip(const ZipEntry& entry);

// Mixed content: text, a binary-looking stretch, runs and noise; deterministic for a seed.
std::string SampleData(size_t size, uint32_t seed = 1);

struct Decoded {
    int result = 0;
    std::string output;
    std::string errors;  // what the decoder wrote to standard error
    int lengthBoxes = 0;
    std::string boxText, boxCaption;  // of the last box
};

// Decodes input as an extraction does: input buffer emptied, count reset, then GzipDecode.
Decoded Decode(const std::string& input);

// A file descriptor holding bytes (an unnamed temporary file), positioned at its start.
int TempFd(const std::string& content);
std::string ReadAll(int fd);

}  // namespace decoder_test
