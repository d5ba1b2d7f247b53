// CArchive: stores objects into a file or loads them back, in the program's own byte encodings:
// - a count is two bytes (little-endian) below 0xFFFF; otherwise the two bytes FF FF followed by the
//   count in four bytes;
// - a string is its length as a count followed by its bytes, without a terminator.
// A load that runs past the end or meets a length that the rest of the file cannot hold marks the
// archive as failed and yields zeros and empty strings from then on; nothing is thrown.
#pragma once

#include "framework/CFile.h"
#include "framework/CString.h"

#include <cstdint>
#include <vector>

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, Mode mode);
    ~CArchive();  // a storing archive writes what it still holds
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const noexcept { return m_nMode == store; }
    bool IsLoading() const noexcept { return m_nMode == load; }
    bool IsFailed() const noexcept { return m_bFailed; }
    void SetFailed() noexcept { m_bFailed = true; }

    void Write(const void* data, unsigned count);
    bool Read(void* data, unsigned count);  // all bytes, or false (and the archive failed)
    // Bytes of the file not yet read: a bound for counts read from it.
    int64_t BytesLeft() const;

    void WriteCount(uint32_t count);
    uint32_t ReadCount();

    CArchive& operator<<(const CString& text);
    CArchive& operator>>(CString& text);

    bool Flush();  // a storing archive writes its buffer; false when writing failed
    bool Close();  // flushes; the archive is then detached from its file

private:
    CFile* m_pFile;
    Mode m_nMode;
    bool m_bFailed = false;
    std::vector<char> m_pending;  // storing: bytes not yet written
};
