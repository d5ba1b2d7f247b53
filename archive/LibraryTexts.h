// What zembra1.dll says in its own boxes (the extraction's and the services'), in the language its host
// set with ZEMBRA_SetLanguage.
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class LibraryText {
    ErrorCaption,
    FilePositionNotFound,
    CopySourceUnreadable,
    CopyTargetUnopened,
    CopyPositionNotFound,
    CopyTargetUnwritten,
    KeyNotFound,
    RegistryPathNotFound,
    FolderUnusable,
};

const TextTables& LibraryTextTables();
std::string Text(LibraryText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
