#include "DecoderHarness.h"

#include "archive/GzipDecoder.h"
#include "archive/LengthErrorBox.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <unistd.h>

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <thread>
#endif

namespace decoder_test {

std::string Hex(const char* text) {
    std::string out;
    int high = -1;
    for (const char* p = text; *p; ++p) {
        int v;
        if (*p >= '0' && *p <= '9') v = *p - '0';
        else if (*p >= 'a' && *p <= 'f') v = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F') v = *p - 'A' + 10;
        else continue;
        if (high < 0) {
            high = v;
        } else {
            out += char(high << 4 | v);
            high = -1;
        }
    }
    return out;
}

uint32_t Crc(const std::string& data) {
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

static std::string Deflate(const std::string& data, int level, int strategy, int windowBits) {
    z_stream z{};
    EXPECT_EQ(Z_OK, deflateInit2(&z, level, Z_DEFLATED, windowBits, 8, strategy));
    std::string out(deflateBound(&z, uLong(data.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    EXPECT_EQ(Z_STREAM_END, deflate(&z, Z_FINISH));
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string ZlibGzip(const std::string& data, int level, int strategy) { return Deflate(data, level, strategy, 31); }
std::string ZlibDeflate(const std::string& data, int level, int strategy) { return Deflate(data, level, strategy, -15); }

std::string GzipWrap(const std::string& deflate, const std::string& output) {
    return Hex("1f 8b 08 00 00 00 00 00 00 03") + deflate + Le32(Crc(output)) + Le32(uint32_t(output.size()));
}

static std::string Le16(uint32_t v) { return {char(v), char(v >> 8)}; }

std::string Zip(const ZipEntry& e) {
    std::string body = e.deflated ? ZlibDeflate(e.data) : e.data;
    uint16_t method = e.method != 0xFFFF ? e.method : e.deflated ? 8 : 0;
    uint16_t flags = uint16_t(e.flags | (e.descriptor ? 8 : 0));
    std::string name = "readme.txt";
    std::string h = Hex("50 4b 03 04 14 00") + Le16(flags) + Le16(method) + Hex("00 00 21 00") +
                    Le32(Crc(e.data)) + Le32(uint32_t(body.size())) + Le32(uint32_t(e.data.size()) + e.sizeDelta) +
                    Le16(uint32_t(name.size())) + Le16(4) + name + Hex("ca fe 00 00");
    std::string out = h + body;
    if (e.descriptor) out += Hex("50 4b 07 08") + Le32(Crc(e.data)) + Le32(uint32_t(body.size())) + Le32(uint32_t(e.data.size()));
    return out;
}

std::string SampleData(size_t size, uint32_t seed) {
    static const char* const kWords[] = {"the ", "installer ", "copies ", "files ", "into ", "a ", "folder ", "and ",
                                         "records ", "what ", "it ", "did.\n"};
    std::string out;
    out.reserve(size);
    uint32_t x = seed * 2654435761u + 1;
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    while (out.size() < size) {
        switch (next() % 4) {
            case 0:
                for (int i = 0; i < 200; ++i) out += kWords[next() % 12];
                break;
            case 1:  // structured binary: small integers and repeated opcodes
                for (int i = 0; i < 300; ++i) out += char(next() % 7 == 0 ? next() : i & 0x1F);
                break;
            case 2: out.append(1 + next() % 600, char(next())); break;
            default:
                for (int i = 0, n = int(next() % 500); i < n; ++i) out += char(next());
                break;
        }
    }
    out.resize(size);
    return out;
}

int TempFd(const std::string& content) {
    FILE* f = std::tmpfile();
    int fd = dup(fileno(f));
    std::fclose(f);
    if (!content.empty()) {
        EXPECT_EQ(ssize_t(content.size()), write(fd, content.data(), content.size()));
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string ReadAll(int fd) {
    std::string out;
    lseek(fd, 0, SEEK_SET);
    char buf[65536];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) out.append(buf, size_t(n));
    return out;
}

#ifdef _WIN32
// The box is a real message box here: a second thread reads and closes it as a user would.
class BoxAnswerer {
public:
    explicit BoxAnswerer(Decoded& d) : m_decoded(d), m_thread([this] { Run(); }) {}
    ~BoxAnswerer() {
        m_stop = true;
        m_thread.join();
    }

private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        DWORD pid = 0;
        char cls[16] = {};
        GetWindowThreadProcessId(window, &pid);
        GetClassNameA(window, cls, sizeof cls);
        if (pid != GetCurrentProcessId() || std::string(cls) != "#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    void Run() {
        while (!m_stop) {
            HWND box = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            if (box) {
                char text[256] = {}, caption[256] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                GetWindowTextA(box, caption, sizeof caption);
                m_decoded.boxText = text;
                m_decoded.boxCaption = caption;
                ++m_decoded.lengthBoxes;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
            }
            Sleep(10);
        }
    }
    Decoded& m_decoded;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
#endif

Decoded Decode(const std::string& input) {
    Decoded d;
    int in = TempFd(input), out = TempFd(""), err = TempFd("");
    int savedErr = dup(2);
    dup2(err, 2);
    {
#ifdef _WIN32
        BoxAnswerer answerer(d);
#else
        zembra::SetLengthErrorObserver(
            [](const char* text, void* c) {
                auto* decoded = static_cast<Decoded*>(c);
                ++decoded->lengthBoxes;
                decoded->boxText = text;
            },
            &d);
#endif
        zembra::GzipResetInput();
        zembra::GzipResetBytesWritten();
        d.result = zembra::GzipDecode(in, out);
#ifndef _WIN32
        zembra::SetLengthErrorObserver(nullptr, nullptr);
#endif
    }
    dup2(savedErr, 2);
    close(savedErr);
    d.output = ReadAll(out);
    d.errors = ReadAll(err);
    close(in);
    close(out);
    close(err);
    return d;
}

}  // namespace decoder_test
