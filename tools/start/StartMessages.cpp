#include "tools/start/StartMessages.h"

#include "framework/WideText.h"

#include <windows.h>

namespace zembra {

int StopWithMessage(RunMessages& messages, const std::string& text, int code) {
    return StopWithUtf8Message(messages, AnsiAsUtf8(text), code);
}

int StopWithUtf8Message(RunMessages& messages, const std::string& utf8Text, int code) {
    messages.ShowUtf8(nullptr, utf8Text, kStartCaption, MB_OK | MB_ICONHAND | MB_SETFOREGROUND | MB_TOPMOST, IDOK,
                      true);
    return code;
}

}  // namespace zembra
