// Numbered texts of the setup configuration, their markers [1] to [8], the folder placeholders of the
// manifest, and the case-insensitive search that also tests the command line for its switch.
#pragma once

#include "framework/CString.h"

class CProfileDocument;

// [Doc] "Text<n>" of the configuration; each byte 6 in it becomes a line feed. Empty when missing.
CString GetText(CProfileDocument& profile, long number);

// The numbered texts of another language than the product's main one, section [Texts.<language>] of
// "Zembra.ini" ([Texts.en]), put in place of the main language's in [Doc] for the rest of the run.
// Nothing changes for a language without such a section, the main one among them.
void UseLanguageTexts(CProfileDocument& profile, const char* language);
constexpr char kLanguageTextsSection[] = "Texts.";  // and the language's code

// The template with marker [k] replaced by argument k, for k = 1 ... 8 in turn (text inserted for one
// marker is searched for the later markers, never again for its own). The argument list ends at the
// first null; "ERROR!" when it holds 9 or more arguments. Arguments are texts or strings:
//     FormatText(GetText(profile, 10), folder, name, DecimalText(size));
CString FormatTextList(const char* textTemplate, const char* const* arguments);
template <class... Arguments>
CString FormatText(const char* textTemplate, const Arguments&... arguments) {
    const char* list[] = {static_cast<const char*>(arguments)..., nullptr};
    return FormatTextList(textTemplate, list);
}

// Replaces every occurrence of marker in buffer, scanning left to right and going on behind each
// inserted replacement; returns the number replaced. An empty marker replaces nothing.
int ReplaceAllInBuffer(CString& buffer, const char* marker, const char* replacement);

CString DecimalText(long value);  // "%ld"

// Position of the first occurrence of part in text, letters compared in upper case of the ANSI code
// page; -1 when absent. Despite the name it answers where, not whether: 0 means text begins with part,
// which is how the setup program tests its command line for /auto.
int ContainsNoCase(const char* text, const char* part);

// Replaces searched by replacement, case-sensitively, until none is left. A replacement shorter than
// the searched text may form a new occurrence with its neighbours, which is replaced in turn (two
// backslashes by one collapses any run); a longer or equal one is never searched again, so the
// operation ends for every input.
void ReplaceAllExact(CString& text, const char* searched, const char* replacement);

// Expands <INSTALLDIR>, <WINDOWS> and <SYSTEM> (upper case only) to the given folders and then
// collapses every run of backslashes to one.
void ExpandPathPlaceholders(CString& path, const char* installDir, const char* windowsDir, const char* systemDir);
