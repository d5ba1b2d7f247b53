// zembra-pack's product mode: from a product description, a single-file installer (Setup.exe) made
// of the extractor, the setup program, its pictures and pages, the computed "Zembra.ini", the runtime
// library and the product's files, sealed. Pages and pictures the description leaves out are made here.
#pragma once

#include "tools/pack/PackageWriter.h"
#include "tools/pack/WingetManifest.h"

#include <functional>
#include <string>

namespace zembra {

// The runtime programs that go into every installer, from the folder given with --runtime.
constexpr char kExtractorProgram[] = "ZembraStart.exe";
constexpr char kSetupProgram[] = "ZembraSetup.exe";
constexpr char kUninstallerProgram[] = "UnZembra.exe";  // with [Product] Uninstall=1

struct ProductPackOptions {
    std::string description;    // the description file
    std::string runtimeFolder;  // holds ZembraStart.exe, ZembraSetup.exe, zembra1.dll of one architecture
    std::string output;         // Setup.exe
    std::string iniOutput;      // when not empty, the computed "Zembra.ini" is written here as well
    WingetOptions winget;       // with a folder: the package manager's manifest of the installer, too
    int level = kDefaultGzipLevel;
    int jobs = 0;  // one per core
    std::function<void(const PackProgress&)> progress;
    std::function<void(const std::string&)> warning;  // "FILE:LINE: warning: ..."; packing goes on
};

// False with a message, and then no output file at all (an existing one stays as it was). What the
// manifest needs is checked before the installer is written; the manifest is written after it.
bool PackProduct(const ProductPackOptions& options, std::string* error);

}  // namespace zembra
