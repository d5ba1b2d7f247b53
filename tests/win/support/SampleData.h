// Reproducible test contents: text that compresses into many DEFLATE blocks, and noise that does not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sample {

inline std::string Text(size_t size, uint32_t seed) {
    static const char* const kWords[] = {"Datei ", "Ordner ", "install ", "package ", "window ", "Größe ",
                                         "setup\r\n", "entry ", "zembra ", "1234 "};
    std::string text;
    text.reserve(size + 16);
    uint32_t x = seed;
    while (text.size() < size) {
        x = x * 1103515245u + 12345u;
        text += kWords[(x >> 16) % 10];
    }
    text.resize(size);
    return text;
}

inline std::string Noise(size_t size, uint32_t seed) {
    std::string data(size, '\0');
    uint32_t x = seed | 1;  // xorshift never leaves zero
    for (char& c : data) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return data;
}

}  // namespace sample
