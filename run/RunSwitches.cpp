#include "run/RunSwitches.h"

#include "run/RunTexts.h"

#include <cstring>

namespace zembra {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    const size_t length = std::strlen(prefix);
    if (text.size() < length) return false;
    for (size_t i = 0; i < length; ++i)
        if (Lower(text[i]) != prefix[i]) return false;
    return true;
}

bool SameNoCase(const std::string& text, const char* word) {
    return text.size() == std::strlen(word) && StartsWithNoCase(text, word);
}

// One word; blanks inside quotes belong to it. False for a quote that is never closed.
bool NextWord(const char*& p, std::string* word) {
    word->clear();
    bool quoted = false;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"') quoted = !quoted;
        word->push_back(*p);
    }
    return !quoted;
}

// The value after "/xxx=" (prefix characters), its quotes removed; or the problem.
void SwitchValue(const std::string& word, size_t prefix, bool closed, const char* name, RunText missing,
                 std::string* value, std::string* problem) {
    std::string text = word.size() > prefix ? word.substr(prefix) : std::string();
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    if (!closed || text.find('"') != std::string::npos)
        *problem = Text(RunText::SwitchQuoteOpen, {name});
    else if (text.empty())
        *problem = Text(missing);
    else
        *value = text;
}

}  // namespace

RunSwitches ParseRunSwitches(const char* tail) {
    RunSwitches switches;
    const char* p = tail ? tail : "";
    while (IsBlank(*p)) ++p;
    // The setup program's old rule: the tail's first five characters decide.
    switches.automatic = StartsWithNoCase(p, "/auto");
    std::string word;
    while (*p) {
        const bool closed = NextWord(p, &word);
        while (IsBlank(*p)) ++p;
        if (SameNoCase(word, "/auto")) {
            switches.automatic = true;
        } else if (SameNoCase(word, "/quiet")) {
            (switches.automatic ? switches.quiet : switches.quietWithoutAuto) = true;
        } else if (StartsWithNoCase(word, "/log=") || SameNoCase(word, "/log")) {
            SwitchValue(word, 5, closed, "/log=", RunText::LogNameMissing, &switches.logFile, &switches.problem);
        } else if (StartsWithNoCase(word, "/dir=") || SameNoCase(word, "/dir")) {
            SwitchValue(word, 5, closed, "/DIR=", RunText::FolderMissing, &switches.folder, &switches.problem);
        } else if (StartsWithNoCase(word, "/lang=") || SameNoCase(word, "/lang")) {
            SwitchValue(word, 6, closed, "/LANG=", RunText::LanguageMissing, &switches.language, &switches.problem);
        } else {
            switches.others.push_back(word);
        }
    }
    return switches;
}

std::string WithLogFile(const char* tail, const std::string& file) {
    std::string result, word;
    for (const char* p = tail ? tail : ""; *p;) {
        if (IsBlank(*p)) {
            result.push_back(*p++);
            continue;
        }
        NextWord(p, &word);
        result += StartsWithNoCase(word, "/log=") || SameNoCase(word, "/log") ? "/log=\"" + file + "\"" : word;
    }
    return result;
}

bool HasWord(const std::vector<std::string>& words, const char* word) {
    for (const std::string& w : words)
        if (SameNoCase(w, word)) return true;
    return false;
}

}  // namespace zembra
