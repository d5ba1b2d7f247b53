#include "tools/uninstall/Registration.h"

#include "framework/AnsiText.h"
#include "install/FileList.h"
#include "install/ProductRecord.h"
#include "profile/CProfileDocument.h"
#include "run/RunSwitches.h"
#include "run/SystemErrorText.h"
#include "tools/uninstall/ProductRegistry.h"
#include "tools/uninstall/UninstallTexts.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace zembra {
namespace {

bool EndsWithNoCase(const std::string& text, const char* end) {
    const size_t length = std::strlen(end);
    return text.size() >= length && AnsiCompareNoCase(text.substr(text.size() - length).c_str(), end) == 0;
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[16];
    std::snprintf(date, sizeof date, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return date;
}

}  // namespace

int RunRegistration(const std::string& listFolder, const RunLog& log) {
    unsigned long error = 0;
    ListedNames list;
    ProductRecord record;
    const std::string recordPath = listFolder + kProductRecordName, listPath = listFolder + kInstalledListName;
    CProfileDocument listDocument;
    listDocument.SetPath(listPath.c_str());
    for (const std::string& path : {recordPath, listPath})
        if (!error && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) error = GetLastError();
    if (error || !ReadProductRecord(recordPath, &record) || !listDocument.Load() ||
        !ReadRemovalList(listDocument, &list)) {
        log.Write(Text(UninstallText::NotRegistered, {recordPath, listPath, SystemErrorText(error)}));
        return kRunFailed;
    }
    const std::string uninstaller = listFolder + kUninstallerName;
    UninstallEntry entry;
    entry.key = UninstallKey(record, listFolder);
    entry.displayName = record.name;
    entry.displayVersion = record.version;
    entry.publisher = record.publisher;
    entry.installLocation = listFolder.substr(0, listFolder.size() - 1);
    entry.uninstallString = "\"" + uninstaller + "\"";
    entry.quietUninstallString = entry.uninstallString + " /auto /quiet";
    entry.installDate = Today();
    // The product's first program shows its icon in the list; the uninstaller's own stands in.
    entry.displayIcon = uninstaller;
    unsigned long long bytes = 0;
    bool iconFound = false;
    for (const std::string& file : list.files) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) continue;
        bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!iconFound && EndsWithNoCase(file, ".exe") && AnsiCompareNoCase(file.c_str(), uninstaller.c_str()) != 0) {
            entry.displayIcon = file;
            iconFound = true;
        }
    }
    entry.estimatedSizeKb = static_cast<unsigned long>((bytes + 1023) / 1024);
    std::string where;
    if (!WriteUninstallEntry(entry, &where, &error)) {
        log.Write(Text(UninstallText::NotEntered, {SystemErrorText(error), record.name}));
        return kRunFailed;
    }
    // An earlier version without an AppId entered this folder under the folder's own key.
    std::string earlier;
    if (entry.key != UninstallKeyName(listFolder) &&
        RemoveUninstallEntry(UninstallKeyName(listFolder), &earlier, &error) == Removal::Removed)
        log.Write(Text(UninstallText::EarlierReplaced, {earlier}));
    log.Write(Text(UninstallText::Registered,
                   {where + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + entry.key,
                    record.name + " " + record.version, std::to_string(entry.estimatedSizeKb)}));
    return kRunSucceeded;
}

}  // namespace zembra
