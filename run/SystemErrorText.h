// A system error code as a person reads it in a message or a log line.
#pragma once

#include <string>

namespace zembra {

// "Fehlercode N: <the system's text>", or "Fehlercode N" when the system has no text for it (the code's
// word in the run's language, the system's text in the system's).
std::string SystemErrorText(unsigned long code);

}  // namespace zembra
