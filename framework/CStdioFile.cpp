#include "framework/CFile.h"

#include <climits>

namespace {
constexpr char kCtrlZ = 0x1A;
// A longer line would overflow the string's length type.
constexpr int kMaxLine = INT_MAX / 4;
}  // namespace

bool CStdioFile::Fill() {
    if (m_bEnd) return false;
    if (!m_buffer) m_buffer.reset(new char[kBufferSize]);
    int n = Read(m_buffer.get(), kBufferSize);
    if (n <= 0) {
        if (n < 0) m_bReadError = true;
        m_bEnd = true;
        m_nPos = m_nEnd = 0;
        return false;
    }
    m_nPos = 0;
    m_nEnd = static_cast<unsigned>(n);
    return true;
}

int CStdioFile::PeekRaw() {
    if (m_nPos == m_nEnd && !Fill()) return -1;
    return static_cast<unsigned char>(m_buffer[m_nPos]);
}

bool CStdioFile::ReadString(CString& line) {
    line.Empty();
    bool any = false;
    for (;;) {
        if (m_nPos == m_nEnd && !Fill()) break;
        const char* run = m_buffer.get() + m_nPos;
        unsigned n = m_nEnd - m_nPos, i = 0;
        while (i < n && run[i] != '\n' && run[i] != '\r' && run[i] != kCtrlZ) ++i;
        if (i > 0) {
            if (line.GetLength() > kMaxLine - static_cast<int>(i)) {
                m_bReadError = true;
                m_bEnd = true;
                line.Empty();
                return false;
            }
            line.Append(run, static_cast<int>(i));
            any = true;
        }
        m_nPos += i;
        if (m_nPos == m_nEnd) continue;
        char c = m_buffer[m_nPos++];
        any = true;
        if (c == '\n') break;
        if (c == kCtrlZ) {
            m_bEnd = true;
            m_nPos = m_nEnd = 0;
            if (line.IsEmpty()) any = false;  // nothing of this line came before the Ctrl-Z
            break;
        }
        if (PeekRaw() == '\n') {  // CR LF
            ++m_nPos;
            break;
        }
        line += '\r';
    }
    if (m_bReadError) return false;
    line.ReleaseBuffer();  // up to the first zero byte
    return any;
}
