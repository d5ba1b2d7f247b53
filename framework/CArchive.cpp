#include "framework/CArchive.h"

#include "framework/LittleEndian.h"

namespace {
constexpr size_t kFlushSize = 65536;
constexpr uint32_t kWideCount = 0xFFFF;
}  // namespace

CArchive::CArchive(CFile* file, Mode mode) : m_pFile(file), m_nMode(mode) {
    if (!file || !file->IsOpen()) m_bFailed = true;
}

CArchive::~CArchive() { Close(); }

void CArchive::Write(const void* data, unsigned count) {
    if (!IsStoring() || !m_pFile) {
        m_bFailed = true;
        return;
    }
    const char* p = static_cast<const char*>(data);
    m_pending.insert(m_pending.end(), p, p + count);
    if (m_pending.size() >= kFlushSize) Flush();
}

bool CArchive::Flush() {
    if (!IsStoring() || !m_pFile) return !m_bFailed;
    if (!m_pending.empty()) {
        if (!m_pFile->Write(m_pending.data(), static_cast<unsigned>(m_pending.size()))) m_bFailed = true;
        m_pending.clear();
    }
    return !m_bFailed;
}

bool CArchive::Close() {
    bool ok = Flush();
    m_pFile = nullptr;
    return ok;
}

bool CArchive::Read(void* data, unsigned count) {
    if (m_bFailed || !IsLoading() || !m_pFile) {
        m_bFailed = true;
        return false;
    }
    char* p = static_cast<char*>(data);
    while (count > 0) {
        int n = m_pFile->Read(p, count);
        if (n <= 0) {
            m_bFailed = true;
            return false;
        }
        p += n;
        count -= static_cast<unsigned>(n);
    }
    return true;
}

int64_t CArchive::BytesLeft() const {
    if (!m_pFile) return 0;
    int64_t length = m_pFile->GetLength(), position = m_pFile->GetPosition();
    return length < 0 || position < 0 || position > length ? 0 : length - position;
}

void CArchive::WriteCount(uint32_t count) {
    unsigned char bytes[6];
    if (count < kWideCount) {
        bytes[0] = static_cast<unsigned char>(count);
        bytes[1] = static_cast<unsigned char>(count >> 8);
        Write(bytes, 2);
        return;
    }
    bytes[0] = bytes[1] = 0xFF;
    for (int i = 0; i < 4; ++i) bytes[2 + i] = static_cast<unsigned char>(count >> (8 * i));
    Write(bytes, 6);
}

uint32_t CArchive::ReadCount() {
    unsigned char bytes[4];
    if (!Read(bytes, 2)) return 0;
    uint32_t count = ReadLe16(bytes);
    if (count != kWideCount) return count;
    if (!Read(bytes, 4)) return 0;
    return ReadLe32(bytes);
}

CArchive& CArchive::operator<<(const CString& text) {
    WriteCount(static_cast<uint32_t>(text.GetLength()));
    Write(text.c_str(), static_cast<unsigned>(text.GetLength()));
    return *this;
}

CArchive& CArchive::operator>>(CString& text) {
    text.Empty();
    uint32_t length = ReadCount();
    if (m_bFailed || length == 0) return *this;
    if (static_cast<int64_t>(length) > BytesLeft() || length > 0x3FFFFFFF) {
        m_bFailed = true;
        return *this;
    }
    char* buffer = text.GetBufferSetLength(static_cast<int>(length));
    if (!Read(buffer, length)) {
        text.Empty();
        return *this;
    }
    text.ReleaseBuffer(static_cast<int>(length));
    return *this;
}
