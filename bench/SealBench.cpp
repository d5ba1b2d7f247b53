// What the seal costs an installer at its start: the extractor reads and hashes every entry before it
// unpacks anything. Times SHA-256 over memory and the whole seal check over a 256 MiB package file
// (from the page cache), best of five, and tells what that means for installers of common sizes.
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
    zembra::PackageWriter writer;
    writer.SetSealed(true);
    writer.AddData("P0", data, zembra::EntryMode::Stored);
    std::string error;
    if (!writer.Write(package, &error)) {
        std::fprintf(stderr, "bench-seal: %s\n", error.c_str());
        return 1;
    }
    zembra::SealStatus status = zembra::SealStatus::ReadFailed;
    const double checkSeconds = Best([&] {
        zembra::FilePackageReader reader(package);
        status = zembra::CheckPackageSeal(reader);
    });
    unlink(package.c_str());
    rmdir(folder);
    if (status != zembra::SealStatus::Intact) {
        std::fprintf(stderr, "bench-seal: the package did not check out\n");
        return 1;
    }

    const double mib = double(kSize) / (1 << 20);
    std::printf("SHA-256 over memory:          %7.1f MiB/s\n", mib / hashSeconds);
    std::printf("seal check of a package file: %7.1f MiB/s (%.2f s for 256 MiB)\n", mib / checkSeconds, checkSeconds);
    for (int size : {10, 100, 1000})
        std::printf("  an installer of %4d MiB waits %6.2f s before it unpacks\n", size, size / (mib / checkSeconds));
    return digest.empty() ? 1 : 0;
}
