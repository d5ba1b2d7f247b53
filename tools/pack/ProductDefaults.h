// What a product description may leave out, and what zembra-pack puts in its place: texts that name
// the product in each of its languages (German, English for every other), the demo's layout proportions, a folder under
// Program Files named after the product. What the author writes always wins. --init shows the same defaults in its
// comments.
#pragma once

#include "tools/pack/ProductDescription.h"

#include <string>
#include <vector>

namespace zembra {

// An optional key of [Product], [Layout] or [Placement] and what it is when the description leaves it
// out, as a description would write it; an empty value leaves it to the setup program's own default.
struct OptionalKey {
    const char* section;
    const char* key;
    std::string value;
    const char* meaning;
};

// The optional keys in description order, with the defaults that follow from what the description
// sets. programVersion is the ProVersion default ("2.5"); empty, ProVersion is not among them.
std::vector<OptionalKey> OptionalKeys(const ProductDescription& description, const std::string& programVersion);

// Numbered text n of a language as a description would write it (UTF-8, with \n and \t), naming the
// product.
std::string DefaultTextWritten(int n, const std::string& productNameUtf8, const std::string& language = "de");

// Fills in every optional key and numbered text (of every language) the description leaves out (ProVersion only when
// programVersion is given). ProName must be set.
void ApplyProductDefaults(ProductDescription* description, const std::string& programVersion = std::string());

// ProVersion when the description gives none: the files' own version, else "1.0".
inline std::string DefaultProductVersion(const std::string& filesVersion) {
    return filesVersion.empty() ? "1.0" : filesVersion;
}

}  // namespace zembra
