#include "framework/CFile.h"

bool CFile::ReadToEnd(std::vector<char>& bytes) {
    int64_t length = GetLength(), position = GetPosition();
    if (length > 0 && position >= 0 && length > position && length - position < (int64_t(1) << 40))
        bytes.reserve(bytes.size() + static_cast<size_t>(length - position));
    char chunk[65536];
    for (;;) {
        int n = Read(chunk, sizeof chunk);
        if (n < 0) return false;
        if (n == 0) return true;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}
