// What zembra-pack packs as asked but points out, because it looks unintended: a file started after the
// installation that is no program, a placeholder the setup program leaves as it is in that text, a
// shortcut to a file the product does not install, a picture much larger than the room the layout
// gives it.
#pragma once

#include "tools/pack/PictureFile.h"
#include "tools/pack/ProductDescription.h"
#include "tools/pack/ProductManifest.h"

#include <string>
#include <vector>

namespace zembra {

// A picture counts as much larger when it is wider or taller than its room by more than a quarter.
constexpr long kPictureSlackPercent = 125;

// "FILE:LINE: warning: ..." lines, in the description's order within each kind. pictures holds the
// sizes of the author's pictures 1 to 3 (0 x 0 for none or unknown).
std::vector<std::string> ProductWarnings(const ProductDescription& description, const ProductManifest& manifest,
                                         const PictureSize (&pictures)[3], const std::string& descriptionName);

}  // namespace zembra
