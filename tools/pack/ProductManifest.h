// The manifest of a product: what zembra-pack learns from the files themselves (sizes, the version
// resources of program files) and the "Zembra.ini" it writes from that and the description.
#pragma once

#include "tools/pack/ProductDescription.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

struct ManifestFile {
    const ProductFile* file;
    std::string path;   // the source as the system opens it
    std::string key;    // FPName: files with the same source share one entry
    uint32_t size = 0;
    bool hasVersion = false;
    uint32_t versionHigh = 0;  // Vers1: major * 65536 + minor
    uint32_t versionLow = 0;   // Vers2: build * 65536 + revision
};

struct ProductManifest {
    std::vector<ManifestFile> files;    // in description order
    std::vector<const ManifestFile*> entries;  // the first file of each key, in key order
    uint64_t dataSize = 0;
    std::string ini;                    // "Zembra.ini", code page 1252, CRLF
};

// A path of the description (UTF-8, relative to its folder) as the system opens it.
std::string SourcePath(const ProductDescription& description, const std::string& relative);

// Reads every file of the description and computes the manifest. False with a message naming the
// file and the description's line.
bool BuildProductManifest(const ProductDescription& description, const std::string& descriptionName,
                          ProductManifest* manifest, std::string* error);

}  // namespace zembra
