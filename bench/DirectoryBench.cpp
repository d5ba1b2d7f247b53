// Resolves every key of a 10,000- and of a 20,000-entry package directory (load and index included)
// and reports how the time grows; about 2 means linear.
#include "archive/PackageDirectory.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <time.h>

namespace {

// The package, and the keys to look up (in lower case, found regardless of case) one after the other,
// each ending in a zero.
std::string Package(int entries, std::string* lookups) {
    std::string directory;
    auto le32 = [&directory](uint32_t v) {
        for (int i = 0; i < 4; ++i) directory.push_back(static_cast<char>(v >> (8 * i)));
    };
    le32(static_cast<uint32_t>(entries));
    for (int i = 0; i < entries; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "FILE%06d.DAT", (i * 7919) % entries);
        directory.push_back(static_cast<char>(std::string(key).size() + 1));
        for (const char* c = key; *c; ++c) directory.push_back(static_cast<char>(*c ^ zembra::kPackageNameMask));
        directory.push_back('\0');
        le32(100 + static_cast<uint32_t>(i % 50));
        for (const char* c = key; *c; ++c) lookups->push_back(static_cast<char>(*c >= 'A' && *c <= 'Z' ? *c + 32 : *c));
        lookups->push_back('\0');
    }
    std::string bytes = "x" + directory + '\0';
    for (uint32_t v : {1u, 0u, static_cast<uint32_t>(directory.size()), 0u})
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(v >> (8 * i)));
    return bytes + zembra::kPackageMarker;
}

// Processor time of this thread, so that other work on the machine disturbs the figures less.
double ThreadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Workload {
    std::string keys;
    std::string bytes;
    double best = 1e300;
};

// One load of the directory and one lookup of every key; false when a key is not found.
bool ResolveAll(Workload& w) {
    double start = ThreadMilliseconds();
    zembra::MemoryPackageSource source(w.bytes.data(), w.bytes.size());
    zembra::PackageDirectory directory;
    if (!directory.Load(source, "bench")) return false;
    for (const char* key = w.keys.data(); key < w.keys.data() + w.keys.size(); key += std::strlen(key) + 1) {
        uint32_t size = 0;
        if (directory.Find(key, &size) == 0) return false;
    }
    w.best = std::min(w.best, ThreadMilliseconds() - start);
    return true;
}

}  // namespace

int main() {
    Workload small, large;
    small.bytes = Package(10000, &small.keys);
    large.bytes = Package(20000, &large.keys);
    // Alternating runs see the same machine load; the best of each counts.
    bool ok = true;
    for (int run = 0; run < 25 && ok; ++run) ok = ResolveAll(small) && ResolveAll(large);
    if (!ok) {
        std::fprintf(stderr, "bench-directory: a key was not found\n");
        return 1;
    }
    std::printf("10000 entries: load and resolve every key: %.2f ms\n", small.best);
    std::printf("20000 entries: load and resolve every key: %.2f ms\n", large.best);
    std::printf("growth factor 20k/10k: %.2f\n", large.best / small.best);
    return 0;
}
