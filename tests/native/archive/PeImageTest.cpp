#include "archive/PeImage.h"
#include "tests/native/support/PeBuilder.h"

#include <gtest/gtest.h>

using testing_support::BuildPe;
using testing_support::PeSpec;
using zembra::PeVersionStatus;

namespace {

PeVersionStatus Version(const std::string& bytes, uint32_t* high, uint32_t* low) {
    return zembra::ReadPeFileVersion(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), high, low);
}

TEST(PeImage, ReadsTheFixedFileVersion) {
    auto spec = [](auto change) {
        PeSpec s;
        change(s);
        return s;
    };
    struct Row {
        const char* name;
        PeSpec spec;
        PeVersionStatus status;
        uint32_t high, low;
    } rows[] = {
        {"64-bit program", spec([](PeSpec&) {}), PeVersionStatus::Found, 0x00010002, 0x00030004},
        {"32-bit DLL", spec([](PeSpec& s) { s.plus = false; s.machine = 0x14C; s.dll = true; s.high = 0x00070000; s.low = 9; }),
         PeVersionStatus::Found, 0x00070000, 9},
        {"major version 32768 and more", spec([](PeSpec& s) { s.high = 0xFFFF0001; s.low = 0xFFFFFFFF; }),
         PeVersionStatus::Found, 0xFFFF0001, 0xFFFFFFFF},
        {"version filed under another name than 1", spec([](PeSpec& s) { s.versionName = 7; }), PeVersionStatus::Found,
         0x00010002, 0x00030004},
        {"no resource section", spec([](PeSpec& s) { s.withResources = false; }), PeVersionStatus::NoVersion, 0, 0},
        {"resources without a version", spec([](PeSpec& s) { s.withVersion = false; }), PeVersionStatus::NoVersion, 0, 0},
        {"only other resource types", spec([](PeSpec& s) { s.versionType = 6; }), PeVersionStatus::NoVersion, 0, 0},
        {"version block without fixed info", spec([](PeSpec& s) { s.valueLength = 0; }), PeVersionStatus::NoVersion, 0, 0},
        {"wrong signature", spec([](PeSpec& s) { s.signature = 0xFEEF04BC; }), PeVersionStatus::Damaged, 0, 0},
        {"wrong key", spec([](PeSpec& s) { s.key = "VS_VERSION_INFX"; }), PeVersionStatus::Damaged, 0, 0},
    };
    for (const Row& r : rows) {
        uint32_t high = 0, low = 0;
        EXPECT_EQ(r.status, Version(BuildPe(r.spec), &high, &low)) << r.name;
        EXPECT_EQ(r.high, high) << r.name;
        EXPECT_EQ(r.low, low) << r.name;
    }
}

// Whatever the bytes, the reader stays inside them and says no rather than guess.
TEST(PeImage, CutOrBrokenFilesAreRefusedSafely) {
    const std::string good = BuildPe(PeSpec());
    uint32_t high = 0, low = 0;
    const size_t versionEnd = 0x200 + 0x58 + 92;  // the version block is the last thing that matters
    for (size_t length = 0; length < versionEnd; length += 7) {
        const std::string cut = good.substr(0, length);
        EXPECT_NE(PeVersionStatus::Found, Version(cut, &high, &low)) << "cut to " << length;
    }
    struct Row {
        const char* name;
        size_t at;
        uint32_t value;
        PeVersionStatus status;
    } rows[] = {
        {"no MZ", 0, 'X', PeVersionStatus::NotPe},
        {"PE header beyond the end", 60, 0xFFFFFF00, PeVersionStatus::NotPe},
        {"no PE signature", 0x80, 'X', PeVersionStatus::NotPe},
        {"unknown optional header", 0x98, 0x55, PeVersionStatus::NotPe},
        {"resource address outside every section", 0x98 + 112 + 16, 0x9000, PeVersionStatus::Damaged},
        {"type directory pointing outside", 0x214, 0x8FFFFFFF, PeVersionStatus::NoVersion},
        {"version data address outside", 0x248, 0x7000, PeVersionStatus::Damaged},
        {"version data size beyond the file", 0x24C, 0x100000, PeVersionStatus::Damaged},
        {"entry count that would run past the section", 0x20E, 0xFFFF, PeVersionStatus::NoVersion},
    };
    for (const Row& r : rows) {
        std::string bytes = good;
        testing_support::Put32(bytes, r.at, r.value);
        if (r.value == 'X' || r.value == 0x55) testing_support::Put16(bytes, r.at, r.value);
        EXPECT_EQ(r.status, Version(bytes, &high, &low)) << r.name;
    }
}

TEST(PeImage, HeadersTellMachineKindAndWhereTheImageEnds) {
    PeSpec spec;
    spec.dll = true;
    spec.appended = std::string(1000, 'a');
    const std::string bytes = BuildPe(spec);
    zembra::PeImage image;
    std::string error;
    ASSERT_TRUE(zembra::ParsePeHeaders(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image, &error))
        << error;
    EXPECT_EQ(zembra::kPeMachineAmd64, image.machine);
    EXPECT_TRUE(image.dll);
    EXPECT_EQ(bytes.size() - 1000, image.imageEnd);
    uint64_t offset = 0;
    EXPECT_TRUE(image.FileOffset(0x1010, &offset));
    EXPECT_EQ(0x210u, offset);
    EXPECT_FALSE(image.FileOffset(0x5000, &offset));

    EXPECT_FALSE(zembra::ParsePeHeaders(reinterpret_cast<const uint8_t*>("MZ"), 2, &image, &error));
    EXPECT_NE(std::string::npos, error.find("not a Windows program")) << error;
}

}  // namespace
