#include "install/Texts.h"

#include "framework/AnsiText.h"
#include "profile/CProfileDocument.h"

#include <cstring>
#include <utility>

namespace {
constexpr int kMaxArguments = 8;
constexpr char kLineBreakByte = 6;
constexpr long kTextCount = 18;  // Text0 to Text17
}  // namespace

CString GetText(CProfileDocument& profile, long number) {
    CString key;
    key.Format("%s%ld", "Text", number);
    CString text = profile.GetString("Doc", key, "");
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] == kLineBreakByte) text.SetAt(i, '\n');
    return text;
}

void UseLanguageTexts(CProfileDocument& profile, const char* language) {
    const CString section = CString(kLanguageTextsSection) + language;
    if (!profile.FindSection(section)) return;
    for (long n = 0; n < kTextCount; ++n) {
        CString key;
        key.Format("%s%ld", "Text", n);
        if (profile.LookupKey(section, key)) profile.SetString("Doc", key, profile.GetString(section, key, ""));
    }
}

CString FormatTextList(const char* textTemplate, const char* const* arguments) {
    int count = 0;
    while (arguments[count]) {
        if (++count > kMaxArguments) return CString("ERROR!");
    }
    CString text(textTemplate);
    for (int k = 1; k <= count; ++k) {
        CString marker;
        marker.Format("[%d]", k);
        ReplaceAllInBuffer(text, marker, arguments[k - 1]);
    }
    return text;
}

int ReplaceAllInBuffer(CString& buffer, const char* marker, const char* replacement) {
    if (!marker || !*marker) return 0;
    int markerLength = static_cast<int>(std::strlen(marker));
    const char* text = buffer;
    const char* hit = AnsiFind(text, marker);
    if (!hit) return 0;
    CString result;
    int count = 0;
    while (hit) {
        result.Append(text, static_cast<int>(hit - text));
        result += replacement;
        ++count;
        text = hit + markerLength;
        hit = AnsiFind(text, marker);
    }
    result += text;
    buffer = std::move(result);
    return count;
}

CString DecimalText(long value) {
    CString text;
    text.Format("%ld", value);
    return text;
}

int ContainsNoCase(const char* text, const char* part) {
    CString upperText(text), upperPart(part);
    upperText.MakeUpper();
    upperPart.MakeUpper();
    const char* hit = AnsiFind(upperText, upperPart);
    return hit ? static_cast<int>(hit - upperText.c_str()) : -1;
}

void ReplaceAllExact(CString& text, const char* searched, const char* replacement) {
    if (!searched || !*searched) return;  // an empty text occurs everywhere: nothing sensible to do
    CString with(replacement);  // may alias text
    int searchedLength = static_cast<int>(std::strlen(searched));
    bool shrinks = with.GetLength() < searchedLength;
    CString what(searched);
    int from = 0;
    for (;;) {
        const char* base = text;
        const char* hit = AnsiFind(base + from, what);
        if (!hit) return;
        int at = static_cast<int>(hit - base);
        text = text.Left(at) + with + text.Mid(at + searchedLength);
        // The text gets shorter with every step, so searching it again from the start ends; a
        // replacement at least as long as the searched text would otherwise be found forever.
        from = shrinks ? 0 : at + with.GetLength();
    }
}

void ExpandPathPlaceholders(CString& path, const char* installDir, const char* windowsDir, const char* systemDir) {
    if (ContainsNoCase(path, "<INSTALLDIR>") >= 0) ReplaceAllExact(path, "<INSTALLDIR>", CString(installDir) + "\\");
    if (ContainsNoCase(path, "<WINDOWS>") >= 0) ReplaceAllExact(path, "<WINDOWS>", CString(windowsDir) + "\\");
    if (ContainsNoCase(path, "<SYSTEM>") >= 0) ReplaceAllExact(path, "<SYSTEM>", CString(systemDir) + "\\");
    // A network path keeps the two backslashes that begin it; everywhere else a run becomes one.
    if (path.GetLength() >= 2 && path[0] == '\\' && path[1] == '\\') {
        CString rest = path.Mid(1);
        ReplaceAllExact(rest, "\\\\", "\\");
        path = "\\" + rest;
        return;
    }
    ReplaceAllExact(path, "\\\\", "\\");
}
