// Text in the system's ANSI code page as UTF-8. On Windows that is the process's code page; natively
// it is code page 1252, the one the setup's texts are written in.
#pragma once

#include <string>

namespace zembra {

std::string AnsiToUtf8(const std::string& ansi);

}  // namespace zembra
