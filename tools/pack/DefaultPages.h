// The pages a product description leaves out: short RTF pages in the demo's style that name the
// product and the buttons the dialog shows, in German or English (for every language but German).
#pragma once

#include "tools/pack/ProductDescription.h"

#include <string>

namespace zembra {

// The RTF text (code page 1252) of page 0 (start), 1 (progress) or 2 (last) for a description whose
// defaults are filled in, in language with its numbered texts (the buttons' names).
std::string DefaultPage(int page, const ProductDescription& description, const std::string& language,
                        const std::string (&texts)[kTextCount]);

}  // namespace zembra
