// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <ftw.h>
#include <unistd.h>

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/zembra-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_path = made ? made : "";
    }
    ~TempDir() {
        if (!m_path.empty())
            nftw(m_path.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
                 FTW_DEPTH | FTW_PHYS);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

private:
    std::string m_path;
};
