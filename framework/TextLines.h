// CTextLines: the lines of a file's bytes as the runtime's text mode delivers them. CR LF counts as
// LF, any other CR stays, and Ctrl-Z (0x1A) ends the file. A line is taken up to its first zero
// byte, as every C string is. The lines point into the caller's bytes, which must outlive them.
#pragma once

#include <cstddef>

class CTextLines {
public:
    CTextLines(const char* data, size_t size);
    // The next line without its line end; false after the last one.
    bool Next(const char*& line, size_t& length);

private:
    const char* m_pNext;
    const char* m_pEnd;
};
