// What the uninstaller removes, read from the installed-files list "UnZembra.ini": the files in the
// order the list gives them and the folders deepest first, each once regardless of letter case. Names
// are stored as letter pairs (A-P, the low half of each byte first); a name that does not decode to a
// full path the system can reach is skipped and reported, never guessed at or cut.
#pragma once

#include <string>
#include <vector>

namespace zembra {

constexpr size_t kMaxListedPath = 259;  // MAX_PATH with its terminating zero

struct UninstallList {
    std::vector<std::string> files;
    std::vector<std::string> folders;   // without a trailing backslash
    std::vector<std::string> problems;  // German, one per skipped name, for the log and the closing message
};

// The name behind a listed value; false when the value is no whole sequence of letter pairs A-P or
// decodes to a zero byte.
bool DecodeListedName(const std::string& letters, std::string* name);

// False, with nothing read, for a text that is no list at all (no [Doc] FileCount or DirCount).
bool ParseUninstallList(const std::string& text, UninstallList* list);

// The deepest folder first: more backslashes, then the longer name; otherwise the list's order.
void SortDeepestFirst(std::vector<std::string>* folders);

// Whether path lies inside folder (neither ends with a backslash), compared without regard to case.
bool IsInside(const std::string& path, const std::string& folder);

}  // namespace zembra
