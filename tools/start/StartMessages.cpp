#include "tools/start/StartMessages.h"

#include <windows.h>

namespace zembra {

int StopWithMessage(RunMessages& messages, const std::string& text, int code) {
    messages.Show(nullptr, text, kStartCaption, MB_OK | MB_ICONHAND | MB_SETFOREGROUND | MB_TOPMOST, IDOK, true);
    return code;
}

}  // namespace zembra
