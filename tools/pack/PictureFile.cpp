#include "tools/pack/PictureFile.h"

#include <cstdint>

namespace zembra {
namespace {

uint32_t Little(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
}

uint32_t Big16(const std::string& b, size_t at) { return static_cast<uint8_t>(b[at]) << 8 | static_cast<uint8_t>(b[at + 1]); }

// The frame size from a JPEG's start-of-frame segment.
PictureSize JpegSize(const std::string& b) {
    size_t at = 2;
    while (at + 4 <= b.size() && static_cast<uint8_t>(b[at]) == 0xFF) {
        const uint8_t marker = static_cast<uint8_t>(b[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && at + 9 <= b.size()) return {static_cast<long>(Big16(b, at + 7)), static_cast<long>(Big16(b, at + 5))};
        if (marker == 0xD9 || marker == 0xDA) break;  // the image data begins: no frame header before it
        at += 2 + Big16(b, at + 2);
    }
    return {};
}

struct Rgb {
    int r, g, b;
};
constexpr Rgb kBlue{40, 70, 140}, kLight{178, 194, 224}, kWhite{255, 255, 255};

Rgb Mix(Rgb a, Rgb b, long step, long steps) {
    const auto channel = [&](int x, int y) { return steps <= 1 ? x : x + (y - x) * static_cast<int>(step) / static_cast<int>(steps - 1); };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

bool MeasurePicture(const std::string& b, PictureSize* size, std::string* problem) {
    *size = PictureSize();
    if (b.compare(0, 2, "BM") == 0) {
        const uint32_t header = b.size() >= 18 ? Little(b, 14, 4) : 0;
        if (header == 12 && b.size() >= 26) *size = {static_cast<long>(Little(b, 18, 2)), static_cast<long>(Little(b, 20, 2))};
        else if (header >= 40 && b.size() >= 26) {
            const int32_t height = static_cast<int32_t>(Little(b, 22, 4));  // negative: stored top-down
            *size = {static_cast<int32_t>(Little(b, 18, 4)), height < 0 ? -static_cast<long>(height) : height};
        }
        return true;
    }
    if (b.size() >= 3 && b.compare(0, 3, "\xFF\xD8\xFF") == 0) {
        *size = JpegSize(b);
        return true;
    }
    if (b.compare(0, 4, "GIF8") == 0) {
        if (b.size() >= 10) *size = {static_cast<long>(Little(b, 6, 2)), static_cast<long>(Little(b, 8, 2))};
        return true;
    }
    *problem = "is not a BMP, JPEG or GIF picture";
    return false;
}

std::string PlainPicture(long width, long height, bool band) {
    const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    std::string bmp(54 + row * height, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32(bmp, 10, 54);
    Put32(bmp, 14, 40);
    Put32(bmp, 18, static_cast<uint32_t>(width));
    Put32(bmp, 22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    Put32(bmp, 34, static_cast<uint32_t>(row * height));
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            // Rows are stored bottom-up.
            const Rgb c = band ? Mix(kWhite, kLight, x, width) : Mix(kBlue, kLight, height - 1 - y, height);
            const size_t at = 54 + row * y + 3 * x;
            bmp[at] = static_cast<char>(c.b);
            bmp[at + 1] = static_cast<char>(c.g);
            bmp[at + 2] = static_cast<char>(c.r);
        }
    return bmp;
}

}  // namespace zembra
