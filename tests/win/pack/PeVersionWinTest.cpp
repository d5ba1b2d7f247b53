// The portable PE version reader against the system's own version functions, on real program files:
// the test DLLs with chosen versions, the runtime's binaries and the system's DLLs.
#include "archive/PeImage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

namespace {

bool SystemVersion(const std::string& path, uint32_t* high, uint32_t* low) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return false;
    std::string block(size, '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, &block[0]) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info || length == 0)
        return false;
    *high = info->dwFileVersionMS;
    *low = info->dwFileVersionLS;
    return true;
}

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\";
}

TEST(PeVersionOnWindows, AgreesWithTheSystemsVersionFunctions) {
    const std::string system = SystemFolder(), own = OwnFolder();
    const std::string files[] = {
        own + "zv_1_2_3_4.dll", own + "zv_1_2_5_0.dll", own + "zv_1_1_9_9.dll", own + "zv_0_0_7_1.dll",
        own + "zv_32768_0_0_0.dll", own + "zv_none.dll", own + "zembra1.dll", own + "ZembraStart.exe",
        system + "kernel32.dll", system + "version.dll", system + "comctl32.dll",
        system + "notepad.exe",
    };
    int withVersion = 0;
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        uint32_t expectedHigh = 0, expectedLow = 0, high = 0, low = 0;
        const bool expected = SystemVersion(path, &expectedHigh, &expectedLow);
        const zembra::PeVersionStatus status =
            zembra::ReadPeFileVersion(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &high, &low);
        EXPECT_EQ(expected, status == zembra::PeVersionStatus::Found) << path;
        if (!expected) continue;
        ++withVersion;
        EXPECT_EQ(expectedHigh, high) << path;
        EXPECT_EQ(expectedLow, low) << path;
    }
    EXPECT_GE(withVersion, 9) << "most of the files carry a version";
}

}  // namespace
