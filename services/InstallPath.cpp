// ZEMBRA_GetInstallPath: where the package is installed, from the placement keys of [Doc].
#include "archive/LibraryTexts.h"
#include "archive/ZembraApi.h"
#include "framework/AddBackslash.h"
#include "framework/HandleOwner.h"
#include "framework/WideText.h"
#include "services/RegistryPath.h"
#include "services/RegistryValue.h"
#include "services/ServiceMessage.h"
#include "services/StandardFolders.h"

namespace {

constexpr int kProfileTextCapacity = 512;
constexpr int kRegistryFolderCapacity = 519;

enum TargetSource { kFromRegistry = 1, kFromProgramFiles = 2 };

struct PlacementKeys {
    bool pathChange = true;
    int targetPath = 0;
    int targetPathUser = 0;
    int targetPathRegistry = 0;
    int targetPathTemp = 0;
    bool appendSubDir = false;
    CString subDir;
    CString regEntry;
};

int ReadNumber(const char* iniPath, const char* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntA("Doc", key, fallback, iniPath));
}

CString ReadText(const char* iniPath, const char* key) {
    char text[kProfileTextCapacity] = "";
    GetPrivateProfileStringA("Doc", key, "", text, sizeof text, iniPath);
    return CString(text);
}

PlacementKeys ReadPlacementKeys(const char* iniPath) {
    PlacementKeys keys;
    keys.pathChange = ReadNumber(iniPath, "PathChange", 1) != 0;
    keys.targetPath = ReadNumber(iniPath, "TargetPath", 0);
    keys.targetPathUser = ReadNumber(iniPath, "TargetPathUser", 0);
    keys.targetPathRegistry = ReadNumber(iniPath, "TargetPathRegistry", 0);
    keys.targetPathTemp = ReadNumber(iniPath, "TargetPathTemp", 0);
    keys.appendSubDir = ReadNumber(iniPath, "TargetPathSubDir", 0) != 0;
    keys.subDir = ReadText(iniPath, "TargetSubDir");
    keys.regEntry = ReadText(iniPath, "RegEntry");
    return keys;
}

CString Join(const CString& folder, const CString& name) {
    CString joined = folder + name;
    AddBackslash(joined);
    return joined;
}

CString WithSubDir(const CString& folder, const PlacementKeys& keys) {
    return keys.appendSubDir ? Join(folder, keys.subDir) : folder;
}

bool FindRegistryFolder(const CString& regEntry, CString* folder) {
    if (regEntry.IsEmpty()) return false;
    zembra::RegistryPath path;
    if (!zembra::SplitRegistryPath(regEntry, &path)) {
        zembra::ShowServiceMessage(zembra::Text(zembra::LibraryText::KeyNotFound).c_str());
        return false;
    }
    RegistryKey key;
    if (RegOpenKeyA(path.root, path.keyPath, key.Receive()) != ERROR_SUCCESS) return false;
    CString value;
    if (!zembra::ReadRegistryText(key.Get(), path.valueName, kRegistryFolderCapacity, &value) || value.IsEmpty())
        return false;
    AddBackslash(value);
    *folder = value;
    return true;
}

// A standard folder that the ANSI code page cannot say, where a rule needs it: never replaced by another.
bool Unusable(const std::string& problem) {
    zembra::ShowServiceMessage(
        zembra::Text(zembra::LibraryText::FolderUnusable, {zembra::Utf8AsShownAnsi(problem)}).c_str());
    return false;
}

bool GetInstallPath(CString* targetDir, CString* listDir, const char* iniPath, const char* productName,
                    bool* mayChange) {
    PlacementKeys keys = ReadPlacementKeys(iniPath);
    if (mayChange) *mayChange = keys.pathChange;
    std::string tempProblem, programFilesProblem;
    CString tempFolder = zembra::TemporaryFolder(&tempProblem);
    CString programFiles = zembra::ProgramFilesFolder(&programFilesProblem);

    // Only the caller's own strings are assigned, and only where a rule says so.
    auto setTarget = [&](const CString& folder) { if (targetDir) *targetDir = folder; };
    auto setList = [&](const CString& folder) { if (listDir) *listDir = folder; };

    if (keys.targetPath == kFromRegistry) {
        CString found;
        if (!FindRegistryFolder(keys.regEntry, &found)) {
            if (keys.targetPathRegistry == 1) {
                zembra::ShowServiceMessage(zembra::Text(zembra::LibraryText::RegistryPathNotFound).c_str());
                return false;
            }
            if (!tempProblem.empty()) return Unusable(tempProblem);
            setTarget(WithSubDir(tempFolder, keys));
            return true;
        }
        setList(found);
        setTarget(WithSubDir(found, keys));
        return true;
    }

    if (keys.targetPath == kFromProgramFiles) {
        if (!programFilesProblem.empty() && (keys.targetPathUser == 0 || keys.targetPathUser == 1))
            return Unusable(programFilesProblem);
        CString target;
        switch (keys.targetPathUser) {
        case 0: target = Join(programFiles, keys.subDir); break;
        case 1: target = Join(programFiles, productName); break;
        case 2: {
            CString explicitFolder = ReadText(iniPath, "TargetPathEx");
            AddBackslash(explicitFolder);
            target = WithSubDir(explicitFolder, keys);
            break;
        }
        default: return true;
        }
        setTarget(target);
        setList(target);
        return true;
    }

    if (!tempProblem.empty()) return Unusable(tempProblem);
    setList(tempFolder);
    switch (keys.targetPathTemp) {
    case 0: setTarget(WithSubDir(tempFolder, keys)); break;
    case 1: setTarget(Join(tempFolder, productName)); break;
    default: break;
    }
    return true;
}

}  // namespace

bool WINAPI ZEMBRA_GetInstallPath(CString* targetDir, CString* listDir, const char* iniPath, const char* productName,
                                  bool* mayChange) {
    try {
        return GetInstallPath(targetDir, listDir, iniPath ? iniPath : "", productName ? productName : "", mayChange);
    } catch (...) {
        // Out of memory: no exception may cross the interface, and the setup cannot go on.
        return false;
    }
}
