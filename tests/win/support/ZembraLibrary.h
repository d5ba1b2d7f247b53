// Loads the built zembra1.dll (next to the test program) and binds its exports by name, as the setup
// program does.
#pragma once

#include "archive/ZembraApi.h"

class ZembraLibrary {
public:
    ZembraLibrary() : m_module(LoadLibraryA("zembra1.dll")) {}
    ~ZembraLibrary() { if (m_module) FreeLibrary(m_module); }
    ZembraLibrary(const ZembraLibrary&) = delete;
    ZembraLibrary& operator=(const ZembraLibrary&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    HMODULE Module() const { return m_module; }

    template <class F>
    F Get(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

#define ZEMBRA_BIND(lib, name) (lib).Get<PFN_##name>(#name)
