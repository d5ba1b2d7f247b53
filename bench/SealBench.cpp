// What the seal costs an installer at its start: the extractor reads and hashes every entry before it
// unpacks anything. Times SHA-256 over memory and the whole seal check over a 256 MiB package file
// (from the page cache), best of five, and tells what that means for installers of common sizes. The
// same installer signed (a 20 KB certificate table behind it) is checked where it lies, with no copy:
// the ratio of the two shows what the signature costs.
#include "tests/native/support/PeBuilder.h"
#include "tools/common/PackageSeal.h"
#include "tools/common/Sha256.h"
#include "tools/pack/PackageWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

namespace {

constexpr size_t kSize = 256u << 20;

double Now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

template <class F>
double Best(F run) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = Now();
        run();
        best = std::min(best, Now() - start);
    }
    return best;
}

// Appends a 20 KB certificate table to the installer at path and names it in the program header, as a
// signing tool does.
bool Signed(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::string bytes;
    char chunk[1 << 16];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, got);
    std::fclose(file);
    bytes = testing_support::Signed(bytes, std::string(20000, 'c'));
    file = std::fopen(path.c_str(), "wb");
    return file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fclose(file) == 0;
}

}  // namespace

int main() {
    std::string data(kSize, '\0');
    uint32_t seed = 1;
    for (char& c : data) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    std::string digest;
    const double hashSeconds = Best([&] { digest = zembra::Sha256Hex(data.data(), data.size()); });

    char folder[] = "/tmp/bench-seal-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    const std::string package = std::string(folder) + "/package.bin";
    const std::string program = std::string(folder) + "/program.bin";
    std::FILE* prefix = std::fopen(program.c_str(), "wb");
    const std::string image = testing_support::BuildPe(testing_support::PeSpec());
    if (!prefix || std::fwrite(image.data(), 1, image.size(), prefix) != image.size() || std::fclose(prefix) != 0)
        return 1;
    zembra::PackageWriter writer;
    writer.SetPrefixFile(program);
    writer.SetSealed(true);
    writer.AddData("P0", data, zembra::EntryMode::Stored);
    std::string error;
    if (!writer.Write(package, &error)) {
        std::fprintf(stderr, "bench-seal: %s\n", error.c_str());
        return 1;
    }
    auto check = [](const std::string& path, zembra::SealStatus* status) {
        return Best([&] {
            zembra::FilePackageReader reader(path);
            *status = zembra::CheckPackageSeal(reader);
        });
    };
    zembra::SealStatus status = zembra::SealStatus::ReadFailed, signedStatus = zembra::SealStatus::ReadFailed;
    const double checkSeconds = check(package, &status);
    const double signedSeconds = Signed(package) ? check(package, &signedStatus) : 0;
    unlink(package.c_str());
    unlink(program.c_str());
    rmdir(folder);
    if (status != zembra::SealStatus::Intact || signedStatus != zembra::SealStatus::Intact) {
        std::fprintf(stderr, "bench-seal: the package did not check out\n");
        return 1;
    }

    const double mib = double(kSize) / (1 << 20);
    std::printf("SHA-256 over memory:          %7.1f MiB/s\n", mib / hashSeconds);
    std::printf("seal check of a package file: %7.1f MiB/s (%.2f s for 256 MiB)\n", mib / checkSeconds, checkSeconds);
    std::printf("the same installer signed:    %7.1f MiB/s (signed / unsigned: %.2f)\n", mib / signedSeconds,
                signedSeconds / checkSeconds);
    for (int size : {10, 100, 1000})
        std::printf("  an installer of %4d MiB waits %6.2f s before it unpacks\n", size, size / (mib / checkSeconds));
    return digest.empty() ? 1 : 0;
}
