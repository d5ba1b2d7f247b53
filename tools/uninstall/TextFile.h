// Reading one of the uninstaller's small files whole.
#pragma once

#include <string>

namespace zembra {

// False with the system's error code; a file is read whole or not at all.
bool ReadTextFile(const std::string& path, std::string* text, unsigned long* error);

}  // namespace zembra
