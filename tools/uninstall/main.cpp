// UnZembra.exe: the uninstaller. It lies in the list folder of an installed product, beside the list
// of installed files "UnZembra.ini" and the product record "UnZembra.dat".
//
//   UnZembra.exe                       asks, removes the product with a progress window, tells the result
//   UnZembra.exe /auto [/quiet]        no question; /quiet: no window at all (/quiet alone means the same)
//   UnZembra.exe /register             enters the product in the system's list of installed programs
//   ... /log="FILE"                    appends what happens to FILE
#include "framework/CommandLine.h"
#include "tools/common/LogLine.h"
#include "tools/common/RunLog.h"
#include "tools/common/RunningProgram.h"
#include "tools/common/RunSwitches.h"
#include "tools/uninstall/Registration.h"
#include "tools/uninstall/Uninstaller.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    zembra::NarrowDllSearch();  // no DLL from the product folder or the current one

    const ULONGLONG started = GetTickCount64();
    const char* tail = CommandLineTail(GetCommandLineA());
    const zembra::RunSwitches switches = zembra::ParseRunSwitches(tail);
    const zembra::RunLog log(switches.logFile, "UnZembra.exe");
    zembra::UninstallCall call;
    call.program = zembra::ProgramPath();
    call.listFolder = call.program.substr(0, call.program.find_last_of('\\') + 1);
    // Nobody would want a silent run that still asks: /quiet alone is /auto /quiet.
    call.quiet = switches.quiet || switches.quietWithoutAuto;
    call.automatic = switches.automatic || call.quiet;
    log.Write(std::string("Start: ") + call.program + " " + tail);
    // The product folder must not be held open by this process while it is removed.
    char system[MAX_PATH + 1] = {};
    if (GetSystemDirectoryA(system, MAX_PATH)) SetCurrentDirectoryA(system);

    int code = zembra::kRunFailed;
    if (!switches.problem.empty()) {
        const std::string text = "Ungültiger Aufruf: " + switches.problem +
                                 "\n\nAufruf: UnZembra.exe [/auto [/quiet]] [/log=DATEI]";
        log.Write("Meldung" + std::string(call.quiet ? " (nicht gezeigt)" : "") + ": " + text);
        if (!call.quiet) MessageBoxA(nullptr, text.c_str(), "Deinstallation", MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
    } else if (zembra::HasWord(switches.others, "/register")) {
        code = zembra::RunRegistration(call.listFolder, log);
    } else {
        code = zembra::RunUninstall(call, log);
    }
    log.Write(zembra::EndOfRunText(code, GetTickCount64() - started));
    return code;
}
