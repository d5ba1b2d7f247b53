#include "framework/SystemLibrary.h"

#include "framework/SystemPath.h"

namespace zembra {

SystemLibrary::SystemLibrary(const char* name) {
    const AnsiPathChoice folder = SystemFolderPath();
    if (folder.path.empty()) {
        m_code = folder.form == AnsiPathForm::None ? ERROR_NO_UNICODE_TRANSLATION : GetLastError();
        m_error = "GetSystemDirectory: " + std::to_string(m_code);
        return;
    }
    m_path = folder.path + "\\" + name;
    // Its own imports are looked for in its folder first, also where the search could not be narrowed.
    m_module = LoadLibraryExA(m_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!m_module) {
        m_code = GetLastError();
        m_error = "LoadLibrary " + m_path + ": " + std::to_string(m_code);
    }
}

SystemLibrary::~SystemLibrary() {
    if (m_module) FreeLibrary(m_module);
}

}  // namespace zembra
