// Builds package bytes field by field, independently of the package writer, so that tests can also
// make packages no writer would (wrong counts, name lengths, sizes, trailers).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

inline void PutLe32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

struct ImageRecord {
    std::string key;
    uint32_t size = 0;
    int storedLength = -1;   // the L byte; -1: key length + 1
    char terminator = '\0';  // the byte stored after the masked key
    bool withTerminator = true;
};

struct PackageImage {
    std::string data;                    // everything in front of the directory
    std::vector<ImageRecord> records;
    int64_t count = -1;                  // -1: the number of records
    std::string text;                    // trailer text
    uint32_t part1 = 0, part2 = 0;       // offset parts; the data base offset is their sum
    int64_t directorySize = -1;          // -1: the directory's real size
    int textLength = -1;                 // -1: text.size()
    std::string tail;                    // after the marker
    size_t truncateDirectory = 0;        // bytes dropped from the directory's end

    // Data base offset pointing at the start of data when the test does not care.
    PackageImage& BaseAt(uint32_t base) {
        part1 = base;
        part2 = 0;
        return *this;
    }

    std::string Directory() const {
        std::string d;
        PutLe32(d, static_cast<uint32_t>(count >= 0 ? count : static_cast<int64_t>(records.size())));
        for (const ImageRecord& r : records) {
            d.push_back(static_cast<char>(r.storedLength >= 0 ? r.storedLength : static_cast<int>(r.key.size()) + 1));
            for (char c : r.key) d.push_back(static_cast<char>(c ^ 0x5A));
            if (r.withTerminator) d.push_back(r.terminator);
            PutLe32(d, r.size);
        }
        return d.substr(0, d.size() - std::min(truncateDirectory, d.size()));
    }

    std::string Bytes() const {
        std::string directory = Directory();
        std::string out = data + directory + text;
        out.push_back(static_cast<char>(textLength >= 0 ? textLength : static_cast<int>(text.size())));
        PutLe32(out, part1);
        PutLe32(out, part2);
        PutLe32(out, static_cast<uint32_t>(directorySize >= 0 ? directorySize : static_cast<int64_t>(directory.size())));
        PutLe32(out, 0xDEADBEEF);  // reserved: never read
        out += ">NYZEMBRA_SETUP<";
        return out + tail;
    }
};

}  // namespace testing_support
