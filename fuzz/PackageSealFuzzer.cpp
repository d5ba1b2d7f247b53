// The extractor reads the tail of whatever file it was handed before anything else: the seal check
// must neither crash nor read outside the bytes, and it may only call a package intact when the digest
// of the sealed range really is the one in the trailer text.
#include "archive/PackageSeal.h"
#include "archive/Sha256.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zembra::MemoryPackageSource source(data, size);
    const zembra::SealStatus status = zembra::CheckPackageSeal(source);
    zembra::PackageTail tail;
    zembra::SealStatus tailStatus;
    const bool read = zembra::ReadPackageTail(source, &tail, &tailStatus);
    if (read) {
        if (tail.dataBase > tail.directoryStart || tail.directoryStart > tail.textStart ||
            tail.textStart + tail.text.size() > tail.marker || tail.marker + zembra::kPackageMarkerSize > size)
            std::abort();
    }
    if (status == zembra::SealStatus::Intact) {
        if (!read || tail.text.size() < zembra::kSealSize) std::abort();
        const std::string digest = zembra::Sha256Hex(data + tail.dataBase, tail.textStart - tail.dataBase);
        if (tail.text.compare(tail.text.size() - 64, 64, digest) != 0) std::abort();
    }
    return 0;
}
