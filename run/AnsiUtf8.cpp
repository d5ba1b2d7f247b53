#include "run/AnsiUtf8.h"

#include "framework/Cp1252Table.h"
#include "framework/WideText.h"

namespace zembra {

std::string AnsiToUtf8(const std::string& ansi) { return AnsiAsUtf8(ansi); }

std::string Cp1252ToUtf8(const std::string& cp1252) {
    std::wstring wide;
    for (unsigned char byte : cp1252) wide.push_back(static_cast<wchar_t>(Cp1252CodePoint(byte)));
    return WideToUtf8(wide);
}

}  // namespace zembra
