// CZipException: how an extraction failure travels from deep inside ZEMBRA_Expand to its one catch.
// Created with new, thrown and caught as a pointer, deleted by the catcher; it never leaves the library.
#pragma once

#include <cstdio>

class CZipException {
public:
    // Formats the text, then appends as much of the capture stream (what the decoder wrote to its
    // error stream), read from its start, as fits in the buffer.
    CZipException(std::FILE* capture, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 3, 4)))
#endif
        ;

    const char* Text() const { return m_szText; }

private:
    char m_szText[512];
};
