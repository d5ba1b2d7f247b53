// A target folder other than the one the package offers: given with /DIR=, typed into the field or
// found with the browser. The folder the files go to is then also where the list "UnZembra.ini", the
// uninstaller and its record go, so that one installation lies in one place.
#pragma once

#include "framework/CString.h"

#include <string>

// The longest folder (without its final backslash) that can still hold files: the library stages each
// file beside its target as "~zem" + 16 hex digits + ".tmp", and that name must fit a path of 259.
constexpr size_t kMaxChosenFolder = 259 - 1 - 24;

// The folder of "/DIR=FOLDER" as the run takes it, ending with a backslash ('/' read as '\'); text,
// folder and problem are UTF-8, as the command line arrives. False with the reason (German) when the
// package lets nobody change the folder (PathChange=0) or the text is no full path (a drive "C:\..."
// or a network path "\\server\share...") to a folder Windows can make: no empty name, no "." or "..",
// no character Windows refuses, no name ending with a dot or a blank, no device name (CON, NUL,
// COM1 ...), at most kMaxChosenFolder characters.
bool TakeFolderSwitch(const std::string& text, bool pathChange, std::string* folder, std::string* problem);
// The reason for a folder (UTF-8) whose ANSI form is longer than kMaxChosenFolder.
std::string FolderTooLong(const std::string& text);

// The list folder of the run: the chosen folder when it differs from the offered one (letter case and
// a final backslash aside), else the list folder the library gave (which may be empty).
CString ListFolderFor(const CString& offered, const CString& chosen, const CString& listDir);
