// A fresh folder under the system's temporary folder, removed with everything in it at the end: the
// one scratch folder of the native, Windows and end-to-end tests.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
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
    explicit TempFolder(const std::string& prefix = "zembra-test") {
        static std::atomic<int> serial{0};
        m_path = std::filesystem::temp_directory_path() /
                 (prefix + "-" + std::to_string(ZEMBRA_TEST_PID) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        // Windows deletes no read-only file, and a test may have left some.
        namespace fs = std::filesystem;
        std::error_code ignored;
        for (fs::recursive_directory_iterator it(m_path, ignored), end; !ignored && it != end; it.increment(ignored))
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow,
                            ignored);
        fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // A name inside the folder (an absolute path stands for itself); Path() itself ends with a separator.
    std::string Path(const std::string& name = "") const { return (m_path / name).string(); }

    // The file's path, or empty when it could not be written.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string path = Path(name);
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        out.close();
        return out ? path : std::string();
    }

    bool Copy(const std::string& from, const std::string& name) const {
        return Exists(from) && !Write(name, Read(from)).empty();
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
