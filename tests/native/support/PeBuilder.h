// Builds small Windows program files (PE) byte by byte: headers, one resource section and, when asked,
// a version resource with a chosen file version. Enough for the tools' PE reader and for stand-ins of
// the runtime programs; nothing here runs.
#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

struct PeSpec {
    uint16_t machine = 0x8664;
    bool plus = true;            // PE32+ (64-bit) or PE32
    bool dll = false;
    bool withResources = true;
    bool withVersion = true;     // an RT_VERSION resource in the resource section
    uint32_t versionType = 16;   // the resource type the version block is filed under
    uint32_t versionName = 1;
    uint32_t high = 0x00010002;  // file version 1.2.3.4
    uint32_t low = 0x00030004;
    uint32_t signature = 0xFEEF04BD;
    uint16_t valueLength = 52;   // wValueLength of the version block
    std::string key = "VS_VERSION_INFO";
    std::string appended;        // bytes behind the image
};

inline void Put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v);
    s[at + 1] = static_cast<char>(v >> 8);
}
inline void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

inline std::string BuildPe(const PeSpec& spec) {
    constexpr uint32_t kPe = 0x80, kHeaders = 0x200, kSectionRva = 0x1000;
    const uint32_t optionalSize = spec.plus ? 240 : 224;
    std::string file(kHeaders, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    Put32(file, 60, kPe);
    file.replace(kPe, 4, std::string("PE\0\0", 4));
    const size_t coff = kPe + 4;
    Put16(file, coff, spec.machine);
    Put16(file, coff + 2, 1);
    Put16(file, coff + 16, optionalSize);
    Put16(file, coff + 18, 0x0002 | (spec.dll ? 0x2000 : 0));
    const size_t optional = coff + 20;
    Put16(file, optional, spec.plus ? 0x20B : 0x10B);
    Put32(file, optional + 60, kHeaders);
    const size_t directories = optional + (spec.plus ? 112 : 96);
    Put32(file, directories - 4, 16);

    // Resource tree: type -> name -> language -> data entry -> version block.
    std::string rsrc(0x58, '\0');
    auto directory = [&](size_t at, uint32_t id, uint32_t target) {
        Put16(rsrc, at + 14, 1);
        Put32(rsrc, at + 16, id);
        Put32(rsrc, at + 20, target);
    };
    directory(0x00, spec.versionType, 0x80000018);
    directory(0x18, spec.versionName, 0x80000030);
    directory(0x30, 0x0409, 0x48);
    std::string block(40 + 52, '\0');
    Put16(block, 0, static_cast<uint32_t>(block.size()));
    Put16(block, 2, spec.valueLength);
    for (size_t i = 0; i < spec.key.size() && 6 + 2 * i < 38; ++i) Put16(block, 6 + 2 * i, static_cast<uint8_t>(spec.key[i]));
    Put32(block, 40, spec.signature);
    Put32(block, 44, 0x00010000);
    Put32(block, 48, spec.high);
    Put32(block, 52, spec.low);
    Put32(block, 56, spec.high);
    Put32(block, 60, spec.low);
    Put32(rsrc, 0x48, kSectionRva + 0x58);
    Put32(rsrc, 0x4C, static_cast<uint32_t>(block.size()));
    rsrc += block;
    if (!spec.withVersion) rsrc.assign(16, '\0');  // an empty resource directory
    rsrc.resize((rsrc.size() + 0x1FF) & ~size_t(0x1FF), '\0');

    if (spec.withResources) {
        Put32(file, directories + 16, kSectionRva);
        Put32(file, directories + 20, static_cast<uint32_t>(rsrc.size()));
    }
    const size_t section = optional + optionalSize;
    file.replace(section, 5, ".rsrc");
    Put32(file, section + 8, static_cast<uint32_t>(rsrc.size()));
    Put32(file, section + 12, kSectionRva);
    Put32(file, section + 16, static_cast<uint32_t>(rsrc.size()));
    Put32(file, section + 20, kHeaders);
    return file + rsrc + spec.appended;
}

// Names a certificate table in the security directory of a file made by BuildPe, as code signing does.
inline void SetSecurityDirectory(std::string& file, uint32_t start, uint32_t size) {
    const size_t optional = 0x80 + 24;
    const size_t directories = optional + (file[optional + 1] == 0x02 ? 112 : 96);
    Put32(file, directories + 32, start);
    Put32(file, directories + 36, size);
}

// The file padded to eight bytes, then the table, named in the security directory.
inline std::string Signed(std::string file, const std::string& table) {
    file.resize((file.size() + 7) & ~size_t(7), '\0');
    SetSecurityDirectory(file, static_cast<uint32_t>(file.size()), static_cast<uint32_t>(table.size()));
    return file + table;
}

}  // namespace testing_support
