// What the profile document says when a file cannot be read or saved.
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class ProfileText { ErrorCaption, FileNotFound, WrongLine, NotSaved };

const TextTables& ProfileTextTables();
std::string Text(ProfileText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
