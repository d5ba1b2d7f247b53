// The runtime library zembra1.dll, loaded by its full path from the run's own folder (the working
// folder), its imports taken from the system folder only: with the DLL search narrowed that is what
// the flag asks for; otherwise the library's folder takes the program's place in the search. Freed
// with its owner.
#pragma once

#include <windows.h>

#include <string>

namespace zembra {

class RuntimeLibrary {
public:
    RuntimeLibrary() = default;
    ~RuntimeLibrary() { Free(); }
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

    // False with the system's error code.
    bool Load(const std::string& path, unsigned long* error);
    bool IsLoaded() const { return m_module != nullptr; }
    void Free();

    template <class F>
    F Function(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(m_module ? GetProcAddress(m_module, name) : nullptr));
    }

private:
    HMODULE m_module = nullptr;
};

}  // namespace zembra
