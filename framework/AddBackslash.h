// Folder strings end with a backslash. The setup program and zembra1.dll each link their own copy.
#pragma once

#include "framework/CString.h"

// Appends a backslash to a non-empty string that lacks one. The length is first taken anew up to the
// first zero byte, because callers may have let the system write into the string's buffer. A byte
// test: a double-byte character whose second byte has the value of a backslash also counts as one,
// exactly as the runtime's one-character comparison sees it.
void AddBackslash(CString& folder);
