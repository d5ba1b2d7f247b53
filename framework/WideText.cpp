#include "framework/WideText.h"

#include <cstdint>

namespace zembra {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(uint32_t cp, std::string* out) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | cp >> 6));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | cp >> 12));
        out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | cp >> 18));
        out->push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendWide(uint32_t cp, std::wstring* out) {
    if (cp >= 0x10000 && sizeof(wchar_t) == 2) {
        cp -= 0x10000;
        out->push_back(static_cast<wchar_t>(0xD800 | cp >> 10));
        out->push_back(static_cast<wchar_t>(0xDC00 | (cp & 0x3FF)));
    } else {
        out->push_back(static_cast<wchar_t>(cp));
    }
}

}  // namespace

std::string WideToUtf8(const std::wstring& wide) {
    std::string utf8;
    utf8.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t cp = static_cast<uint32_t>(wide[i]);
        if (sizeof(wchar_t) == 2 && IsHighSurrogate(cp) && i + 1 < wide.size() &&
            IsLowSurrogate(static_cast<uint32_t>(wide[i + 1])))
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<uint32_t>(wide[++i]) - 0xDC00);
        AppendUtf8(cp > 0x10FFFF ? kReplacement : cp, &utf8);
    }
    return utf8;
}

std::wstring Utf8ToWide(const std::string& utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        size_t length = 0;  // 0: no lead byte (a continuation byte, or one that never begins a character)
        if (lead < 0x80) length = 1;
        else if (lead >= 0xC2 && lead < 0xE0) length = 2;
        else if (lead >= 0xE0 && lead < 0xF0) length = 3;
        else if (lead >= 0xF0 && lead < 0xF5) length = 4;
        uint32_t cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
        bool valid = length > 0 && i + length <= utf8.size();
        for (size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = cp << 6 | (next & 0x3F);
        }
        // No overlong forms: the shortest encoding is the only one.
        valid = valid && !(length == 3 && cp < 0x800) && !(length == 4 && (cp < 0x10000 || cp > 0x10FFFF));
        if (!valid) {
            wide.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        AppendWide(cp, &wide);
        i += length;
    }
    return wide;
}

std::string Utf8AsShownAnsi(const std::string& utf8) {
    std::string shown, ansi;
    for (wchar_t c : Utf8ToWide(utf8)) shown += WideToAnsi(std::wstring(1, c), &ansi) ? ansi : "?";
    return shown;
}

}  // namespace zembra
