// Stands in for the setup program in the extractor's tests: packed as A10, it is started as Zembra.exe
// and records what it found, its folder's access list too. Its orders come from section [StandIn] of
// the "Zembra.ini" beside it:
//   Report=PATH      where to write the record (lines key=value)
//   ExitCode=N       the exit code to end with
//   HoldUntil=PATH   after the record, wait until this file exists (at most 30 s)
//   LoadLibrary=NAME load this DLL by name after the record, as a program with no protection would
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string Profile(const std::string& file, const char* section, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

std::string Tail() {
    const char* p = GetCommandLineA();
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

std::string FileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : "|") + name;
    return list;
}

// The folder's access list in the system's descriptor language, as the system reports it.
std::string AccessList(const std::string& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* text = nullptr;
    GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                          nullptr, &descriptor);
    std::string list = descriptor && ConvertSecurityDescriptorToStringSecurityDescriptorA(
                                         descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)
                           ? text
                           : "<unreadable>";
    LocalFree(text);
    LocalFree(descriptor);
    return list;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string folder = OwnFolder();
    const std::string ini = folder + "Zembra.ini";
    const std::string report = Profile(ini, "StandIn", "Report");
    {
        std::ofstream out(report + ".partial", std::ios::binary);
        out << "folder=" << folder << "\n";
        out << "tail=" << Tail() << "\n";
        out << "files=" << FileNames(folder) << "\n";
        out << "setup=" << Profile(folder + "ny.tmp", "PARA", "Setup") << "\n";
        out << "acl=" << AccessList(folder) << "\n";
    }
    MoveFileExA((report + ".partial").c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING);

    const std::string library = Profile(ini, "StandIn", "LoadLibrary");
    if (!library.empty()) {
        HMODULE module = LoadLibraryA(library.c_str());
        if (module) FreeLibrary(module);
    }
    const std::string hold = Profile(ini, "StandIn", "HoldUntil");
    for (int waited = 0; !hold.empty() && waited < 30000; waited += 20) {
        if (GetFileAttributesA(hold.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(20);
    }
    return GetPrivateProfileIntA("StandIn", "ExitCode", 0, ini.c_str());
}
