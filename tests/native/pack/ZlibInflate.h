// The reference decoding for the writer's tests: zlib, independent of the library's own decoder.
#pragma once

#include <zlib.h>

#include <string>

// The whole of one gzip member; "<bad>" when it is not exactly one valid member.
inline std::string Inflate(const std::string& member) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 16) != Z_OK) return "<bad>";
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(member.data()));
    z.avail_in = static_cast<uInt>(member.size());
    std::string out;
    char buffer[16384];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    bool whole = rc == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return whole ? out : "<bad>";
}
