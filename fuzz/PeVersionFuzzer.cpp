// zembra-pack reads the version resource of every program file it packs: arbitrary bytes must give an
// answer without reading outside them.
#include "archive/PeImage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t high = 0, low = 0;
    const zembra::PeVersionStatus status = zembra::ReadPeFileVersion(data, size, &high, &low);
    zembra::PeImage image;
    std::string error;
    const bool headers = zembra::ParsePeHeaders(data, size, &image, &error);
    if ((status != zembra::PeVersionStatus::NotPe) != headers) std::abort();
    if (!headers && error.empty()) std::abort();
    return 0;
}
