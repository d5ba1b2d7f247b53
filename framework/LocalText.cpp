#include "framework/LocalText.h"

#include "framework/WideText.h"

#include <vector>

namespace zembra {
namespace {

// One per module: zembra1.dll is told its own through ZEMBRA_SetLanguage.
TextLanguage g_language = TextLanguage::German;

const char* Find(const LocalText* table, size_t count, int key) {
    for (size_t i = 0; i < count; ++i)
        if (table[i].key == key) return table[i].text;
    return nullptr;
}

}  // namespace

TextLanguage CurrentTextLanguage() { return g_language; }

void SetTextLanguage(TextLanguage language) { g_language = language; }

const char* LookUpText(const TextTables& tables, int key) {
    const char* text = g_language == TextLanguage::English ? Find(tables.english, tables.englishCount, key) : nullptr;
    if (!text) text = Find(tables.german, tables.germanCount, key);
    return text ? text : "";
}

std::string FillMarkers(const char* text, std::initializer_list<std::string> values) {
    const std::vector<std::string> args(values);
    std::string filled;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '[' && p[1] >= '1' && p[1] <= '9' && p[2] == ']' && static_cast<size_t>(p[1] - '1') < args.size()) {
            filled += args[static_cast<size_t>(p[1] - '1')];
            p += 2;
        } else {
            filled.push_back(*p);
        }
    }
    return filled;
}

std::string FillMarkersUtf8(const char* text, std::initializer_list<std::string> utf8Values) {
    return FillMarkers(AnsiAsUtf8(text).c_str(), utf8Values);
}

}  // namespace zembra
