// The pages a product description leaves out: short RTF pages in the demo's style that name the
// product and the buttons the dialog shows.
#pragma once

#include "tools/pack/ProductDescription.h"

#include <string>

namespace zembra {

// The RTF text (code page 1252) of page 0 (start), 1 (progress) or 2 (last) for a description whose
// defaults are filled in.
std::string DefaultPage(int page, const ProductDescription& description);

}  // namespace zembra
