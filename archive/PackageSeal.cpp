#include "archive/PackageSeal.h"

#include "archive/Sha256.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zembra {
namespace {

bool IsLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// The digest the text carries, or empty when it carries none.
std::string SealOf(const std::string& text) {
    if (text.size() < kSealSize) return std::string();
    const size_t at = text.size() - kSealSize;
    if (at > 0 && text[at - 1] != ' ') return std::string();
    if (text.compare(at, sizeof kSealTag - 1, kSealTag) != 0) return std::string();
    std::string digest = text.substr(at + sizeof kSealTag - 1);
    for (char c : digest)
        if (!IsLowerHex(c)) return std::string();
    return digest;
}

}  // namespace

std::string SealedTrailerText(const std::string& freeText, const std::string& digestHex) {
    return freeText.empty() ? kSealTag + digestHex : freeText + " " + kSealTag + digestHex;
}

bool ReadPackageTail(PackageSource& source, PackageTail* tail, SealStatus* status) {
    PackageTrailer trailer;
    switch (ReadPackageTrailer(source, &trailer)) {
        case PackageLoadError::None: break;
        case PackageLoadError::NoMarker: *status = SealStatus::NotAPackage; return false;
        case PackageLoadError::ReadFailed: *status = SealStatus::ReadFailed; return false;
        default: *status = SealStatus::Damaged; return false;
    }
    tail->marker = trailer.marker;
    tail->dataBase = trailer.dataBase;
    tail->directorySize = trailer.directorySize;
    tail->textStart = trailer.textStart;
    tail->directoryStart = trailer.directoryStart;
    tail->text.assign(trailer.textLength, '\0');
    if (trailer.textLength > 0 && !source.ReadAt(trailer.textStart, &tail->text[0], trailer.textLength)) {
        *status = SealStatus::ReadFailed;
        return false;
    }
    // Entries lie in front of the directory: a base behind it leaves nothing to seal.
    if (tail->dataBase > tail->directoryStart) {
        *status = SealStatus::Damaged;
        return false;
    }
    *status = SealStatus::Intact;
    return true;
}

SealStatus CheckPackageSeal(PackageSource& source) {
    PackageTail tail;
    SealStatus status;
    if (!ReadPackageTail(source, &tail, &status)) return status;
    const std::string sealed = SealOf(tail.text);
    if (sealed.empty()) return SealStatus::Unsealed;

    Sha256 hash;
    std::vector<uint8_t> chunk(1u << 20);
    for (uint64_t at = tail.dataBase; at < tail.textStart;) {
        const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(chunk.size(), tail.textStart - at));
        if (!source.ReadAt(at, chunk.data(), count)) return SealStatus::ReadFailed;
        hash.Update(chunk.data(), count);
        at += count;
    }
    const std::string digest = hash.FinalHex();
    if (digest.empty()) return SealStatus::HashFailed;
    return digest == sealed ? SealStatus::Intact : SealStatus::Mismatch;
}

}  // namespace zembra
