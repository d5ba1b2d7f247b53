#include "framework/TextLines.h"

#include <cstring>

CTextLines::CTextLines(const char* data, size_t size) : m_pNext(data), m_pEnd(data + size) {
    if (size == 0) return;
    if (const void* ctrlZ = std::memchr(data, 0x1A, size)) m_pEnd = static_cast<const char*>(ctrlZ);
}

bool CTextLines::Next(const char*& line, size_t& length) {
    if (m_pNext >= m_pEnd) return false;
    line = m_pNext;
    const char* feed = static_cast<const char*>(std::memchr(m_pNext, '\n', static_cast<size_t>(m_pEnd - m_pNext)));
    const char* end = feed ? feed : m_pEnd;
    m_pNext = feed ? feed + 1 : m_pEnd;
    if (feed && end > line && end[-1] == '\r') --end;  // CR LF; a CR at the very end of the file stays
    const void* zero = std::memchr(line, 0, static_cast<size_t>(end - line));
    length = static_cast<size_t>((zero ? static_cast<const char*>(zero) : end) - line);
    return true;
}
