// A profile (INI) file's text read into memory, for the uninstaller's own small files: "[section]"
// lines and "key=value" lines, names compared without regard to case in the ANSI code page. Nothing
// is trimmed but the line end; the first of several equal keys counts.
#pragma once

#include <string>
#include <unordered_map>

namespace zembra {

class IniText {
public:
    explicit IniText(const std::string& text);

    bool Has(const char* section, const char* key) const;
    std::string Get(const char* section, const char* key, const std::string& fallback = std::string()) const;
    // The value as the system's profile functions read a number: leading digits, 0 without any.
    long GetNumber(const char* section, const char* key) const;

private:
    static std::string Id(const std::string& section, const std::string& key);
    std::unordered_map<std::string, std::string> m_values;  // by Id
};

}  // namespace zembra
