// The seal of a package: a SHA-256 over its entries and its directory, carried at the end of the trailer
// text, which the library never reads. The extractor checks it before it unpacks anything, so a cut or
// altered installer stops instead of installing damaged files.
//
// Sealed range: from the data base offset up to the first byte of the trailer text, that is every
// entry's data and the whole directory. The prefix in front of the entries (the extractor program) and
// the trailer fields are outside it; a changed base offset or directory size moves the range and so
// breaks the seal all the same.
#pragma once

#include "archive/PackageTrailer.h"

#include <cstdint>
#include <string>

namespace zembra {

constexpr char kSealTag[] = "sha256:";
constexpr size_t kSealSize = 7 + 64;                           // tag and hex digest
constexpr size_t kMaxSealedFreeText = kMaxTrailerText - kSealSize - 1;  // room left before " sha256:..."

// The trailer text of a sealed package: the free text, a blank when it is not empty, the seal.
std::string SealedTrailerText(const std::string& freeText, const std::string& digestHex);

// The tail of a package as the marker, the trailer fields and the text describe it.
struct PackageTail {
    uint64_t marker = 0;
    uint32_t dataBase = 0;
    uint64_t directoryStart = 0;
    uint32_t directorySize = 0;
    uint64_t textStart = 0;  // end of the sealed range
    std::string text;
};

enum class SealStatus {
    Intact,
    NotAPackage,  // no marker where the library looks for one: cut off, or no package at all
    Damaged,      // the trailer's offsets and sizes do not fit the file
    Unsealed,     // the trailer text carries no seal
    Mismatch,     // the bytes differ from those that were sealed
    ReadFailed,
    HashFailed,   // the platform's SHA-256 is not at hand (Sha256::Available tells why)
};

bool ReadPackageTail(PackageSource& source, PackageTail* tail, SealStatus* status);

// Recomputes the digest over the sealed range, reading it in pieces, and compares it with the seal.
SealStatus CheckPackageSeal(PackageSource& source);

}  // namespace zembra
