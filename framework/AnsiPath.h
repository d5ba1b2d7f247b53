// A path the system names in UTF-16, in the form the 8-bit interfaces between the programs and the
// library carry ("ny.tmp", "Zembra.ini", the list file, the exports): its own text when every character
// has an exact counterpart in the ANSI code page; else its short (8.3) form, which the system gives
// for names it cannot say that way; else none at all. A best-fit substitute is never taken: "Ł" as "L"
// would name another folder, which may even exist.
#pragma once

#include <string>

namespace zembra {

enum class AnsiPathForm {
    Exact,  // the path's own text
    Short,  // its short form
    None,   // neither says it: the path is not used
};

struct AnsiPathChoice {
    AnsiPathForm form = AnsiPathForm::None;
    std::string path;     // the text to use; empty with None
    std::string problem;  // with None: why, in the run's language and UTF-8, naming the path and the name at fault
};

// path as the system names it; shortPath what the system gave as its short form, empty when it gave
// none (the path does not exist, or the system could not tell).
AnsiPathChoice ChooseAnsiPath(const std::wstring& path, const std::wstring& shortPath);

}  // namespace zembra
