// DEFLATE blocks (stored, fixed and dynamic codes) into the decoder's window.
#pragma once

#include "archive/DecoderState.h"

namespace zembra {

// Inflates blocks up to the last one, with progress and the cancel check after each block, then hands
// unused whole bytes back to the input and flushes. False on a format, read or write error, which ends
// the decoding at once (no final flush).
bool Inflate(DecoderState& s);

}  // namespace zembra
