#include "archive/ZipException.h"

#include <cstdarg>
#include <cstring>

CZipException::CZipException(std::FILE* capture, const char* format, ...) {
    m_szText[0] = '\0';
    va_list args;
    va_start(args, format);
    std::vsnprintf(m_szText, sizeof m_szText, format, args);
    va_end(args);
    if (!capture) return;
    size_t used = std::strlen(m_szText);
    std::fflush(capture);
    if (std::fseek(capture, 0, SEEK_SET) != 0) return;
    size_t got = std::fread(m_szText + used, 1, sizeof m_szText - 1 - used, capture);
    m_szText[used + got] = '\0';
}
