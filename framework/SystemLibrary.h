// A DLL of the system loaded by its full path in the system folder, freed with its owner. A DLL that is
// no KnownDLL (bcrypt.dll) must never be searched for: a search begins in the program's folder, where a
// downloaded Setup.exe may lie beside anybody's DLL of that name.
#pragma once

#include <windows.h>

#include <string>

namespace zembra {

class SystemLibrary {
public:
    explicit SystemLibrary(const char* name);
    ~SystemLibrary();
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }
    const std::string& Path() const { return m_path; }
    // The call that failed and the system's code for it; empty and 0 once loaded.
    const std::string& Error() const { return m_error; }
    unsigned long Code() const { return m_code; }

    template <class F>
    F Function(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(m_module ? GetProcAddress(m_module, name) : nullptr));
    }

private:
    std::string m_path;
    std::string m_error;
    unsigned long m_code = 0;
    HMODULE m_module = nullptr;
};

}  // namespace zembra
