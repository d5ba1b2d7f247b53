// Product descriptions come from people: whatever the text, the parser answers, and what it accepts
// is what "Zembra.ini" can carry (eight 0/1 flags, no line breaks in values, texts 0 to 17).
#include "tools/pack/ProductDescription.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool HasLineEnd(const std::string& value) {
    return value.find_first_of("\r\n\x1a", 0) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zembra::ProductDescription description;
    std::string error;
    if (!zembra::ParseProductDescription(text, "fuzz/product.ini", &description, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (description.files.empty()) std::abort();
    for (const auto& file : description.files) {
        if (file.flags.size() != 8 || file.flags.find_first_not_of("01") != std::string::npos) std::abort();
        if (file.name.empty() || HasLineEnd(file.name) || HasLineEnd(file.folder)) std::abort();
    }
    for (const auto& key : description.docKeys)
        if (HasLineEnd(key.second)) std::abort();
    for (int n = 0; n < zembra::kTextCount; ++n)
        if (HasLineEnd(description.texts[n])) std::abort();
    return 0;
}
