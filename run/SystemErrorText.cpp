#include "run/SystemErrorText.h"

#include "run/RunTexts.h"

#include <windows.h>

namespace zembra {

std::string SystemErrorText(unsigned long code) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = Text(RunText::SystemError, {std::to_string(code)});
    if (length > 0 && buffer) {
        std::string system(buffer, length);
        while (!system.empty() && (system.back() == '\n' || system.back() == '\r' || system.back() == ' '))
            system.pop_back();
        if (!system.empty()) text += ": " + system;
    }
    if (buffer) LocalFree(buffer);
    return text;
}

}  // namespace zembra
