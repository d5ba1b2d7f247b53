// UnZembra.exe: the uninstaller. It lies in the list folder of an installed product, beside the list
// of installed files "UnZembra.ini" and the product record "UnZembra.dat".
//
//   UnZembra.exe                       asks, removes the product with a progress window, tells the result
//   UnZembra.exe /auto [/quiet]        no question; /quiet: no window at all (/quiet alone means the same)
//   UnZembra.exe /register             enters the product in the system's list of installed programs
//   ... /log="FILE"                    appends what happens to FILE
//
// Without elevation for a product entered for all users (HKLM) it starts itself again elevated. A copy
// of its own, started with /cleanup, removes its parked program file after it (ParkedCopy.h).
#include "framework/CommandLine.h"
#include "framework/MessageBox.h"
#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/ProductRecord.h"
#include "run/LanguageChoice.h"
#include "run/LogLine.h"
#include "run/RunMessages.h"
#include "run/RunSwitches.h"
#include "run/RunTexts.h"
#include "run/RunningProgram.h"
#include "tools/uninstall/ElevatedRestart.h"
#include "tools/uninstall/ParkedCopy.h"
#include "tools/uninstall/Registration.h"
#include "tools/uninstall/UninstallTexts.h"
#include "tools/uninstall/Uninstaller.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    zembra::NarrowDllSearch(zembra::DllSearch::SystemFolder);  // no DLL from the product folder or the current one

    const ULONGLONG started = GetTickCount64();
    const std::string commandLine = zembra::CommandLineUtf8();
    const char* tail = CommandLineTail(commandLine.c_str());
    zembra::RunSwitches switches = zembra::ParseRunSwitches(tail);
    if (zembra::HasWord(switches.others, zembra::kCleanupSwitch)) return zembra::RunCleanup(switches.others);
    zembra::UninstallCall call;
    const zembra::AnsiPathChoice program = zembra::ProgramPathChoice();
    call.program = program.path;
    call.listFolder = call.program.substr(0, call.program.find_last_of('\\') + 1);
    // The product's languages are in its record; a record written before them has none: German. A
    // missing record is told of later, in that language.
    zembra::ProductRecord record;
    const std::string recordPath = call.listFolder + zembra::kProductRecordName;
    if (GetFileAttributesA(recordPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        zembra::ReadProductRecord(recordPath, &record);
    const zembra::LanguageChoice language =
        zembra::ChooseLanguage(record.languages, GetUserDefaultUILanguage(), switches.language);
    switches = zembra::ParseRunSwitches(tail);  // its problem in the run's language
    // Nobody would want a silent run that still asks: /quiet alone is /auto /quiet.
    call.quiet = switches.quiet || switches.quietWithoutAuto;
    call.automatic = switches.automatic || call.quiet;
    zembra::RunMessages messages(call.quiet, zembra::RunLog(switches.logFile, "UnZembra.exe"));
    SetMessageBoxHook(&zembra::RunMessages::FrameworkMessage, &messages);  // the profile's boxes
    messages.Log().WriteUtf8(zembra::Utf8Text(zembra::RunText::LogStart,
                                              {zembra::WideToUtf8(zembra::ModuleFileName(nullptr)) + " " + tail}));
    if (!language.note.empty()) messages.Log().Write(language.note);
    // The product folder must not be held open by this process while it is removed.
    const std::string system = zembra::SystemFolderPath().path;
    if (!system.empty()) SetCurrentDirectoryA(system.c_str());

    int code = zembra::kRunFailed;
    const std::string caption = zembra::Text(zembra::UninstallText::Caption);
    if (program.form == zembra::AnsiPathForm::None) {
        // The list names its files in ANSI forms only; their folder must have one too.
        messages.ShowUtf8(nullptr, zembra::Utf8Text(zembra::UninstallText::OwnFolderUnusable, {program.problem}),
                          caption.c_str(), MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST, IDOK, true);
    } else if (!switches.problem.empty()) {
        messages.Show(nullptr, zembra::Text(zembra::UninstallText::InvalidCall, {switches.problem}), caption.c_str(),
                      MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST, IDOK, true);
    } else if (zembra::HasWord(switches.others, "/register")) {
        code = zembra::RunRegistration(call.listFolder, messages.Log());
    } else {
        const zembra::ElevationChoice choice = zembra::ElevationFor(
            call.listFolder, call.quiet, zembra::HasWord(switches.others, zembra::kRestartedSwitch));
        if (choice == zembra::ElevationChoice::RunHere) code = zembra::RunUninstall(call, messages);
        else code = zembra::RestartElevated(choice, call.program, tail, messages);
    }
    messages.Log().Write(zembra::EndOfRunText(code, GetTickCount64() - started));
    SetMessageBoxHook(nullptr, nullptr);
    return code;
}
