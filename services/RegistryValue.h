#pragma once

#include "framework/CString.h"

#include <windows.h>

namespace zembra {

// Environment-expanded text never exceeds this many bytes, terminator included.
constexpr int kExpandedTextCapacity = 512;

// Reads a registry value as text, as a buffer of `capacity` bytes (terminator included) would hold
// it. Whatever the stored type, the data is taken as text up to its first zero byte or its end, so a
// value stored without a terminator is never read past; REG_EXPAND_SZ is expanded. Text that does
// not fit is cut. False when the value cannot be read.
bool ReadRegistryText(HKEY key, const char* valueName, int capacity, CString* text);

// Cuts text to at most maxBytes bytes without splitting a double-byte character.
void CutText(CString* text, int maxBytes);

}  // namespace zembra
