#include "framework/AnsiPath.h"

#include "framework/FrameworkTexts.h"
#include "framework/WideText.h"

namespace zembra {
namespace {

// The first name between backslashes that has no ANSI text; the whole path when none stands out.
std::wstring NameAtFault(const std::wstring& path) {
    size_t start = 0;
    for (;;) {
        const size_t end = path.find(L'\\', start);
        const std::wstring name = path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        std::string ansi;
        if (!WideToAnsi(name, &ansi)) return name;
        if (end == std::wstring::npos) return path;
        start = end + 1;
    }
}

}  // namespace

AnsiPathChoice ChooseAnsiPath(const std::wstring& path, const std::wstring& shortPath) {
    AnsiPathChoice choice;
    if (WideToAnsi(path, &choice.path)) {
        choice.form = AnsiPathForm::Exact;
    } else if (!shortPath.empty() && WideToAnsi(shortPath, &choice.path)) {
        choice.form = AnsiPathForm::Short;
    } else {
        choice.path.clear();
        const std::string name = WideToUtf8(NameAtFault(shortPath.empty() ? path : shortPath));
        choice.problem = Utf8Text(shortPath.empty() ? FrameworkText::NoShortName : FrameworkText::ShortNamesOff,
                                  {name, WideToUtf8(path)});
    }
    return choice;
}

}  // namespace zembra
