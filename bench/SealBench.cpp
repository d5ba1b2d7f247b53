// What the seal costs an installer at its start: the extractor reads and hashes every entry before it
// unpacks anything. Times the platform library's own SHA-256 over the sealed bytes in memory and the
// whole seal check over the same bytes in a 256 MiB package file (from the page cache), best of seven.
// Their ratio is what reading the file costs on top of hashing. Natively the library is libcrypto; the
// Windows build uses BCrypt; both read the file as the extractor does. The same installer signed (20 KB of
// certificates behind it) is checked where it lies, with no copy: that ratio is what a signature costs.
#include "archive/PackageFile.h"
#include "archive/PackageSeal.h"
#include "tests/native/support/PeBuilder.h"
#include "tools/pack/PackageWriter.h"

#ifdef _WIN32

#include <windows.h>
#include <bcrypt.h>
#else
#include <openssl/evp.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr size_t kSize = 256u << 20;
constexpr int kRounds = 7;

template <class F>
double Seconds(F run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Hex(const unsigned char* digest) {
    std::string hex;
    for (int i = 0; i < 32; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

// The library called directly, in one piece: the reference the check is measured against.
#ifdef _WIN32
const char kLibrary[] = "BCrypt";

std::string RawSha256(const std::string& bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    unsigned char digest[32] = {};
    bool ok = BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
              BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)) &&
              BCRYPT_SUCCESS(BCryptHashData(hash, reinterpret_cast<UCHAR*>(const_cast<char*>(bytes.data())),
                                            static_cast<ULONG>(bytes.size()), 0)) &&
              BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
    if (hash) BCryptDestroyHash(hash);
    if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
    return ok ? Hex(digest) : std::string();
}
#else
const char kLibrary[] = "libcrypto";

std::string RawSha256(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    return EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) && length == 32
               ? Hex(digest)
               : std::string();
}
#endif

zembra::SealStatus CheckFile(const std::string& path) {
    zembra::PackageFile reader;  // as the extractor reads its package
    return reader.Open(path.c_str(), zembra::PackageFile::Sharing::WriteDenied) ? zembra::CheckPackageSeal(reader)
                                                                               : zembra::SealStatus::ReadFailed;
}

// A copy of the installer with a 20 KB certificate table, named in its program header as a signing
// tool does.
bool WriteSigned(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(to, std::ios::binary);
    out << testing_support::Signed(bytes, std::string(20000, 'c'));
    return static_cast<bool>(out.flush());
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "bench-seal: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main() {
    std::string data(kSize, '\0');
    uint32_t seed = 1;
    for (char& c : data) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }

    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::path folder = fs::temp_directory_path(ignored) /
                            ("bench-seal-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    if (!fs::create_directory(folder, ignored)) return Fail("cannot make " + folder.string());
    const std::string package = (folder / "package.bin").string(), program = (folder / "program.bin").string();
    std::ofstream(program, std::ios::binary) << testing_support::BuildPe(testing_support::PeSpec());
    zembra::PackageWriter writer;
    writer.SetPrefixFile(program);
    writer.SetSealed(true);
    writer.AddData("P0", std::move(data), zembra::EntryMode::Stored);
    std::string error;
    const std::string signedPackage = (folder / "signed.bin").string();
    if (!writer.Write(package, &error) || !WriteSigned(package, signedPackage)) {
        fs::remove_all(folder, ignored);
        return Fail(error);
    }

    // The sealed range, read back into memory for the reference.
    std::string sealed;
    zembra::PackageTail tail;
    {
        std::ifstream in(package, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        zembra::MemoryPackageSource source(bytes.data(), bytes.size());
        zembra::SealStatus status;
        if (zembra::ReadPackageTail(source, &tail, &status))
            sealed = bytes.substr(tail.dataBase, tail.textStart - tail.dataBase);
    }
    // Taken in turns, so that other work on the machine weighs on both alike; the best of each counts.
    std::string digest;
    zembra::SealStatus status = zembra::SealStatus::ReadFailed, signedStatus = zembra::SealStatus::ReadFailed;
    double rawSeconds = 1e9, checkSeconds = 1e9, signedSeconds = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        rawSeconds = std::min(rawSeconds, Seconds([&] { digest = RawSha256(sealed); }));
        checkSeconds = std::min(checkSeconds, Seconds([&] { status = CheckFile(package); }));
        signedSeconds = std::min(signedSeconds, Seconds([&] { signedStatus = CheckFile(signedPackage); }));
    }
    fs::remove_all(folder, ignored);
    if (sealed.empty() || digest.empty() || tail.text.compare(tail.text.size() - 64, 64, digest) != 0)
        return Fail(std::string(kLibrary) + " did not give the package's seal");
    if (status != zembra::SealStatus::Intact || signedStatus != zembra::SealStatus::Intact)
        return Fail("the package did not check out");

    const double mib = double(sealed.size()) / (1 << 20);
    std::printf("%s SHA-256 over memory: %7.1f MiB/s\n", kLibrary, mib / rawSeconds);
    std::printf("seal check of a package file: %7.1f MiB/s (%.2f s for %.0f MiB)\n", mib / checkSeconds, checkSeconds,
                mib);
    for (int size : {10, 100, 1000})
        std::printf("  an installer of %4d MiB waits %6.2f s before it unpacks\n", size, size / (mib / checkSeconds));
    std::printf("the same installer signed: %7.1f MiB/s\n", mib / signedSeconds);
    std::printf("signed vs unsigned: %.2f\n", checkSeconds / signedSeconds);
    std::printf("seal check vs raw SHA-256: %.2f\n", rawSeconds / checkSeconds);
    return 0;
}
