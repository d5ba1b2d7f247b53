// The setup files that initialisation unpacks into the temporary folder, in this order: the package key
// and the name the file gets there. A package may leave out pictures and pages; the extractor checks
// that every one the package carries arrived.
#pragma once

namespace zembra {

struct SetupFile {
    const char* key;
    const char* fileName;
};

constexpr SetupFile kSetupFiles[] = {
    {"A10", "Zembra.exe"}, {"A20", "gfx1.bmp"}, {"A21", "gfx2.bmp"}, {"A22", "gfx3.bmp"},
    {"A23", "Zembra.ini"}, {"A11", "t1.rtf"},   {"A12", "t2.rtf"},   {"A13", "t3.rtf"},
};

}  // namespace zembra
