#include "tools/uninstall/ElevatedRestart.h"

#include "framework/HandleOwner.h"
#include "framework/SystemLibrary.h"
#include "framework/WideText.h"
#include "install/ProductRecord.h"
#include "run/RunSwitches.h"
#include "run/SystemErrorText.h"
#include "tools/uninstall/ProductRegistry.h"
#include "tools/uninstall/UninstallTexts.h"

#include <windows.h>
#include <shellapi.h>

namespace zembra {
namespace {


// program with parameters through "runas", waited for: true with its exit code; false with the
// system's code (ERROR_CANCELLED: the user refused the prompt).
bool RunAs(const std::string& program, const std::string& parameters, DWORD* exitCode, DWORD* error) {
    // shell32.dll only for this, from the system folder: the uninstaller's own imports need no search.
    const SystemLibrary shell("shell32.dll");
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    const auto execute = shell.Function<ShellExecuteExFn>("ShellExecuteExW");
    if (!execute) {
        *error = shell.Code() ? shell.Code() : ERROR_PROC_NOT_FOUND;
        return false;
    }
    // Wide, so that a name outside the ANSI code page in the switches (/log=) arrives whole.
    const std::wstring file = AnsiToWide(program), arguments = Utf8ToWide(parameters);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!execute(&info)) {
        *error = GetLastError();
        return false;
    }
    const Win32Handle process(info.hProcess);
    if (!process.IsValid()) {
        *error = ERROR_INVALID_HANDLE;
        return false;
    }
    if (WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), exitCode)) {
        *error = GetLastError();
        return false;
    }
    return true;
}

}  // namespace

ElevationChoice ElevationFor(const std::string& listFolder, bool quiet, bool restarted) {
    TokenFacts token;
    unsigned long error = 0;
    if (!ReadProcessToken(&token, &error)) return ElevationChoice::RunHere;  // its failures will tell
    ProductRecord record;  // without one, the entry is the list folder's
    ReadProductRecord(listFolder + kProductRecordName, &record);
    return ChooseElevation(token, UninstallEntryUnderLocalMachine(UninstallKey(record, listFolder)), quiet, restarted);
}

int RestartElevated(ElevationChoice choice, const std::string& program, const std::string& tail,
                    RunMessages& messages) {
    const RunLog& log = messages.Log();
    if (choice == ElevationChoice::CannotAsk) {
        messages.Show(nullptr, Text(UninstallText::NeedsAdministrator), Text(UninstallText::Caption).c_str(),
                      MB_OK | MB_ICONHAND | MB_TOPMOST, IDOK, true);
        return kRunFailed;
    }
    // The restarted run writes to the same log, named in full: its current folder is another.
    const std::string switches = log.Enabled() ? WithLogFile(tail.c_str(), log.Path()) : tail;
    const std::string parameters = switches.empty() ? std::string(kRestartedSwitch) : switches + " " + kRestartedSwitch;
    log.WriteUtf8(Utf8Text(UninstallText::RestartElevated, {AnsiAsUtf8(program + " ") + parameters}));
    DWORD code = 0, error = 0;
    if (RunAs(program, parameters, &code, &error)) {
        log.Write(Text(UninstallText::ElevatedEnded, {std::to_string(code)}));
        return static_cast<int>(code);
    }
    if (error == ERROR_CANCELLED) {
        log.Write(Text(UninstallText::ElevationRefused));
        return kRunCancelled;
    }
    messages.Show(nullptr, Text(UninstallText::ElevationFailed, {program, SystemErrorText(error)}),
                  Text(UninstallText::Caption).c_str(), MB_OK | MB_ICONHAND | MB_TOPMOST, IDOK, true);
    return kRunFailed;
}

}  // namespace zembra
