#include "archive/PeImage.h"

#include "framework/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace zembra {
namespace {

constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kVsVersionInfoId = 1;
constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr size_t kFixedInfoSize = 52;

bool Fits(size_t size, uint64_t offset, uint64_t length) { return offset <= size && length <= size - offset; }

// One level of the resource tree: the entry with the given id, or the first id entry when id is 0.
// The result is the entry's OffsetToData word; false when the level has no such entry.
bool FindResourceEntry(const uint8_t* data, uint64_t section, uint64_t sectionSize, uint32_t directory, uint32_t id,
                       uint32_t* target) {
    if (!Fits(sectionSize, directory, 16)) return false;
    const uint64_t at = section + directory;
    const uint32_t named = ReadLe16(data + at + 12);
    const uint32_t ids = ReadLe16(data + at + 14);
    const uint64_t first = directory + 16;
    if (!Fits(sectionSize, first, uint64_t(named + ids) * 8)) return false;
    for (uint32_t i = named; i < named + ids; ++i) {
        const uint8_t* entry = data + section + first + uint64_t(i) * 8;
        const uint32_t name = ReadLe32(entry);
        if ((name & 0x80000000u) == 0 && (id == 0 || name == id)) {
            *target = ReadLe32(entry + 4);
            return true;
        }
    }
    return false;
}

}  // namespace

bool PeImage::FileOffset(uint32_t rva, uint64_t* offset) const {
    if (rva < headersSize) {
        *offset = rva;
        return true;
    }
    for (const PeSection& s : sections) {
        if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) {
            *offset = uint64_t(s.rawPointer) + (rva - s.virtualAddress);
            return true;
        }
    }
    return false;
}

bool ParsePeHeaders(const uint8_t* data, size_t size, PeImage* image, std::string* error) {
    if (size < 64 || data[0] != 'M' || data[1] != 'Z') {
        *error = "not a Windows program file (no MZ header)";
        return false;
    }
    const uint32_t pe = ReadLe32(data + 60);
    if (!Fits(size, pe, 24) || std::memcmp(data + pe, "PE\0\0", 4) != 0) {
        *error = "not a Windows program file (no PE header)";
        return false;
    }
    const uint8_t* coff = data + pe + 4;
    image->machine = ReadLe16(coff);
    const uint32_t sectionCount = ReadLe16(coff + 2);
    const uint32_t optionalSize = ReadLe16(coff + 16);
    image->dll = (ReadLe16(coff + 18) & 0x2000) != 0;
    const uint64_t optional = uint64_t(pe) + 24;
    if (!Fits(size, optional, optionalSize) || optionalSize < 2) {
        *error = "the program file's optional header is cut off";
        return false;
    }
    const uint16_t magic = ReadLe16(data + optional);
    const bool plus = magic == 0x20B;
    if (magic != 0x10B && !plus) {
        *error = "the program file's optional header has an unknown format";
        return false;
    }
    const uint32_t directoriesAt = plus ? 112 : 96;  // the first data directory, after NumberOfRvaAndSizes
    if (optionalSize < 64) {
        *error = "the program file's optional header is cut off";
        return false;
    }
    image->headersSize = ReadLe32(data + optional + 60);
    const uint32_t directoryCount = optionalSize >= directoriesAt ? ReadLe32(data + optional + directoriesAt - 4) : 0;
    image->resourceRva = image->resourceSize = 0;
    if (directoryCount > 2 && optionalSize >= directoriesAt + 3 * 8) {
        image->resourceRva = ReadLe32(data + optional + directoriesAt + 16);
        image->resourceSize = ReadLe32(data + optional + directoriesAt + 20);
    }
    const uint64_t table = optional + optionalSize;
    if (!Fits(size, table, uint64_t(sectionCount) * 40)) {
        *error = "the program file's section table is cut off";
        return false;
    }
    image->sections.clear();
    image->imageEnd = image->headersSize;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const uint8_t* s = data + table + uint64_t(i) * 40;
        PeSection section{ReadLe32(s + 12), ReadLe32(s + 8), ReadLe32(s + 20), ReadLe32(s + 16)};
        if (section.rawSize > 0 && uint64_t(section.rawPointer) + section.rawSize > image->imageEnd)
            image->imageEnd = uint64_t(section.rawPointer) + section.rawSize;
        image->sections.push_back(section);
    }
    return true;
}

PeVersionStatus ReadPeFileVersion(const uint8_t* data, size_t size, uint32_t* high, uint32_t* low) {
    PeImage image;
    std::string error;
    if (!ParsePeHeaders(data, size, &image, &error)) return PeVersionStatus::NotPe;
    if (image.resourceRva == 0 || image.resourceSize == 0) return PeVersionStatus::NoVersion;
    uint64_t section = 0;
    if (!image.FileOffset(image.resourceRva, &section) || section >= size) return PeVersionStatus::Damaged;
    const uint64_t sectionSize = std::min<uint64_t>(image.resourceSize, size - section);

    // Type RT_VERSION, then the name VS_VERSION_INFO (1, or whatever comes first), then any language.
    uint32_t entry = 0;
    if (!FindResourceEntry(data, section, sectionSize, 0, kRtVersion, &entry)) return PeVersionStatus::NoVersion;
    if ((entry & 0x80000000u) == 0) return PeVersionStatus::Damaged;
    const uint32_t names = entry & 0x7FFFFFFFu;
    if (!FindResourceEntry(data, section, sectionSize, names, kVsVersionInfoId, &entry) &&
        !FindResourceEntry(data, section, sectionSize, names, 0, &entry))
        return PeVersionStatus::NoVersion;
    if ((entry & 0x80000000u) == 0) return PeVersionStatus::Damaged;
    if (!FindResourceEntry(data, section, sectionSize, entry & 0x7FFFFFFFu, 0, &entry))
        return PeVersionStatus::NoVersion;
    if ((entry & 0x80000000u) != 0 || !Fits(sectionSize, entry, 16)) return PeVersionStatus::Damaged;
    const uint32_t blockRva = ReadLe32(data + section + entry);
    const uint32_t blockSize = ReadLe32(data + section + entry + 4);
    uint64_t block = 0;
    if (!image.FileOffset(blockRva, &block) || !Fits(size, block, blockSize)) return PeVersionStatus::Damaged;

    // VS_VERSIONINFO: wLength, wValueLength, wType, L"VS_VERSION_INFO", padding to 32 bits, the fixed info.
    static const char kKey[] = "VS_VERSION_INFO";
    const uint64_t fixed = 6 + 2 * sizeof kKey + 2;  // 40: the key with its zero ends at 38
    if (blockSize < fixed + kFixedInfoSize) return PeVersionStatus::Damaged;
    const uint8_t* p = data + block;
    if (ReadLe16(p) < fixed + kFixedInfoSize || ReadLe16(p) > blockSize) return PeVersionStatus::Damaged;
    for (size_t i = 0; i < sizeof kKey; ++i)
        if (ReadLe16(p + 6 + 2 * i) != static_cast<uint8_t>(kKey[i])) return PeVersionStatus::Damaged;
    if (ReadLe16(p + 2) < kFixedInfoSize) return PeVersionStatus::NoVersion;
    if (ReadLe32(p + fixed) != kFixedSignature) return PeVersionStatus::Damaged;
    *high = ReadLe32(p + fixed + 8);
    *low = ReadLe32(p + fixed + 12);
    return PeVersionStatus::Found;
}

}  // namespace zembra
