// What the framework says of a path that the ANSI code page cannot carry.
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class FrameworkText { NoShortName, ShortNamesOff };

const TextTables& FrameworkTextTables();
// In UTF-8, with values in UTF-8.
std::string Utf8Text(FrameworkText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
