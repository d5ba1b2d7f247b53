// Loads a setup configuration with 10,000 and with 20,000 manifest sections [PFile%ld] and walks the
// manifest as the installation driver does (every key of PFile0, then of PFile1, ...). The last line
// gives the growth of the time from 10,000 to 20,000 sections, which stays near 2 for linear work.
#include "framework/MessageBox.h"
#include "profile/CProfileDocument.h"

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {

const char* const kKeys[] = {"FFlags", "FName", "FDir", "FPName", "FSize", "Vers1", "Vers2", "FDate", "FAttr"};

std::string Manifest(long sections) {
    std::string text = "; bench\r\n\r\n[Doc]\r\nProName=Bench\r\nFileCount=" + std::to_string(sections) + "\r\n";
    char line[320];
    for (long i = 0; i < sections; ++i) {
        std::snprintf(line, sizeof line,
                      "\r\n[PFile%ld]\r\nFFlags=%ld\r\nFName=file%ld.dll\r\nFDir=<INSTALLDIR>\\Bin\\%ld\r\n"
                      "FPName=A%ld\r\nFSize=%ld\r\nVers1=65536\r\nVers2=%ld\r\nFDate=2024-01-01\r\nFAttr=32\r\n",
                      i, i % 4, i, i % 100, i, 1000 + i, i);
        text += line;
    }
    return text;
}

// Processor time of this process: other work on a busy machine does not count.
double CpuSeconds() {
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Processor seconds for one load and walk; the checksum keeps the walk from being optimised away.
double LoadAndWalk(const std::string& path, long sections, unsigned long& checksum) {
    double start = CpuSeconds();
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    if (!doc.Load()) {
        std::fprintf(stderr, "bench-profile: %s did not load\n", path.c_str());
        std::exit(1);
    }
    long count = doc.GetInt("Doc", "FileCount", 0);
    char section[32];
    for (long i = 0; i < count; ++i) {
        std::snprintf(section, sizeof section, "PFile%ld", i);
        checksum += static_cast<unsigned long>(doc.GetInt(section, "FFlags", 0));
        for (int k = 1; k < 9; ++k) checksum += static_cast<unsigned long>(doc.GetString(section, kKeys[k], "").GetLength());
    }
    if (count != sections) std::exit(1);
    return CpuSeconds() - start;
}

struct Case {
    long sections;
    char path[32];
    size_t bytes;
    double best;
};

bool Prepare(Case& c) {
    std::snprintf(c.path, sizeof c.path, "/tmp/zembra-bench-XXXXXX");
    int fd = mkstemp(c.path);
    if (fd < 0) return false;
    std::string text = Manifest(c.sections);
    c.bytes = text.size();
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    c.best = 1e9;
    return ok;
}

}  // namespace

int main() {
    // Freed memory stays with the process between rounds. Otherwise the allocator hands the larger
    // document's memory back after every round and the next one pays the page faults anew, while the
    // smaller one fits in what is kept: the factor would measure the allocator, not the profile code.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    unsigned long checksum = 0;
    Case cases[] = {{10000, "", 0, 0}, {20000, "", 0, 0}};
    for (Case& c : cases)
        if (!Prepare(c)) return 1;
    // Rounds alternate between the sizes, so that a busy spell of the machine hits both alike.
    for (int round = 0; round < 11; ++round) {
        for (Case& c : cases) {
            double t = LoadAndWalk(c.path, c.sections, checksum);
            if (t < c.best) c.best = t;
        }
    }
    for (Case& c : cases) {
        unlink(c.path);
        std::printf("%ld sections (%zu bytes): load and walk %.1f ms (best of 11, processor time)\n", c.sections,
                    c.bytes, c.best * 1000);
    }
    double t10 = cases[0].best, t20 = cases[1].best;
    if (t10 <= 0 || t20 <= 0) return 1;
    std::printf("checksum %lu\n", checksum);
    std::printf("growth factor 20k/10k: %.2f\n", t20 / t10);
    return 0;
}
