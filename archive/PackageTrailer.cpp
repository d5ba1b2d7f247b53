#include "archive/PackageTrailer.h"

#include "framework/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zembra {
namespace {

bool IsMarkerAt(const uint8_t* p) { return std::memcmp(p, kPackageMarker, kPackageMarkerSize) == 0; }

constexpr uint32_t kNewHeaderPointer = 0x3C;   // e_lfanew in the DOS header
constexpr uint32_t kPeHeadersRead = 24 + 152;  // signature, file header, optional header to the security entry
constexpr uint32_t kSecurityEntry = 4;         // IMAGE_DIRECTORY_ENTRY_SECURITY

// The certificate table's start when the source is a program file whose security directory (a file
// offset and a size, unlike the other directories) names a table that ends exactly at the end.
bool CertificateTableStart(PackageSource& source, uint64_t* start) {
    const uint64_t size = source.Size();
    uint8_t dos[64];
    if (size < sizeof dos || !source.ReadAt(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return false;
    const uint32_t pe = ReadLe32(dos + kNewHeaderPointer);
    if (pe >= size) return false;
    uint8_t headers[kPeHeadersRead] = {};
    const uint32_t available = static_cast<uint32_t>(std::min<uint64_t>(kPeHeadersRead, size - pe));
    if (available < 24 + 2 || !source.ReadAt(pe, headers, available)) return false;
    if (std::memcmp(headers, "PE\0\0", 4) != 0) return false;
    const uint32_t optionalSize = ReadLe16(headers + 4 + 16);
    const uint8_t* optional = headers + 24;
    const uint32_t magic = ReadLe16(optional);
    if (magic != 0x10B && magic != 0x20B) return false;
    const uint32_t directories = magic == 0x20B ? 112 : 96;
    const uint32_t entry = directories + 8 * kSecurityEntry;
    if (optionalSize < entry + 8 || available < 24 + entry + 8) return false;
    if (ReadLe32(optional + directories - 4) <= kSecurityEntry) return false;
    const uint64_t tableStart = ReadLe32(optional + entry);
    const uint64_t tableSize = ReadLe32(optional + entry + 4);
    if (tableStart == 0 || tableSize == 0 || tableStart + tableSize != size) return false;
    *start = tableStart;
    return true;
}

bool FindMarkerBefore(PackageSource& source, uint64_t end, uint64_t* markerPosition) {
    uint8_t last[kPackageMarkerSize];
    if (end >= kPackageMarkerSize && source.ReadAt(end - kPackageMarkerSize, last, kPackageMarkerSize) &&
        IsMarkerAt(last)) {
        *markerPosition = end - kPackageMarkerSize;
        return true;
    }
    if (end < kMarkerScanSize) return false;
    std::vector<uint8_t> window(kMarkerScanSize);
    if (!source.ReadAt(end - kMarkerScanSize, window.data(), kMarkerScanSize)) return false;
    // Only the first three bytes are compared at every position; the first full match, the one
    // farthest from the end, wins.
    for (uint32_t i = 0; i + kPackageMarkerSize <= kMarkerScanSize; ++i) {
        const uint8_t* p = &window[i];
        if (p[0] == '>' && p[1] == 'N' && p[2] == 'Y' && IsMarkerAt(p)) {
            *markerPosition = end - kMarkerScanSize + i;
            return true;
        }
    }
    return false;
}

}  // namespace

uint64_t PackageEnd(PackageSource& source) {
    uint64_t start = 0;
    return CertificateTableStart(source, &start) ? start : source.Size();
}

bool FindPackageMarker(PackageSource& source, uint64_t* markerPosition) {
    return FindMarkerBefore(source, PackageEnd(source), markerPosition);
}

PackageLoadError ReadPackageTrailer(PackageSource& source, PackageTrailer* trailer) {
    const uint64_t end = PackageEnd(source);
    uint64_t marker = 0;
    if (!FindMarkerBefore(source, end, &marker)) return PackageLoadError::NoMarker;
    if (marker < kTrailerFieldsSize) return PackageLoadError::OutsideFile;
    uint8_t fields[kTrailerFieldsSize];
    if (!source.ReadAt(marker - kTrailerFieldsSize, fields, kTrailerFieldsSize)) return PackageLoadError::ReadFailed;
    const uint32_t textLength = fields[0];
    const uint32_t directorySize = ReadLe32(fields + 9);
    const uint64_t fieldsStart = marker - kTrailerFieldsSize;
    if (fieldsStart < textLength || fieldsStart - textLength < directorySize) return PackageLoadError::OutsideFile;

    trailer->end = end;
    trailer->marker = marker;
    trailer->dataBase = ReadLe32(fields + 1) + ReadLe32(fields + 5);
    trailer->textLength = textLength;
    trailer->textStart = fieldsStart - textLength;
    trailer->directorySize = directorySize;
    trailer->directoryStart = trailer->textStart - directorySize;
    return PackageLoadError::None;
}

}  // namespace zembra
