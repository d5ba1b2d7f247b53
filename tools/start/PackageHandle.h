// The package file, held open for reading from the check of its seal to the end of the run with
// writing shared by nobody, so that the bytes that were checked are the bytes that get unpacked.
#pragma once

#include "archive/PackageDirectory.h"

#include <string>

namespace zembra {

class PackageHandle : public PackageSource {
public:
    PackageHandle() = default;
    ~PackageHandle() override { Close(); }
    PackageHandle(const PackageHandle&) = delete;
    PackageHandle& operator=(const PackageHandle&) = delete;

    bool Open(const std::string& path, unsigned long* error);
    void Close();
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t position, void* buffer, uint32_t count) override;

private:
    void* m_file = nullptr;  // HANDLE
    uint64_t m_size = 0;
};

}  // namespace zembra
