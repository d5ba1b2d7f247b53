// A system error code as a person reads it in a message or a log line.
#pragma once

#include <string>

namespace zembra {

// "Fehlercode N: <the system's text>", or "Fehlercode N" when the system has no text for it.
std::string SystemErrorText(unsigned long code);

}  // namespace zembra
