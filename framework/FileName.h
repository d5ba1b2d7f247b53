// The name part of a path: what follows its last folder separator ("\\", "/") or drive colon.
#pragma once

#include "framework/CString.h"

// Points into path just behind the last separator; path itself when it has none.
const char* FileNamePart(const char* path);

// The name part without its extension (what follows its last dot): how a program is called in its
// message boxes when it has no title of its own.
CString FileTitle(const char* path);
