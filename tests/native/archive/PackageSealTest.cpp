#include "archive/PackageFile.h"
#include "archive/PackageSeal.h"
#include "archive/Sha256.h"
#include "tests/native/support/TempFolder.h"
#include "tools/pack/PackageWriter.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;
using zembra::EntryMode;
using zembra::MemoryPackageSource;
using zembra::PackageWriter;
using zembra::SealStatus;

namespace {

const char kPrefix[] = "extractor program stand-in";

std::string SealedPackage(const TempFolder& folder, const std::string& text = "Demo 1.0", bool sealed = true,
                          const std::string& prefix = kPrefix) {
    PackageWriter writer;
    writer.SetPrefixFile(folder.Write("prefix.bin", prefix));
    writer.SetTrailerText(text);
    writer.SetSealed(sealed);
    writer.AddData("A10", std::string(3000, 's'), EntryMode::Gzip);
    writer.AddData("A23", "[Doc]\r\nFileCount=1\r\n", EntryMode::Stored);
    writer.AddData("P0", std::string(5000, 'p'), EntryMode::Gzip, 1);
    std::string error;
    EXPECT_TRUE(writer.Write(folder.Path("package.bin"), &error)) << error;
    return TempFolder::Read(folder.Path("package.bin"));
}

SealStatus Check(const std::string& bytes) {
    MemoryPackageSource source(bytes.data(), bytes.size());
    return zembra::CheckPackageSeal(source);
}

std::string TrailerText(const std::string& bytes) {
    const size_t length = static_cast<unsigned char>(bytes[bytes.size() - 33]);
    return bytes.substr(bytes.size() - 33 - length, length);
}

TEST(PackageSeal, TheWriterSealsEntriesAndDirectory) {
    TempFolder folder;
    const std::string bytes = SealedPackage(folder);
    EXPECT_EQ(SealStatus::Intact, Check(bytes));

    // The seal is the digest of exactly the bytes from the first entry to the trailer text.
    const std::string text = TrailerText(bytes);
    ASSERT_EQ(0u, text.rfind("Demo 1.0 sha256:", 0)) << text;
    const size_t begin = sizeof kPrefix - 1, end = bytes.size() - 33 - text.size();
    EXPECT_EQ(text.substr(text.size() - 64), zembra::Sha256Hex(bytes.data() + begin, end - begin));
}

TEST(PackageSeal, EveryChangedByteInTheSealedRangeIsFound) {
    TempFolder folder;
    const std::string bytes = SealedPackage(folder);
    const size_t begin = sizeof kPrefix - 1, end = bytes.size() - 33 - TrailerText(bytes).size();
    for (size_t at = begin; at < end; ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x40);
        ASSERT_NE(SealStatus::Intact, Check(changed)) << "byte " << at;
    }
}

TEST(PackageSeal, DamageIsToldApart) {
    TempFolder folder;
    const std::string bytes = SealedPackage(folder);
    const std::string unsealed = SealedPackage(folder, "Demo 1.0", false);
    const std::string big = SealedPackage(folder, "Demo 1.0", true, std::string(9000, 'x'));  // beyond the tail scan
    auto changed = [&](size_t at, char value) {
        std::string b = bytes;
        b[at] = value;
        return b;
    };
    auto withText = [&](const std::string& text) {
        const std::string old = TrailerText(unsealed);
        std::string b = unsealed;
        b.replace(b.size() - 33 - old.size(), old.size(), text);
        b[b.size() - 33] = static_cast<char>(text.size());
        return b;
    };
    const std::string seal = TrailerText(bytes).substr(9);  // "sha256:" and the digest
    struct Row {
        const char* name;
        std::string bytes;
        SealStatus expected;
    } rows[] = {
        {"intact", bytes, SealStatus::Intact},
        {"a byte of the prefix changed (outside the seal)", changed(3, 'X'), SealStatus::Intact},
        {"cut by one byte", bytes.substr(0, bytes.size() - 1), SealStatus::NotAPackage},
        {"cut to half", bytes.substr(0, bytes.size() / 2), SealStatus::NotAPackage},
        {"empty file", "", SealStatus::NotAPackage},
        {"data base offset moved by one", changed(bytes.size() - 32, static_cast<char>(bytes[bytes.size() - 32] + 1)),
         SealStatus::Mismatch},
        {"data base offset behind the directory", changed(bytes.size() - 29, 0x7F), SealStatus::Damaged},
        {"directory larger than the file", changed(bytes.size() - 21, 0x7F), SealStatus::Damaged},
        {"a digit of the seal changed", changed(bytes.size() - 34, bytes[bytes.size() - 34] == '0' ? '1' : '0'),
         SealStatus::Mismatch},
        {"no seal", unsealed, SealStatus::Unsealed},
        {"seal in capitals", withText("Demo " + std::string("SHA256:") + seal.substr(7)), SealStatus::Unsealed},
        {"seal glued to the free text", withText("Demo" + seal), SealStatus::Unsealed},
        {"seal one digit short", withText(seal.substr(0, seal.size() - 1)), SealStatus::Unsealed},
        {"the same entries under other free text (the text is outside the seal)", withText("Neu " + seal),
         SealStatus::Intact},
        {"bytes behind the marker of a package the library finds", big + std::string(100, 'z'), SealStatus::Intact},
        {"bytes behind the marker of a small package", bytes + std::string(100, 'z'), SealStatus::NotAPackage},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, Check(r.bytes)) << r.name;
}

TEST(PackageSeal, FreeTextLeavesRoomForTheSeal) {
    TempFolder folder;
    PackageWriter writer;
    writer.SetSealed(true);
    writer.AddData("A10", "x", EntryMode::Stored);
    std::string error;
    writer.SetTrailerText(std::string(zembra::kMaxSealedFreeText, 't'));
    ASSERT_TRUE(writer.Write(folder.Path("fits.bin"), &error)) << error;
    EXPECT_EQ(255u, TrailerText(TempFolder::Read(folder.Path("fits.bin"))).size());
    writer.SetTrailerText(std::string(zembra::kMaxSealedFreeText + 1, 't'));
    EXPECT_FALSE(writer.Write(folder.Path("long.bin"), &error));
    EXPECT_NE(std::string::npos, error.find("beside the seal")) << error;
    EXPECT_FALSE(TempFolder::Exists(folder.Path("long.bin")));
}

TEST(PackageSeal, FileReaderReadsWhatIsThere) {
    TempFolder folder;
    const std::string bytes = SealedPackage(folder);
    zembra::PackageFile reader(folder.Path("package.bin").c_str(), zembra::PackageFile::Sharing::Shared);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(bytes.size(), reader.Size());
    EXPECT_EQ(SealStatus::Intact, zembra::CheckPackageSeal(reader));
    char buffer[4];
    EXPECT_FALSE(reader.ReadAt(bytes.size() - 2, buffer, 4)) << "past the end";
    unsigned long error = 0;
    EXPECT_FALSE(reader.Open(folder.Path("missing.bin").c_str(), zembra::PackageFile::Sharing::Shared, &error));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_NE(0u, error);
}

}  // namespace
