#include "run/AnsiUtf8.h"

namespace zembra {

std::string AnsiToUtf8(const std::string& ansi) { return Cp1252ToUtf8(ansi); }

}  // namespace zembra
