// A stand-in for zembra1.dll with behaviour chosen by "fake.ini" next to it, for driving the setup
// program from tests. Every call is appended to "fake.log" there, so a test can see what was asked.
//
// [Fake] keys: Admin, PowerUser (group answers, default 1), InstallPathResult (default 1),
// TargetDir, ListDir, PathChange (default 1).
#include "archive/ZembraApi.h"

#include <cstdio>
#include <cstring>

namespace {
CString OwnFolder() {
    HMODULE self = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<const char*>(&OwnFolder), &self);
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(self, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    return path;
}

CString Setting(const char* key, const char* fallback) {
    char value[1024] = {};
    ::GetPrivateProfileStringA("Fake", key, fallback, value, sizeof(value), OwnFolder() + "fake.ini");
    return value;
}

int IntSetting(const char* key, int fallback) {
    return static_cast<int>(::GetPrivateProfileIntA("Fake", key, fallback, OwnFolder() + "fake.ini"));
}

void Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    CString line;
    line.FormatV(format, args);
    va_end(args);
    FILE* log = std::fopen(OwnFolder() + "fake.log", "ab");
    if (log) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}
}  // namespace

extern "C" {

int WINAPI ZEMBRA_Expand(const char* package, const char* folder, const char* key, const char* fileName, int) {
    Log("Expand %s|%s|%s|%s", package, folder, key, fileName);
    return 0;
}

int WINAPI ZEMBRA_SetProgress(HWND, DWORD base, int total) {
    Log("SetProgress %lu %d", static_cast<unsigned long>(base), total);
    return 0;
}

void WINAPI ZEMBRA_SetCancel(int code) { Log("SetCancel %d", code); }

bool WINAPI ZEMBRA_GetInstallPath(CString* targetDir, CString* listDir, const char* iniPath, const char* productName,
                                  bool* mayChange) {
    Log("GetInstallPath %s|%s|%s", targetDir->c_str(), iniPath, productName);
    if (!IntSetting("InstallPathResult", 1)) return false;
    *targetDir = Setting("TargetDir", "C:\\Programme\\Fake\\");
    *listDir = Setting("ListDir", "");
    *mayChange = IntSetting("PathChange", 1) != 0;
    return true;
}

void WINAPI ZEMBRA_SetRegEntry(CString path, CString data) { Log("SetRegEntry %s|%s", path.c_str(), data.c_str()); }

int WINAPI ZEMBRA_IsUserMemberOfGroup(int group) {
    Log("IsUserMemberOfGroup %d", group);
    return group == 0 ? IntSetting("Admin", 1) : IntSetting("PowerUser", 1);
}

int WINAPI ZEMBRA_CheckVersion(CString path, DWORD, DWORD) {
    Log("CheckVersion %s", path.c_str());
    return 1;
}

bool WINAPI ZEMBRA_ReplaceFileOnReboot(const char* path) {
    Log("ReplaceFileOnReboot %s", path);
    return true;
}

#ifndef FAKE_WITHOUT_ISTHISNT
bool WINAPI ZEMBRA_IsThisNT() { return true; }
#endif

}  // extern "C"
