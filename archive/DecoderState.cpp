#include "archive/DecoderState.h"

#include "archive/Crc32.h"
#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"
#include "archive/Progress.h"

#include <cstring>

namespace zembra {
namespace {

DecoderState g_decoder;

void ErrnoMessage() {
    DecoderMessage(std::strerror(CrtErrno()));
    DecoderMessage("\n");
}

bool WriteOut(DecoderState& s, const uint8_t* data, uint32_t count) {
    s.crc = Crc32Update(s.crc, data, count);
    uint32_t done = 0;
    while (done < count) {
        int n = CrtWrite(s.outFd, data + done, count - done);
        if (n <= 0) {
            // A write that makes no progress would repeat forever (a full disk).
            if (n < 0) ErrnoMessage();
            return false;
        }
        done += uint32_t(n);
    }
    s.bytesWritten += count;
    return true;
}

}  // namespace

DecoderState& Decoder() { return g_decoder; }

namespace {
DecoderMessageSink g_sink = nullptr;
void* g_sinkContext = nullptr;
}  // namespace

void DecoderMessage(const char* text) {
    if (g_sink) g_sink(text, g_sinkContext);
    else CrtWrite(2, text, unsigned(std::strlen(text)));
}

void SetDecoderMessageSink(DecoderMessageSink sink, void* context) {
    g_sink = sink;
    g_sinkContext = context;
}

void ReportDecodedProgress() { UpdateProgress(Progress().base + g_decoder.bytesWritten); }

bool CancelRequested() { return Progress().cancelFlag != 0; }

bool DecoderState::RefillInput() {
    uint32_t fill = 0;
    int n = 0;
    while (fill < kInputSize) {
        n = CrtRead(inFd, input + fill, kInputSize - fill);
        if (n <= 0) break;
        fill += uint32_t(n);
    }
    inputFill = fill;
    inputPos = 0;
    ++inputRefills;
    if (fill == 0 && n < 0) ErrnoMessage();
    return fill > 0;
}

bool DecoderState::ReadByte(uint8_t* byte) {
    if (inputPos == inputFill && !RefillInput()) return false;
    *byte = input[inputPos++];
    return true;
}

bool DecoderState::SkipBytes(uint32_t count) {
    while (count > 0) {
        if (inputPos == inputFill && !RefillInput()) return false;
        uint32_t n = inputFill - inputPos < count ? inputFill - inputPos : count;
        inputPos += n;
        count -= n;
    }
    return true;
}

bool DecoderState::PullByte() {
    uint8_t b;
    if (!ReadByte(&b)) return false;
    bitBuffer |= uint64_t(b) << bitCount;
    bitCount += 8;
    return true;
}

bool DecoderState::GiveBackBytes() {
    unsigned whole = bitCount >> 3;
    bitBuffer = 0;
    bitCount = 0;
    if (whole > inputPos) return false;  // cannot happen while the invariant above holds
    inputPos -= whole;
    return true;
}

bool DecoderState::FlushFullWindow() {
    if (!WriteOut(*this, window, kWindowSize)) return false;
    windowFill -= kWindowSize;
    std::memmove(window, window + kWindowSize, windowFill);
    historyFull = true;
    return true;
}

bool DecoderState::FlushWindow() {
    uint32_t count = windowFill;
    windowFill = 0;
    return count == 0 || WriteOut(*this, window, count);
}

bool DecoderState::CopyInput(uint32_t count, bool reportWindows) {
    while (count > 0) {
        if (inputPos == inputFill && !RefillInput()) return false;
        uint32_t n = inputFill - inputPos;
        if (n > count) n = count;
        if (n > kWindowSize - windowFill) n = kWindowSize - windowFill;
        std::memcpy(window + windowFill, input + inputPos, n);
        inputPos += n;
        windowFill += n;
        count -= n;
        if (windowFill == kWindowSize) {
            if (!FlushFullWindow()) return false;
            if (reportWindows) {
                ReportDecodedProgress();
                if (CancelRequested()) return true;
            }
        }
    }
    return true;
}

void GzipResetInput() {
    g_decoder.inputFill = 0;
    g_decoder.inputPos = 0;
}

void GzipResetBytesWritten() { g_decoder.bytesWritten = 0; }

uint32_t GzipBytesWritten() { return g_decoder.bytesWritten; }

}  // namespace zembra
