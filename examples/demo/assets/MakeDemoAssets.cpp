// demo-assets FOLDER [MEGABYTES]: the demo product's generated files. Three pictures drawn here from
// simple shapes (a morning landscape with a parcel, a parcel going into a folder, the evening with a
// check mark) as 24-bit BMP files, and a series of measurements large enough that the progress page
// stays on screen for a moment. The same call always writes the same bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Color {
    uint8_t r, g, b;
};

Color Mix(Color a, Color b, double t) {
    auto channel = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

class Canvas {
public:
    Canvas(int width, int height, Color background) : m_width(width), m_height(height), m_pixels(width * height, background) {}

    void Set(int x, int y, Color c) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height) m_pixels[y * m_width + x] = c;
    }
    void VerticalGradient(Color top, Color bottom) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) Set(x, y, Mix(top, bottom, double(y) / (m_height - 1)));
    }
    void Rect(int x0, int y0, int x1, int y1, Color c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) Set(x, y, c);
    }
    void Disc(double cx, double cy, double radius, Color c) {
        for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y)
            for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Set(x, y, c);
    }
    // Everything below the curve y = f(x).
    template <class F>
    void Below(F f, Color c) {
        for (int x = 0; x < m_width; ++x)
            for (int y = int(f(x)); y < m_height; ++y) Set(x, y, c);
    }
    void Line(double x0, double y0, double x1, double y1, double thickness, Color c) {
        const int steps = int(std::hypot(x1 - x0, y1 - y0) * 2) + 1;
        for (int i = 0; i <= steps; ++i)
            Disc(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, thickness / 2, c);
    }
    void Triangle(double ax, double ay, double bx, double by, double cx, double cy, Color c) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                const double d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
                const double d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy);
                const double d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay);
                const bool negative = d1 < 0 || d2 < 0 || d3 < 0, positive = d1 > 0 || d2 > 0 || d3 > 0;
                if (!(negative && positive)) Set(x, y, c);
            }
    }
    // A parcel: a box with a lid line and a band of tape.
    void Parcel(int x0, int y0, int x1, int y1) {
        Rect(x0, y0, x1, y1, {176, 124, 72});
        Rect(x0, y0, x1, y0 + (y1 - y0) / 4, {196, 144, 88});
        Rect((x0 + x1) / 2 - 4, y0, (x0 + x1) / 2 + 4, y1, {232, 206, 150});
        Rect(x0, y1 - 2, x1, y1, {120, 80, 44});
    }

    bool SaveBmp(const std::string& path) const {
        const int row = (m_width * 3 + 3) & ~3;
        const uint32_t imageSize = uint32_t(row) * m_height;
        std::string bytes(54, '\0');
        auto put32 = [&bytes](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) bytes[at + i] = char(v >> (8 * i));
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put32(2, 54 + imageSize);
        put32(10, 54);
        put32(14, 40);
        put32(18, uint32_t(m_width));
        put32(22, uint32_t(m_height));
        bytes[26] = 1;
        bytes[28] = 24;
        put32(34, imageSize);
        put32(38, 2835);  // 72 dpi
        put32(42, 2835);
        for (int y = m_height - 1; y >= 0; --y) {  // bottom-up rows, blue first
            std::string line(row, '\0');
            for (int x = 0; x < m_width; ++x) {
                const Color c = m_pixels[y * m_width + x];
                line[3 * x] = char(c.b);
                line[3 * x + 1] = char(c.g);
                line[3 * x + 2] = char(c.r);
            }
            bytes += line;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        return bool(out);
    }

private:
    int m_width, m_height;
    std::vector<Color> m_pixels;
};

const Color kWhite{255, 255, 255};

Canvas Morning(int w, int h) {
    Canvas c(w, h, kWhite);
    c.VerticalGradient({118, 178, 230}, {226, 240, 250});
    c.Disc(w * 0.72, h * 0.18, w * 0.13, {255, 214, 64});
    c.Below([&](int x) { return h * 0.62 - 22 * std::sin(x * 0.035); }, {128, 186, 92});
    c.Below([&](int x) { return h * 0.74 - 16 * std::sin(x * 0.05 + 2.0); }, {84, 150, 70});
    c.Parcel(int(w * 0.25), int(h * 0.70), int(w * 0.75), int(h * 0.88));
    return c;
}

Canvas Installing(int w, int h) {
    Canvas c(w, h, kWhite);
    // A folder, its tab, and a parcel dropping into it along an arrow.
    c.Rect(int(w * 0.50), int(h * 0.42), int(w * 0.70), int(h * 0.52), {236, 180, 60});
    c.Rect(int(w * 0.50), int(h * 0.50), int(w * 0.95), int(h * 0.90), {248, 200, 80});
    c.Parcel(int(w * 0.06), int(h * 0.12), int(w * 0.34), int(h * 0.42));
    c.Line(w * 0.30, h * 0.50, w * 0.52, h * 0.66, 5, {52, 110, 200});
    c.Triangle(w * 0.60, h * 0.72, w * 0.46, h * 0.74, w * 0.55, h * 0.58, {52, 110, 200});
    return c;
}

Canvas Evening(int w, int h) {
    Canvas c(w, h, kWhite);
    c.VerticalGradient({70, 60, 130}, {250, 160, 90});
    c.Disc(w * 0.30, h * 0.46, w * 0.16, {255, 120, 60});
    c.Below([&](int x) { return h * 0.60 - 18 * std::sin(x * 0.03 + 1.0); }, {60, 110, 70});
    c.Below([&](int x) { return h * 0.74 - 14 * std::sin(x * 0.05); }, {40, 84, 56});
    c.Parcel(int(w * 0.25), int(h * 0.70), int(w * 0.75), int(h * 0.88));
    c.Line(w * 0.34, h * 0.60, w * 0.46, h * 0.68, 9, {60, 200, 90});
    c.Line(w * 0.46, h * 0.68, w * 0.70, h * 0.50, 9, {60, 200, 90});
    return c;
}

// Lines of "number;minute;value" from a fixed seed: compressible like real data, never the same line.
bool WriteMeasurements(const std::string& path, uint64_t bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "Nummer;Minute;Wert\r\n";
    uint32_t seed = 20240611;
    char line[64];
    for (uint64_t n = 1, written = 0; written < bytes; ++n) {
        seed = seed * 1664525u + 1013904223u;
        const int length = std::snprintf(line, sizeof line, "%llu;%llu;%u,%02u\r\n", (unsigned long long)n,
                                         (unsigned long long)(n * 5 % 1440), 200 + (seed >> 24), (seed >> 8) % 100);
        out.write(line, length);
        written += uint64_t(length);
    }
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: demo-assets FOLDER [MEGABYTES]\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const uint64_t megabytes = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 16;
    // The sizes match the demo's layout: Pic1Width x Pic1Height and Pic2Width x Pic2Height.
    bool ok = Morning(170, 320).SaveBmp(folder + "gfx1.bmp") && Installing(120, 80).SaveBmp(folder + "gfx2.bmp") &&
              Evening(170, 320).SaveBmp(folder + "gfx3.bmp") &&
              WriteMeasurements(folder + "Messreihe.csv", megabytes << 20);
    if (!ok) std::fprintf(stderr, "demo-assets: cannot write into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
