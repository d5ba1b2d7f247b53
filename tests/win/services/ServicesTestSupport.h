// Scratch space for the service tests: private registry keys that vanish with the test, and small
// registry readers that do not share code with the library.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace svctest {

inline std::string Pid() { return std::to_string(GetCurrentProcessId()); }

inline std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

inline std::string SystemTempFolder() {
    char path[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, path);
    return WithBackslash(path);
}

inline std::string ExeFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// Software\ZembraTest\<pid> under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, deleted with all subkeys.
class ScratchKeys {
public:
    ScratchKeys() : m_path("Software\\ZembraTest\\" + Pid()) {}
    ~ScratchKeys() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(root, m_path.c_str());
            RegDeleteKeyA(root, "Software\\ZembraTest");  // only succeeds when no other run uses it
        }
    }
    ScratchKeys(const ScratchKeys&) = delete;
    ScratchKeys& operator=(const ScratchKeys&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

struct RegValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string data;  // raw bytes
};

inline bool SetValue(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& data) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG rc = RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size()));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

inline RegValue GetValue(HKEY root, const std::string& key, const char* name) {
    RegValue value;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.assign(size, '\0');
        if (RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.data[0]), &size) ==
            ERROR_SUCCESS) {
            value.exists = true;
            value.data.resize(size);
        }
    }
    RegCloseKey(handle);
    return value;
}

inline bool KeyExists(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// Replaces every "{name}" in text by its value.
inline std::string Fill(std::string text, const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& value : values) {
        std::string mark = "{" + value.first + "}";
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.second.size())) {
            text.replace(at, mark.size(), value.second);
        }
    }
    return text;
}

}  // namespace svctest
