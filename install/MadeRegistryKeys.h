// The registry keys an installation made on the way to its version value. The setup program finds
// which keys above the value are missing before it writes the value and records them in the list
// "UnZembra.ini"; the uninstaller, once the value is gone, removes them again while they are empty,
// deepest first, and stops at the first one that holds anything or was there before.
//
//   [Doc]
//   KeyCount=2
//   [RegKey]
//   Key0=...     "HKEY_CURRENT_USER\Software\Maker\Product", encoded as the list's names are
//   Key1=...     "HKEY_CURRENT_USER\Software\Maker"
//
// Only keys below a "Software" key of the root are ever taken: never Software itself, nor the root.
#pragma once

#include "framework/CString.h"

#include <string>
#include <vector>

class CProfileDocument;

// The keys from the value's own key up to the one just below Software, deepest first, each as its
// root's full name and the key path ("2\software\A\B\Version" gives "HKEY_CURRENT_USER\software\A\B"
// and "HKEY_CURRENT_USER\software\A"). Empty for a path with no known root or outside Software.
std::vector<std::string> KeysAboveValue(const std::string& registryPath);

// The keys a loaded list records, each once regardless of letter case.
std::vector<std::string> ReadMadeRegistryKeys(CProfileDocument& list);

// Adds keys to those the list at path records and writes it back (the list exists: the run has just
// written it).
void RecordMadeRegistryKeys(const CString& path, const std::vector<std::string>& keys);

// Whether keys holds key, compared without regard to case.
bool HoldsKey(const std::vector<std::string>& keys, const std::string& key);
