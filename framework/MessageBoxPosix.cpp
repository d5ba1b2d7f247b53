#include "framework/MessageBox.h"

#include <cstdio>

int SystemMessageBox(const char* text, const char* caption, unsigned style) {
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    return DecliningAnswer(style);
}
