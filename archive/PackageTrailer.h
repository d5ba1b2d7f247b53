// The tail of a package: where its own bytes end, the marker near that end and the trailer in front of
// the marker. This is the one reader of the trailer; the directory reader and the seal check both use it.
//
// Layout at the tail, M being the marker's first byte:
//   directory (D bytes) | trailer text (N bytes) | N (1) | offset part 1 (4) | offset part 2 (4) |
//   D (4) | reserved (4) | ">NYZEMBRA_SETUP<" (16) | up to 8177 bytes of anything | package end
//
// The package end is the end of the file, except in a signed program file (a single-file installer
// after code signing), which ends with its certificate table: the package then ends where that table
// begins. The table is never searched, because a signature's unsigned parts can be changed without
// breaking it.
#pragma once

#include "archive/PackageSource.h"

#include <cstdint>

namespace zembra {

constexpr char kPackageMarker[] = ">NYZEMBRA_SETUP<";
constexpr uint32_t kPackageMarkerSize = 16;
constexpr uint32_t kMarkerScanSize = 8193;       // tail searched when the last 16 bytes are not the marker
constexpr uint32_t kTrailerFieldsSize = 17;      // N, both offset parts, D and the reserved field
constexpr uint32_t kMaxTrailerText = 255;

enum class PackageLoadError {
    None,
    CannotOpen,     // the file cannot be opened or measured
    NoMarker,       // neither the last 16 bytes nor the last 8193 hold the marker
    OutsideFile,    // the trailer or the directory would begin before the file's start
    ReadFailed,
    OutOfMemory,
};

struct PackageTrailer {
    uint64_t end = 0;             // the package's end (see above)
    uint64_t marker = 0;
    uint32_t dataBase = 0;        // offset part 1 + offset part 2, modulo 2^32
    uint64_t directoryStart = 0;
    uint32_t directorySize = 0;
    uint64_t textStart = 0;       // the trailer text follows the directory without a gap
    uint32_t textLength = 0;
};

// Where the certificate table of a signed program file begins, when the source is one and the table
// runs exactly to its end; otherwise the source's size.
uint64_t PackageEnd(PackageSource& source);

// Finds the marker before the package end: the last 16 bytes first, then the last 8193 bytes, where
// the position farthest from the end wins. A package shorter than 8193 bytes is only searched at its
// very end.
bool FindPackageMarker(PackageSource& source, uint64_t* markerPosition);

// The marker and the trailer fields, checked to lie within the file. Nothing is read of the directory
// or the text.
PackageLoadError ReadPackageTrailer(PackageSource& source, PackageTrailer* trailer);

}  // namespace zembra
