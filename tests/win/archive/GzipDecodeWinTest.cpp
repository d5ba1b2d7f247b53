// The decoder with the Windows runtime: files opened the way the extraction opens them, and the
// length box with the host program's title.
#include "DecoderHarness.h"

#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace decoder_test;

namespace {

std::string TempPath(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Line ends, end-of-file characters and every other byte pass unchanged: descriptors are binary.
TEST(GzipDecodeWindows, FilesOpenedLikeTheExtractionKeepEveryByte) {
    std::string data;
    for (int i = 0; i < 300000; ++i) data += "ab\r\n\n\x1a\r\0"[i % 8] ^ char(i >> 11);
    std::string package = TempPath("zembra-decode-package.bin"), target = TempPath("zembra-decode-target.bin");
    {
        FILE* f = std::fopen(package.c_str(), "wb");
        ASSERT_NE(nullptr, f);
        std::string bytes = std::string("\r\n\x1a") + ZlibGzip(data, 9);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    DeleteFileA(target.c_str());
    int in = zembra::CrtOpenRead(package.c_str());
    int out = zembra::CrtOpenReadWriteCreate(target.c_str());
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    ASSERT_TRUE(zembra::CrtSeek(in, 3));
    zembra::GzipResetInput();
    zembra::GzipResetBytesWritten();
    EXPECT_EQ(0, zembra::GzipDecode(in, out));
    zembra::CrtClose(in);
    zembra::CrtClose(out);
    FILE* f = std::fopen(target.c_str(), "rb");
    ASSERT_NE(nullptr, f);
    std::string got(data.size() + 1, '\0');
    got.resize(std::fread(&got[0], 1, got.size(), f));
    std::fclose(f);
    EXPECT_TRUE(got == data) << got.size() << " bytes";
    DeleteFileA(package.c_str());
    DeleteFileA(target.c_str());
}

// The class library names the host after its program file when it has no title string.
TEST(GzipDecodeWindows, LengthBoxCarriesTheHostProgramsName) {
    std::string data = SampleData(5000);
    std::string member = ZlibGzip(data);
    member.replace(member.size() - 4, 4, Le32(uint32_t(data.size() - 1)));
    Decoded d = Decode(member);
    EXPECT_EQ(0, d.result);
    EXPECT_EQ(1, d.lengthBoxes);
    EXPECT_EQ("invalid compressed data--length error", d.boxText);
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    EXPECT_EQ(name.substr(0, name.rfind('.')), d.boxCaption);
}

}  // namespace
