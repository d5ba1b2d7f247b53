// The package directory reader over arbitrary bytes: it must neither crash nor read outside its
// buffers, and its key index must give what a plain walk through the records gives.
#include "archive/PackageDirectory.h"
#include "framework/AnsiText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kCheckedRecords = 256;  // the plain walk is quadratic

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte (part of whatever precedes the entries) picks the key index.
    zembra::PackageDirectory::ForceSortedIndex(size > 0 && (data[0] & 1));
    zembra::MemoryPackageSource source(data, size);
    zembra::PackageDirectory directory;
    if (!directory.Load(source, "fuzz")) {
        if (directory.IsLoaded() || directory.EntryCount() != 0) std::abort();
        return 0;
    }
    uint64_t next = directory.DataBase();
    for (size_t i = 0; i < directory.EntryCount(); ++i) {
        zembra::PackageEntryInfo entry = directory.Entry(i);
        if (entry.offset != next || std::strlen(entry.key) > zembra::kMaxStoredNameLength) std::abort();
        next += entry.size;
        if (i >= kCheckedRecords) continue;
        size_t first = i;
        for (size_t j = 0; j < i; ++j) {
            if (AnsiCompareNoCase(directory.Entry(j).key, entry.key) == 0) {
                first = j;
                break;
            }
        }
        uint32_t foundSize = 0;
        uint32_t offset = directory.Find(entry.key, &foundSize);
        zembra::PackageEntryInfo expected = directory.Entry(first);
        if (offset != expected.offset) std::abort();
        if (foundSize != (offset ? expected.size : 0)) std::abort();
    }
    uint32_t ignored = 0;
    directory.Find("A10", &ignored);
    directory.Find("", &ignored);
    return 0;
}
