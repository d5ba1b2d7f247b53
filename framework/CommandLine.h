#pragma once

// The command-line tail: the text after the program name (quoted or not) and the blanks that follow
// it, as a program sees it in its WinMain.
const char* CommandLineTail(const char* commandLine);
