#include "tools/start/StartCommandLine.h"

#include "tools/start/StartTexts.h"

#include <cstring>

namespace zembra {
namespace {

constexpr char kPackageOption[] = "--package";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

bool StartsWithNoCase(const char* text, const char* word) {
    for (; *word; ++text, ++word) {
        char c = *text;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *word) return false;
    }
    return true;
}

}  // namespace

StartCall ParseStartTail(const char* tail) {
    StartCall call;
    const char* p = tail ? tail : "";
    const size_t optionLength = sizeof kPackageOption - 1;
    if (!StartsWithNoCase(p, kPackageOption) || !(p[optionLength] == '\0' || IsBlank(p[optionLength]) ||
                                                  p[optionLength] == '=')) {
        call.setupTail = p;
        return call;
    }
    call.packageGiven = true;
    p += optionLength;
    p = *p == '=' ? p + 1 : SkipBlanks(p);
    if (*p == '"') {
        const char* end = std::strchr(p + 1, '"');
        if (!end) {
            call.error = Text(StartText::PackageQuoteOpen);
            return call;
        }
        call.package.assign(p + 1, end);
        p = end + 1;
        if (*p && !IsBlank(*p)) {
            call.error = Text(StartText::PackageBlankMissing);
            return call;
        }
    } else {
        const char* end = p;
        while (*end && !IsBlank(*end)) ++end;
        call.package.assign(p, end);
        p = end;
    }
    if (call.package.empty()) {
        call.error = Text(StartText::PackageNameMissing);
        return call;
    }
    call.setupTail = SkipBlanks(p);
    return call;
}

}  // namespace zembra
