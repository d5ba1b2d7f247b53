// The decoder's module-wide state and its byte-level input and output; shared by the gzip/ZIP framing
// (GzipDecoder.cpp) and the DEFLATE blocks (Inflate.cpp).
#pragma once

#include "archive/HuffmanTable.h"

#include <cstdint>

namespace zembra {

constexpr uint32_t kInputSize = 32768;
constexpr uint32_t kWindowSize = 32768;
// A match may start at the window's last byte. The fast loop lets it run on into this slack, and the
// flush moves the overflow back to the window's start, so no symbol has to check the room left.
constexpr uint32_t kWindowSlack = 288;

struct MemberKind {
    bool zip = false;
    bool zipDeflated = false;
    bool zipDescriptor = false;  // a 16-byte data descriptor follows the data
    uint32_t zipCrc = 0;
    uint32_t zipCompressedSize = 0;
    uint32_t zipSize = 0;
};

struct DecoderState {
    uint8_t input[kInputSize + 8];  // the margin keeps an 8-byte load at the last byte inside the array
    uint32_t inputFill;
    uint32_t inputPos;
    unsigned inputRefills;          // in this call; tells a freshly filled buffer

    uint8_t window[kWindowSize + kWindowSlack];
    uint32_t windowFill;            // below kWindowSize except inside the fast loop
    bool historyFull;               // flushed once: all 32 KB before the fill are history

    uint32_t bytesWritten;
    uint32_t crc;

    // Bits not yet consumed, first bit lowest. Outside the fast loop the bits above bitCount are zero,
    // and every whole byte held comes from the input buffer just before inputPos.
    uint64_t bitBuffer;
    unsigned bitCount;

    int inFd;
    int outFd;
    MemberKind member;

    uint32_t litLenTable[kLitLenTableSize];
    uint32_t distTable[kDistTableSize];
    uint32_t precodeTable[kPrecodeTableSize];

    // Input. A refill reads until the buffer is full or a read brings nothing; false when it got no
    // byte at all (the end of the input, or a read error, whose text goes to standard error).
    bool RefillInput();
    bool ReadByte(uint8_t* byte);
    bool SkipBytes(uint32_t count);
    bool PullByte();  // one input byte into the bit buffer
    bool NeedBits(unsigned count) {
        while (bitCount < count)
            if (!PullByte()) return false;
        return true;
    }
    uint32_t PeekBits(unsigned count) const { return uint32_t(bitBuffer & ((uint64_t(1) << count) - 1)); }
    void DropBits(unsigned count) {
        bitBuffer >>= count;
        bitCount -= count;
    }
    uint32_t TakeBits(unsigned count) {
        uint32_t v = PeekBits(count);
        DropBits(count);
        return v;
    }
    // Hands the whole bytes of the bit buffer back to the input and drops the bits of a partial byte.
    bool GiveBackBytes();

    // Output. Each flush updates the CRC, writes (continuing short writes) and counts the bytes; a write
    // error ends the decoding at once.
    bool PutByte(uint8_t byte) {
        window[windowFill++] = byte;
        return windowFill < kWindowSize || FlushFullWindow();
    }
    bool FlushFullWindow();  // the first kWindowSize bytes; the overflow moves to the start
    bool FlushWindow();      // whatever the window holds
    // Copies count input bytes to the output; with reportWindows, progress and cancel after each flush.
    bool CopyInput(uint32_t count, bool reportWindows);
};

DecoderState& Decoder();

// Diagnostics go to the standard error stream, or to the sink that an extraction job installs while it
// runs (null: the standard error stream again).
void DecoderMessage(const char* text);
using DecoderMessageSink = void (*)(const char* text, void* context);
void SetDecoderMessageSink(DecoderMessageSink sink, void* context);

void ReportDecodedProgress();
bool CancelRequested();

}  // namespace zembra
