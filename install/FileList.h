// The installed-files list "UnZembra.ini": which files the installations into a folder wrote and which
// target folders did not exist before them. Names are stored in a letter code of the system's own.
#pragma once

#include "framework/CString.h"

class CNyStringArray;

// Every byte becomes two letters A-P, the low half first: "abc" is stored as "BGCGDG".
CString EncodeName(const char* name);
// Letter pairs back into bytes; a single letter left over at the end is dropped.
CString DecodeName(const char* encoded);

// Reads the list at path (a missing file is an empty list), puts this run's files and folders first
// and the earlier ones that the run did not repeat after them, and writes the whole list back. The
// two string lists come back holding the merged names.
void MergeFileList(const CString& path, CNyStringArray& files, CNyStringArray& folders);
