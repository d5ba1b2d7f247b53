// What zembra-pack gains over gzip -9: packs a corpus of files as one package (one gzip entry a file,
// default level, one thread a core) and compresses every file on its own with zlib at level 9 on one
// core, each in every round, and compares the package's size and time with that reference. The best
// round of each counts, since other work on the machine only ever makes a round slower.
//
//   bench-pack [--runs R] [--level N] [--jobs N] [--whole-limit BYTES] (--files LIST | FOLDER)
//
// LIST holds one path a line; a FOLDER stands for every regular file under it, in name order.
#include "tools/pack/PackageWriter.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Wall time, and in *cpu the processor time of all the process's threads.
template <class F>
double Seconds(F run, double* cpu) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    run();
    *cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The size of the file as gzip -9 writes it: zlib's level 9 in its gzip wrapper, streamed.
uint64_t GzipNineSize(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    static unsigned char in[1 << 16], out[1 << 16];
    uint64_t total = 0;
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const size_t n = std::fread(in, 1, sizeof in, file);
        flush = n < sizeof in ? Z_FINISH : Z_NO_FLUSH;
        z.next_in = in;
        z.avail_in = static_cast<uInt>(n);
        do {
            z.next_out = out;
            z.avail_out = sizeof out;
            deflate(&z, flush);
            total += sizeof out - z.avail_out;
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    std::fclose(file);
    return total;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bench-pack [--runs R] [--level N] [--jobs N] [--whole-limit BYTES] (--files LIST | FOLDER)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 3, level = zembra::kDefaultGzipLevel, jobs = zembra::PackageWriter::CoreCount();
    uint64_t wholeLimit = zembra::kWholeMemberLimit;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--runs" && hasValue) runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--level" && hasValue) level = std::atoi(argv[++i]);
        else if (a == "--jobs" && hasValue) jobs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--whole-limit" && hasValue) wholeLimit = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--files" && hasValue) {
            std::ifstream list(argv[++i]);
            for (std::string line; std::getline(list, line);)
                if (!line.empty()) files.push_back(line);
        } else if (a[0] != '-' && files.empty()) {
            namespace fs = std::filesystem;
            for (const auto& e : fs::recursive_directory_iterator(a, fs::directory_options::skip_permission_denied))
                if (e.is_regular_file() && !e.is_symlink()) files.push_back(e.path().string());
            std::sort(files.begin(), files.end());
        } else {
            return Usage();
        }
    }
    if (files.empty()) return Usage();

    uint64_t input = 0;
    for (const std::string& f : files) input += std::filesystem::file_size(f);
    std::printf("corpus: %zu files, %.1f MB; level %d, %d jobs, best of %d rounds\n", files.size(), input / 1e6, level,
                jobs, runs);

    const std::string package = (std::filesystem::temp_directory_path() / "bench-pack.pkg").string();
    double bestReference = 1e30, bestPack = 1e30;
    uint64_t referenceSize = 0, packSize = 0;
    for (int round = 1; round <= runs; ++round) {
        uint64_t size = 0;
        double referenceCpu = 0, packCpu = 0;
        const double reference = Seconds([&] {
            for (const std::string& f : files) size += GzipNineSize(f);
        }, &referenceCpu);
        referenceSize = size;
        zembra::PackageWriter writer;
        writer.SetJobs(jobs);
        writer.SetWholeMemberLimit(wholeLimit);
        for (size_t i = 0; i < files.size(); ++i)
            writer.AddFile("F" + std::to_string(i), files[i], zembra::EntryMode::Gzip, level);
        std::string error;
        bool ok = true;
        const double pack = Seconds([&] { ok = writer.Write(package, &error); }, &packCpu);
        if (!ok) {
            std::fprintf(stderr, "bench-pack: %s\n", error.c_str());
            return 1;
        }
        packSize = std::filesystem::file_size(package);
        std::printf("round %d: gzip -9 %.2f MB in %.2f s (%.2f s processor), package %.2f MB in %.2f s (%.2f s)\n",
                    round, referenceSize / 1e6, reference, referenceCpu, packSize / 1e6, pack, packCpu);
        std::fflush(stdout);
        bestReference = std::min(bestReference, reference);
        bestPack = std::min(bestPack, pack);
    }
    std::filesystem::remove(package);
    std::printf("pack size vs gzip -9: %.3f, time vs gzip -9 on one core: %.2f\n",
                static_cast<double>(packSize) / referenceSize, bestPack / bestReference);
    return 0;
}
