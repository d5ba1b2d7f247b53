// The bytes of a package, read at chosen positions: a file, or memory in tests and fuzzers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zembra {

class PackageSource {
public:
    virtual ~PackageSource() = default;
    virtual uint64_t Size() const = 0;
    // All count bytes at position, or false.
    virtual bool ReadAt(uint64_t position, void* buffer, uint32_t count) = 0;
};

class MemoryPackageSource : public PackageSource {
public:
    MemoryPackageSource(const void* data, size_t size) : m_data(static_cast<const uint8_t*>(data)), m_size(size) {}
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t position, void* buffer, uint32_t count) override {
        if (position > m_size || count > m_size - position) return false;
        if (count > 0) std::memcpy(buffer, m_data + position, count);
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

}  // namespace zembra
