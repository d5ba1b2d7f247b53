// The manifest of a product: what zembra-pack learns from the files themselves (sizes, the version
// resources of program files) and the "Zembra.ini" it writes from that and the description.
#pragma once

#include "tools/pack/ProductDescription.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

// What zembra-pack learns from a file itself.
struct FileFacts {
    uint32_t size = 0;
    bool program = false;      // a Windows program (PE image, not a DLL)
    bool hasVersion = false;
    uint32_t versionHigh = 0;  // Vers1: major * 65536 + minor
    uint32_t versionLow = 0;   // Vers2: build * 65536 + revision
};

struct ManifestFile : FileFacts {
    const ProductFile* file;
    std::string path;   // the source as the system opens it
    std::string key;    // FPName: files with the same source share one entry
};

struct ProductManifest {
    std::vector<ManifestFile> files;    // in description order
    std::vector<const ManifestFile*> entries;  // the first file of each key, in key order
    uint64_t dataSize = 0;
};

// "major.minor" of the first program with a version resource, else of the first file with one; empty
// when no file has one.
template <class Files>
std::string ProgramVersion(const Files& files) {
    for (bool programsOnly : {true, false})
        for (const FileFacts& f : files)
            if (f.hasVersion && (f.program || !programsOnly))
                return std::to_string(f.versionHigh >> 16) + "." + std::to_string(f.versionHigh & 0xFFFF);
    return std::string();
}

// A path of the description (UTF-8, relative to its folder) as the system opens it.
std::string SourcePath(const ProductDescription& description, const std::string& relative);

// Size, kind and version of a file (path as the system opens it); false with what went wrong.
bool InspectFile(const std::string& path, FileFacts* facts, std::string* problem);

// Reads every file of the description and computes the manifest. False with a message naming the
// file and the description's line.
bool BuildProductManifest(const ProductDescription& description, const std::string& descriptionName,
                          ProductManifest* manifest, std::string* error);

// "Zembra.ini" (code page 1252, CRLF): the description's keys and texts, then the manifest.
std::string ZembraIniText(const ProductDescription& description, const ProductManifest& manifest);

}  // namespace zembra
