// Entry keys of a finished installer beyond the library's own (A10 the setup program, A11-A13 pages,
// A20-A22 pictures, A23 "Zembra.ini"): the runtime library, which the extractor unpacks itself before
// the library exists, and the product's files, which the manifest names in FPName.
#pragma once

#include <cstdint>
#include <string>

namespace zembra {

constexpr char kSetupProgramKey[] = "A10";
constexpr char kRuntimeKey[] = "ZEMBRA1";
constexpr char kRuntimeFileName[] = "zembra1.dll";
// A product of other languages than German alone: the stored entry "LANG" with their codes, the main
// language first ("en,de"), which the extractor reads before it unpacks anything.
constexpr char kLanguagesKey[] = "LANG";
constexpr uint32_t kMaxLanguagesSize = 256;
// The pages of a language other than the main one: A11.en to A13.en beside A11 to A13.
inline std::string LanguagePageKey(int page, const std::string& language) {
    return "A1" + std::to_string(page) + "." + language;
}
// With [Product] Uninstall=1: the uninstaller and its product record.
constexpr char kUninstallerKey[] = "U0";
constexpr char kProductRecordKey[] = "U1";

inline std::string ProductFileKey(size_t index) { return "P" + std::to_string(index); }

}  // namespace zembra
