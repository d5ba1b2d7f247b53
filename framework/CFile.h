// CFile: a file opened and closed within one operation, read and written as bytes.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <vector>

class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,  // with modeWrite: create the file or cut it to zero length
    };

    CFile() noexcept = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // A folder is never opened as a file.
    bool Open(const char* path, unsigned flags);
    bool IsOpen() const noexcept { return m_hFile != kClosed; }
    // Bytes read, 0 at the end of the file, -1 on an error.
    int Read(void* buffer, unsigned count);
    // Appends everything from the current position to the end; false on a read error.
    bool ReadToEnd(std::vector<char>& bytes);
    // True when every byte was written.
    bool Write(const void* buffer, unsigned count);
    // False when the system reports that the file could not be completed.
    bool Close();
    int64_t GetLength() const;    // -1 when unknown
    int64_t GetPosition() const;  // -1 when unknown

    static bool Exists(const char* path);  // a file or a folder of that name
    static bool Remove(const char* path);  // files only
    // Renames source to target, replacing a file of that name in one step where the system can.
    static bool Replace(const char* source, const char* target);

private:
    static constexpr intptr_t kClosed = -1;
    intptr_t m_hFile = kClosed;  // the system's handle or descriptor
};
