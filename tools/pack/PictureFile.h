// The pages' pictures: what the setup program can show (BMP, JPEG, GIF), how large a picture is, and a
// plain one for a page that has none.
#pragma once

#include <string>

namespace zembra {

struct PictureSize {
    long width = 0, height = 0;  // 0 when the file does not tell
};

// False, with the problem, when the bytes are no BMP, JPEG or GIF picture.
bool MeasurePicture(const std::string& bytes, PictureSize* size, std::string* problem);

// A 24-bit BMP of the given size in the colours of the generated pages: a column shaded from the
// headings' blue downward (start and last page), or a band that fades from white into it (progress page).
std::string PlainPicture(long width, long height, bool band);

}  // namespace zembra
