#include "run/RuntimeLibrary.h"

#include "run/RunningProgram.h"

namespace zembra {

bool RuntimeLibrary::Load(const std::string& path, unsigned long* error) {
    Free();
    const DWORD importsFrom = DllSearchNarrowed() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    m_module = LoadLibraryExA(path.c_str(), nullptr, importsFrom);
    if (!m_module) *error = GetLastError();
    return m_module != nullptr;
}

void RuntimeLibrary::Free() {
    if (m_module) FreeLibrary(m_module);
    m_module = nullptr;
}

}  // namespace zembra
