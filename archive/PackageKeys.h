// Entry keys of a finished installer beyond the library's own (A10 the setup program, A11-A13 pages,
// A20-A22 pictures, A23 "Zembra.ini"): the runtime library, which the extractor unpacks itself before
// the library exists, and the product's files, which the manifest names in FPName.
#pragma once

#include <string>

namespace zembra {

constexpr char kSetupProgramKey[] = "A10";
constexpr char kRuntimeKey[] = "ZEMBRA1";
constexpr char kRuntimeFileName[] = "zembra1.dll";
// With [Product] Uninstall=1: the uninstaller and its product record.
constexpr char kUninstallerKey[] = "U0";
constexpr char kProductRecordKey[] = "U1";

inline std::string ProductFileKey(size_t index) { return "P" + std::to_string(index); }

}  // namespace zembra
