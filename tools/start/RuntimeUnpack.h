// Unpacks one gzip entry of the package with the portable decoder linked into the extractor. That is
// how zembra1.dll gets into the working folder: the library cannot unpack itself.
#pragma once

#include "archive/PackageFile.h"

#include <cstdint>
#include <string>

namespace zembra {

// The entry at offset of the open package, decoded into target, a new file (one already there is an
// error). False with a system error code; nothing of a failed target is left.
bool UnpackEntryTo(PackageFile& package, uint32_t offset, const std::string& target, unsigned long* error);

}  // namespace zembra
