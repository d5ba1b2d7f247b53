#include "archive/GzipDecoder.h"

#include "archive/DecoderState.h"
#include "archive/Inflate.h"
#include "archive/LengthErrorBox.h"
#include "framework/LittleEndian.h"

namespace zembra {
namespace {

constexpr uint8_t kFlagHeaderCrc = 0x02;
constexpr uint8_t kFlagExtra = 0x04;
constexpr uint8_t kFlagName = 0x08;
constexpr uint8_t kFlagComment = 0x10;
constexpr uint8_t kFlagsRefused = 0x20 | 0xC0 | kFlagHeaderCrc;

bool ReadBytes(DecoderState& s, uint8_t* bytes, unsigned count) {
    for (unsigned i = 0; i < count; ++i)
        if (!s.ReadByte(&bytes[i])) return false;
    return true;
}

bool SkipZeroTerminated(DecoderState& s) {
    uint8_t b;
    do {
        if (!s.ReadByte(&b)) return false;
    } while (b != 0);
    return true;
}

bool GzipHeader(DecoderState& s) {
    uint8_t h[8];  // method, flags, time (4), extra flags, system
    if (!ReadBytes(s, h, 8)) return false;
    if (h[0] != 8 || (h[1] & kFlagsRefused)) return false;
    if (h[1] & kFlagExtra) {
        uint8_t n[2];
        if (!ReadBytes(s, n, 2) || !s.SkipBytes(ReadLe16(n))) return false;
    }
    if ((h[1] & kFlagName) && !SkipZeroTerminated(s)) return false;
    if ((h[1] & kFlagComment) && !SkipZeroTerminated(s)) return false;
    return true;
}

// A ZIP local header is read in place from the buffer the magic came from.
bool ZipHeader(DecoderState& s) {
    const uint8_t* h = s.input;
    if (s.inputFill < 30 || ReadLe32(h) != 0x04034B50) return false;
    uint32_t end = 30 + ReadLe16(h + 26) + ReadLe16(h + 28);
    if (end > s.inputFill) return false;
    uint32_t method = ReadLe16(h + 8), flags = ReadLe16(h + 6);
    if ((method != 0 && method != 8) || (flags & 1)) return false;
    s.member.zip = true;
    s.member.zipDeflated = method == 8;
    s.member.zipDescriptor = (flags & 8) != 0;
    s.member.zipCrc = ReadLe32(h + 14);
    s.member.zipCompressedSize = ReadLe32(h + 18);
    s.member.zipSize = ReadLe32(h + 22);
    s.inputPos = end;
    return true;
}

bool Header(DecoderState& s) {
    uint8_t magic[2];
    if (!ReadBytes(s, magic, 2)) return false;
    if ((magic[0] == 0x1F && (magic[1] == 0x8B || magic[1] == 0x9E)) || (magic[0] == 0x10 && magic[1] == 0x8B))
        return GzipHeader(s);
    if (magic[0] == 'P' && magic[1] == 'K' && s.inputRefills > 0 && s.inputPos == 2 && s.inputFill >= 4 &&
        s.input[2] == 3 && s.input[3] == 4)
        return ZipHeader(s);
    return false;  // not a packing format this decoder knows
}

bool StoredZipEntry(DecoderState& s) {
    if (s.member.zipSize != s.member.zipCompressedSize) return false;
    if (!s.CopyInput(s.member.zipCompressedSize, true) || !s.FlushWindow()) return false;
    ReportDecodedProgress();
    return true;
}

bool Trailer(DecoderState& s) {
    uint32_t crc, size;
    if (!s.member.zip) {
        uint8_t t[8];
        if (!ReadBytes(s, t, 8)) return false;
        crc = ReadLe32(t);
        size = ReadLe32(t + 4);
    } else if (s.member.zipDescriptor) {
        uint8_t t[16];
        if (!ReadBytes(s, t, 16)) return false;
        crc = ReadLe32(t + 4);
        size = ReadLe32(t + 12);
    } else {
        crc = s.member.zipCrc;
        size = s.member.zipSize;
    }
    if (crc != s.crc) return false;
    if (size != s.bytesWritten) ShowLengthErrorBox("invalid compressed data--length error");
    if (s.member.zip) {
        // Only single-entry ZIP data is accepted.
        for (uint32_t i = s.inputPos; i + 4 <= s.inputFill; ++i)
            if (ReadLe32(s.input + i) == 0x04034B50) return false;
    }
    return true;
}

}  // namespace

int GzipDecode(int inFd, int outFd) {
    DecoderState& s = Decoder();
    s.inFd = inFd;
    s.outFd = outFd;
    s.inputRefills = 0;
    s.windowFill = 0;
    s.historyFull = false;
    s.bitBuffer = 0;
    s.bitCount = 0;
    s.crc = 0;
    s.member = MemberKind{};

    bool ok = Header(s);
    if (ok) ok = (s.member.zip && !s.member.zipDeflated) ? StoredZipEntry(s) : Inflate(s);
    if (ok) ok = Trailer(s);
    s.member = MemberKind{};
    return ok ? 0 : -1;
}

}  // namespace zembra
