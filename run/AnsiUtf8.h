// Text in the system's ANSI code page as UTF-8. On Windows that is the process's code page; natively
// it is code page 1252, the one the setup's texts are written in.
#pragma once

#include <string>

namespace zembra {

std::string AnsiToUtf8(const std::string& ansi);
// Code page 1252 on every platform: the setup's texts, whatever the system's code page.
std::string Cp1252ToUtf8(const std::string& cp1252);

}  // namespace zembra
