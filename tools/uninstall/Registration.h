// "UnZembra.exe /register": the setup program starts it, hidden, when it closes after a completed
// installation. It enters the product in the system's list of installed programs from the product
// record and the list of installed files beside it; a second installation into the same folder
// updates the entry. It never shows a window.
#pragma once

#include "run/RunLog.h"

#include <string>

namespace zembra {

// The exit code: 0, or 1603 when the record or the list is missing or the entry cannot be written.
int RunRegistration(const std::string& listFolder, const RunLog& log);

}  // namespace zembra
