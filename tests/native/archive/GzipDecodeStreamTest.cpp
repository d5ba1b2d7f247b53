// The decoder against its descriptors and its host: progress and cancel, failing writes, cut-off and
// damaged input, large entries, input arriving in pieces, and state between calls.
#include "DecoderHarness.h"

#include "archive/GzipDecoder.h"
#include "archive/Progress.h"

#include <gtest/gtest.h>

#include <ostream>
#include <zlib.h>

#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace decoder_test;

namespace {

// Stored blocks of 40000 bytes each, so that block ends and window flushes are known.
std::string StoredBlocks(const std::string& data, size_t blockSize) {
    std::string deflate;
    for (size_t at = 0; at < data.size(); at += blockSize) {
        size_t n = std::min(blockSize, data.size() - at);
        bool last = at + n == data.size();
        deflate += char(last ? 1 : 0);
        deflate += {char(n), char(n >> 8), char(~n), char(~n >> 8)};
        deflate += data.substr(at, n);
    }
    return GzipWrap(deflate, data);
}

struct HostLog {
    std::vector<int32_t> positions;
    bool cancelAtFirst = false;
    static void Observe(void*, int32_t position, void* context) {
        auto* log = static_cast<HostLog*>(context);
        log->positions.push_back(position);
        if (log->cancelAtFirst) zembra::SetCancel(2);
    }
};

class GzipDecodeHost : public ::testing::Test {
protected:
    void SetUp() override {
        zembra::Progress() = zembra::ProgressState{};
        zembra::SetProgressObserver(&HostLog::Observe, &log);
    }
    void TearDown() override {
        zembra::SetProgressObserver(nullptr, nullptr);
        zembra::Progress() = zembra::ProgressState{};
    }
    static int32_t Scaled(uint32_t position, uint32_t total) {
        int32_t s = 0;
        zembra::ScaleProgress(position, total, &s);
        return s;
    }
    HostLog log;
};

TEST_F(GzipDecodeHost, ReportsBasePlusBytesWrittenAfterEveryBlockAndAtTheEnd) {
    std::string data = SampleData(200000, 5);
    const uint32_t base = 1000, total = 201000;
    zembra::Progress().base = base;
    zembra::Progress().total = int32_t(total);
    Decoded d = Decode(StoredBlocks(data, 40000));
    ASSERT_EQ(0, d.result);
    // Blocks end at 40000, 80000 ... bytes decoded; the bar moves in whole windows of 32768 bytes.
    std::vector<int32_t> expected;
    for (uint32_t written : {32768u, 65536u, 98304u, 131072u, 196608u, 200000u})
        expected.push_back(Scaled(base + written, total));
    EXPECT_EQ(expected, log.positions);
}

TEST_F(GzipDecodeHost, CancelFromTheProgressHookStopsAfterThatBlock) {
    std::string data = SampleData(200000, 5);
    zembra::Progress().total = int32_t(data.size());
    log.cancelAtFirst = true;
    Decoded d = Decode(StoredBlocks(data, 40000));
    // The bytes read as the trailer are the next block, so the check fails; the caller counts the call
    // as cancelled.
    EXPECT_EQ(-1, d.result);
    EXPECT_EQ(data.substr(0, 40000), d.output);
    ASSERT_EQ(2u, log.positions.size());  // after the first block, and the final report
    EXPECT_EQ(Scaled(40000, uint32_t(data.size())), log.positions.back());
}

TEST_F(GzipDecodeHost, CancelStopsAStoredZipEntryAfterAWindow) {
    ZipEntry e;
    e.data = SampleData(300000, 9);
    e.deflated = false;
    zembra::Progress().total = int32_t(e.data.size());
    log.cancelAtFirst = true;
    Decoded d = Decode(Zip(e));
    EXPECT_EQ(-1, d.result);
    EXPECT_EQ(e.data.substr(0, 32768), d.output);
}

struct WriteFailureRow {
    const char* name;
    int (*open)();  // gives the output descriptor
};

// Rows appear under their names in test listings instead of as raw bytes.
void PrintTo(const WriteFailureRow& row, std::ostream* out) { *out << row.name; }

int OpenDevFull() { return open("/dev/full", O_WRONLY); }

int OpenPipeWithoutReader() {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    close(fds[0]);
    return fds[1];
}

class GzipDecodeWriteFailure : public ::testing::TestWithParam<WriteFailureRow> {};

TEST_P(GzipDecodeWriteFailure, EndsAtOnce) {
    std::signal(SIGPIPE, SIG_IGN);
    std::string member = ZlibGzip(SampleData(3000000, 2), 1);
    int out = GetParam().open();
    ASSERT_GE(out, 0);
    int in = TempFd(member);
    zembra::GzipResetInput();
    zembra::GzipResetBytesWritten();
    EXPECT_EQ(-1, zembra::GzipDecode(in, out));
    // The first window's write failed: the decoder read no further than it needed for that window.
    EXPECT_LT(lseek(in, 0, SEEK_CUR), off_t(member.size()) / 4);
    EXPECT_EQ(0u, zembra::GzipBytesWritten());
    close(in);
    close(out);
}

INSTANTIATE_TEST_SUITE_P(Rows, GzipDecodeWriteFailure,
                         ::testing::Values(WriteFailureRow{"FullDevice", OpenDevFull},
                                           WriteFailureRow{"PipeWithoutReader", OpenPipeWithoutReader}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GzipDecodeDamage, EveryCutOffMemberFails) {
    std::string data = SampleData(150000, 4);
    std::string member = ZlibGzip(data, 6);
    for (size_t cut : {size_t(2), size_t(9), size_t(10), size_t(11), size_t(100), member.size() / 3,
                       member.size() / 2, member.size() - 9, member.size() - 8, member.size() - 4, member.size() - 1}) {
        Decoded d = Decode(member.substr(0, cut));
        EXPECT_EQ(-1, d.result) << "cut at " << cut << " of " << member.size();
    }
}

TEST(GzipDecodeDamage, AFlippedDataByteFailsAndThePartialOutputStays) {
    std::string data = SampleData(500000, 6);
    std::string member = ZlibGzip(data, 6);
    for (size_t at : {member.size() * 6 / 10, member.size() * 9 / 10}) {
        std::string damaged = member;
        damaged[at] = char(damaged[at] ^ 0x10);
        Decoded d = Decode(damaged);
        EXPECT_EQ(-1, d.result) << "flipped at " << at;
        ASSERT_GE(d.output.size(), 65536u) << "flipped at " << at;
        EXPECT_EQ(data.substr(0, 65536), d.output.substr(0, 65536)) << "flipped at " << at;
    }
}

// 100 MB stream through a pipe and are compared as they arrive, so that the test holds no more than
// the compressed member in memory.
TEST(GzipDecodeLarge, HundredMegabytesDecodeByteForByte) {
    const int kChunks = 100;
    std::string chunk = SampleData(1 << 20, 8);
    auto chunkAt = [&chunk](int i) {
        std::string c = chunk;
        c[size_t(i) * 977] = char(i);  // no two megabytes alike
        return c;
    };
    std::string member;
    {
        z_stream z{};
        ASSERT_EQ(Z_OK, deflateInit2(&z, 1, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY));
        std::vector<unsigned char> buf(1 << 20);
        for (int i = 0; i <= kChunks; ++i) {
            std::string c = i < kChunks ? chunkAt(i) : std::string();
            z.next_in = reinterpret_cast<Bytef*>(&c[0]);
            z.avail_in = uInt(c.size());
            int flush = i < kChunks ? Z_NO_FLUSH : Z_FINISH;
            do {
                z.next_out = buf.data();
                z.avail_out = uInt(buf.size());
                deflate(&z, flush);
                member.append(reinterpret_cast<char*>(buf.data()), buf.size() - z.avail_out);
            } while (z.avail_out == 0);
        }
        deflateEnd(&z);
    }
    int in = TempFd(member);
    int fds[2];
    ASSERT_EQ(0, pipe(fds));
    size_t received = 0, firstMismatch = SIZE_MAX;
    std::thread reader([&] {
        // Reads whole megabytes and compares each with the chunk it should be.
        std::string got(1 << 20, '\0');
        size_t fill = 0;
        ssize_t n;
        while ((n = read(fds[0], &got[fill], got.size() - fill)) > 0) {
            fill += size_t(n);
            if (fill < got.size()) continue;
            size_t i = received >> 20;
            if (firstMismatch == SIZE_MAX && (i >= size_t(kChunks) || got != chunkAt(int(i)))) firstMismatch = received;
            received += fill;
            fill = 0;
        }
        received += fill;
        if (fill && firstMismatch == SIZE_MAX) firstMismatch = received - fill;
    });
    zembra::GzipResetInput();
    zembra::GzipResetBytesWritten();
    EXPECT_EQ(0, zembra::GzipDecode(in, fds[1]));
    close(fds[1]);
    reader.join();
    close(fds[0]);
    close(in);
    EXPECT_EQ(size_t(kChunks) << 20, received);
    EXPECT_EQ(SIZE_MAX, firstMismatch);
}

// A ZIP header is recognised only in a freshly filled buffer of at least its size: the input must be
// gathered up to a full buffer even when the descriptor hands it out in small pieces.
TEST(GzipDecodeInput, GathersInputThatArrivesInPieces) {
    ZipEntry e;
    e.data = SampleData(100000, 12);
    std::string input = Zip(e);
    int fds[2];
    ASSERT_EQ(0, pipe(fds));
    std::thread writer([&] {
        for (size_t at = 0; at < input.size(); at += 7) {
            if (write(fds[1], input.data() + at, std::min<size_t>(7, input.size() - at)) < 0) break;
        }
        close(fds[1]);
    });
    int out = TempFd("");
    zembra::GzipResetInput();
    zembra::GzipResetBytesWritten();
    EXPECT_EQ(0, zembra::GzipDecode(fds[0], out));
    writer.join();
    EXPECT_TRUE(ReadAll(out) == e.data);
    close(fds[0]);
    close(out);
}

// Each call starts with an empty window: a long entry decoded before must not lend its history.
TEST(GzipDecodeInput, NothingCarriesOverToTheNextEntry) {
    std::string data = SampleData(300000, 13);
    EXPECT_EQ(0, Decode(ZlibGzip(data)).result);
    EXPECT_EQ(-1, Decode(GzipWrap(Hex("4b 04 42 00"), "aaaa")).result);
    EXPECT_EQ(0, Decode(Zip(ZipEntry{"abc", false})).result);
    EXPECT_EQ(0, Decode(GzipWrap(Hex("4b 04 02 00"), "aaaa")).result);
}

TEST(GzipDecodeInput, DecodesAnEntryInsideALargerFile) {
    std::string data = SampleData(90000, 14);
    std::string before(12345, 'x');
    int in = TempFd(before + ZlibGzip(data) + "tail of the package");
    int out = TempFd("");
    lseek(in, off_t(before.size()), SEEK_SET);
    zembra::GzipResetInput();
    zembra::GzipResetBytesWritten();
    EXPECT_EQ(0, zembra::GzipDecode(in, out));
    EXPECT_EQ(uint32_t(data.size()), zembra::GzipBytesWritten());
    EXPECT_TRUE(ReadAll(out) == data);
    close(in);
    close(out);
}

}  // namespace
