// The installed-files list "UnZembra.ini" in the list folder: which files the installations into a
// folder wrote and which target folders did not exist before them. The setup program merges each run
// into it; the uninstaller removes what it names.
//
//   [Doc]
//   FileCount=2          FName holds File0 .. File1
//   DirCount=1           FDir holds Dir0; a folder ends with a backslash
//   [FName]
//   File0=DEKDMF...      every byte of a name as two letters A-P, the low half first
//
// A listed name is taken only when it decodes whole to a full path (a drive or a network path) that a
// path can hold; any other is skipped and reported, never guessed at or cut.
#pragma once

#include "framework/CString.h"

#include <string>
#include <vector>

class CNyStringArray;
class CProfileDocument;

constexpr char kInstalledListName[] = "UnZembra.ini";
constexpr size_t kMaxListedPath = 259;  // MAX_PATH with its terminating zero

// "abc" becomes "BGCGDG".
CString EncodeName(const char* name);
// False when encoded is no whole sequence of letter pairs A-P or decodes to a zero byte.
bool DecodeName(const char* encoded, std::string* name);

struct ListedNames {
    std::vector<std::string> files;     // in the list's order, each once regardless of letter case
    std::vector<std::string> folders;   // likewise
    std::vector<std::string> problems;  // German, one per skipped name, for the log
};

// The names of a loaded list; false, with nothing read, for a document that is no list at all (no
// [Doc] FileCount or DirCount).
bool ReadListedNames(CProfileDocument& list, ListedNames* names);

// What the uninstaller removes: the list's names with the folders lacking their final backslash,
// each once, deepest first (more backslashes, then the longer name; otherwise the list's order).
bool ReadRemovalList(CProfileDocument& list, ListedNames* names);

// Whether path lies inside folder (neither ends with a backslash), compared without regard to case.
bool IsInside(const std::string& path, const std::string& folder);

// Reads the list at path (a missing file is an empty list), puts this run's files and folders first
// and the earlier names that the run did not repeat after them, and writes the whole list back. The
// two string lists come back holding the merged names; earlier names that were skipped are added to
// *problems.
void MergeFileList(const CString& path, CNyStringArray& files, CNyStringArray& folders,
                   std::vector<std::string>* problems);

// The shortcuts the setup program made and the Start-menu folder it made for them, in sections of their
// own ([Shortcuts] Link0.., [ShortcutDirs] Dir0.., counted in [Doc] ShortcutCount and ShortcutDirCount),
// which a reader of the files and folders passes over. Merged as MergeFileList merges; read with the same
// checks as the files (folders without their final backslash).
void MergeShortcutList(const CString& path, CNyStringArray& links, CNyStringArray& folders);
void ReadShortcutNames(CProfileDocument& list, ListedNames* names);
