// Files that zembra-pack writes whole or not at all: the bytes go to NAME.partial, which takes the
// file's name only once it is complete, so a failure never leaves a partial file behind.
#pragma once

#include <string>

namespace zembra {

enum class ExistingFile { Replace, Keep };

// False with a message, and then the file as it was. With Keep, a file of that name is never replaced,
// also not one made while this one was written.
bool WriteWholeFile(const std::string& path, const std::string& bytes, ExistingFile existing, std::string* error);

}  // namespace zembra
