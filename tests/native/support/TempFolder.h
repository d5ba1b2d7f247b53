// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define ZEMBRA_TEST_PID _getpid()
#else
#include <unistd.h>
#define ZEMBRA_TEST_PID getpid()
#endif

namespace testing_support {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> serial{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("zembra-test-" + std::to_string(ZEMBRA_TEST_PID) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name = "") const { return (m_path / name).string(); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

private:
    std::filesystem::path m_path;
};

}  // namespace testing_support
