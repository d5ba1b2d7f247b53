#include "tools/uninstall/IniText.h"

#include "framework/AnsiText.h"

#include <cstdlib>

namespace zembra {

std::string IniText::Id(const std::string& section, const std::string& key) {
    std::string id = section + '\x01' + key;
    AnsiMakeUpper(&id[0]);
    return id;
}

IniText::IniText(const std::string& text) {
    std::string section;
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            section = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos) m_values.emplace(Id(section, line.substr(0, equals)), line.substr(equals + 1));
    }
}

bool IniText::Has(const char* section, const char* key) const { return m_values.count(Id(section, key)) != 0; }

std::string IniText::Get(const char* section, const char* key, const std::string& fallback) const {
    const auto found = m_values.find(Id(section, key));
    return found == m_values.end() ? fallback : found->second;
}

long IniText::GetNumber(const char* section, const char* key) const {
    const std::string value = Get(section, key);
    return value.empty() || value[0] < '0' || value[0] > '9' ? 0 : std::strtol(value.c_str(), nullptr, 10);
}

}  // namespace zembra
