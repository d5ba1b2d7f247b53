// A package file read at chosen positions through one C runtime descriptor: the directory reader, the
// library's extraction, the seal check and the extractor all read package files through it. The
// memory source beside it (archive/PackageSource.h) serves tests and fuzzers.
#pragma once

#include "archive/CrtFile.h"
#include "archive/PackageSource.h"

#include <cstdint>

namespace zembra {

class PackageFile : public PackageSource {
public:
    // What others may do with the file while it is open.
    enum class Sharing {
        Shared,       // read, write, rename and delete it: the library keeps a package open between calls
        WriteDenied,  // only read it: the extractor unpacks the very bytes whose seal it checked
    };

    PackageFile() = default;
    PackageFile(const char* path, Sharing sharing) { Open(path, sharing); }

    // Closes what was open first. False with the system's code in *error when one is asked for.
    bool Open(const char* path, Sharing sharing, unsigned long* error = nullptr);
    void Close();

    bool IsOpen() const { return m_file.IsOpen(); }
    // For the decoder, which reads on from the position it is given.
    int Fd() const { return m_file.Fd(); }
    uint64_t Size() const override { return m_size; }  // measured when it was opened
    bool ReadAt(uint64_t position, void* buffer, uint32_t count) override;

private:
    CrtFile m_file;
    uint64_t m_size = 0;
};

}  // namespace zembra
