// The library's own gzip decoder: one gzip member (or one ZIP local entry) from a descriptor to a
// descriptor, with its CRC and length checked, progress after every DEFLATE block and the cancel flag
// honoured. The decoder's buffers exist once per process; it is not re-entrant.
#pragma once

#include <cstdint>

namespace zembra {

// Decodes the entry that starts at inFd's position into outFd; 0 for a good entry, -1 for any failure
// (the output written so far stays). Before each call the caller empties the input buffer and resets
// the bytes-written count, so that nothing of an earlier entry is used.
int GzipDecode(int inFd, int outFd);

void GzipResetInput();
void GzipResetBytesWritten();
uint32_t GzipBytesWritten();

}  // namespace zembra
