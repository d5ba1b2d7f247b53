#include "tools/pack/WholeFile.h"

#include <cstdio>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace zembra {

bool WriteWholeFile(const std::string& path, const std::string& bytes, ExistingFile existing, std::string* error) {
    const std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            *error = "cannot write \"" + path + "\"";
            return false;
        }
    }
    const bool replace = existing == ExistingFile::Replace;
#ifdef _WIN32
    const bool moved = MoveFileExA(temporary.c_str(), path.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
    const bool exists = !moved && GetLastError() == ERROR_ALREADY_EXISTS;
#else
    // A second name that must be new: link() refuses an existing one, where rename() would replace it.
    bool moved = !replace && link(temporary.c_str(), path.c_str()) == 0;
    const bool exists = !replace && !moved && errno == EEXIST;
    // A file system without hard links: the caller's check beforehand has to do.
    if (!moved && !exists) moved = std::rename(temporary.c_str(), path.c_str()) == 0;
#endif
    std::remove(temporary.c_str());
    if (!moved) *error = "\"" + path + (exists ? "\" exists already; zembra-pack does not replace it" : "\" cannot be replaced");
    return moved;
}

}  // namespace zembra
