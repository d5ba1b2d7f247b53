// The folder of /DIR= (install/ChosenFolder.h) in the form the library and the list file take: its
// own text in the ANSI code page, or the short form of its levels that the code page cannot say. A
// level that does not exist yet has no short form until it is made, so the levels outside the code
// page that are missing, and the missing ones above them, are made here; the run lists them as made.
#pragma once

#include <string>
#include <vector>

// folder: as TakeFolderSwitch gives it (UTF-8, full, ending with a backslash). *ansi gets its form,
// ending with a backslash, *made the levels made here (ANSI forms, deepest last). False with the
// problem (UTF-8, German) and nothing made left behind.
bool ChosenFolderForm(const std::string& folder, std::string* ansi, std::vector<std::string>* made,
                      std::string* problem);

// Removes the levels ChosenFolderForm made, deepest first, as far as they are still empty.
void RemoveMadeLevels(const std::vector<std::string>& made);
