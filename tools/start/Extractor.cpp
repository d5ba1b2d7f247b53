#include "tools/start/Extractor.h"

#include "archive/PackageDirectory.h"
#include "archive/PackageFile.h"
#include "archive/PackageKeys.h"
#include "archive/PackageSeal.h"
#include "archive/PeImage.h"
#include "archive/SetupFiles.h"
#include "archive/Sha256.h"
#include "archive/ZembraApi.h"
#include "framework/CommandLine.h"
#include "framework/HandleOwner.h"
#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "run/LanguageChoice.h"
#include "run/LogLine.h"
#include "run/RunLog.h"
#include "run/RunSwitches.h"
#include "run/RunTexts.h"
#include "run/RunningProgram.h"
#include "run/RuntimeLibrary.h"
#include "run/WorkFolder.h"
#include "tools/start/RuntimeUnpack.h"
#include "tools/start/SetupLockHold.h"
#include "tools/start/StartCommandLine.h"
#include "tools/start/StartMessages.h"
#include "tools/start/StartTexts.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace zembra {
namespace {

constexpr size_t kMaxPackagePath = MAX_PATH - 1;  // what the library and "ny.tmp" hold
constexpr uint32_t kHeadBytes = 4096;

std::string Usage() { return Text(StartText::Usage, {ProgramName()}); }

// The languages the product speaks ("de,en"), from its entry LANG; empty when it has none (German alone).
std::string PackageLanguages(PackageSource& source, const PackageDirectory& directory) {
    uint32_t size = 0;
    const uint32_t offset = directory.Find(kLanguagesKey, &size);
    std::string text(offset != 0 && size <= kMaxLanguagesSize ? size : 0, '\0');
    if (text.empty() || !source.ReadAt(offset, &text[0], size)) return std::string();
    return text;
}

// Whether anything was appended behind the program's own image (a signature aside): then a missing
// marker means a cut installer rather than the bare extractor.
bool HasAppendedBytes(PackageSource& self) {
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(kHeadBytes, self.Size())));
    if (head.empty() || !self.ReadAt(0, head.data(), static_cast<uint32_t>(head.size()))) return true;
    PeImage image;
    std::string error;
    if (!ParsePeHeaders(head.data(), head.size(), &image, &error)) return true;
    return PackageEnd(self) > image.imageEnd;
}

int PackageProblem(RunMessages& messages, SealStatus status, const std::string& package, bool named, PackageSource& source) {
    switch (status) {
        case SealStatus::NotAPackage:
            if (!named && !HasAppendedBytes(source))
                return StopWithMessage(messages, Text(StartText::NoPackageAttached, {Usage()}), kStartBadCall);
            return StopWithMessage(messages, Text(StartText::PackageIncomplete, {package}), kStartPackageDamaged);
        case SealStatus::Damaged:
        case SealStatus::Mismatch:
            return StopWithMessage(messages, Text(StartText::PackageDamaged, {package}), kStartPackageDamaged);
        case SealStatus::Unsealed:
            return StopWithMessage(messages, Text(StartText::PackageUnsealed, {package}), kStartPackageDamaged);
        case SealStatus::ReadFailed:
            return StopWithMessage(messages, Text(StartText::PackageUnreadable, {package}), kStartPackageUnreadable);
        case SealStatus::HashFailed: {
            std::string why;
            Sha256::Available(&why);
            return StopWithMessage(messages, Text(StartText::HashFailed, {package, why.empty() ? "" : "\n\n" + why}),
                                   kStartPackageUnreadable);
        }
        case SealStatus::Intact:
            break;
    }
    return 0;
}

// zembra1.dll, loaded from the working folder, with the exports the extractor calls.
class ExtractorRuntime {
public:
    ~ExtractorRuntime() { Release(); }
    bool Load(const std::string& path, unsigned long* error) {
        if (!m_library.Load(path, error)) return false;
        init = m_library.Function<PFN_ZEMBRA_Init>("ZEMBRA_Init");
        exit = m_library.Function<PFN_ZEMBRA_Exit>("ZEMBRA_Exit");
        // Optional: an older library shows its boxes itself.
        setMessageHandler = m_library.Function<PFN_ZEMBRA_SetMessageHandler>("ZEMBRA_SetMessageHandler");
        setLanguage = m_library.Function<PFN_ZEMBRA_SetLanguage>("ZEMBRA_SetLanguage");
        return true;
    }
    // ZEMBRA_Exit empties the folder, but cannot delete the library itself while it is loaded.
    void Release() {
        if (m_initialised && exit) exit();
        m_initialised = false;
        m_library.Free();
    }
    void MarkInitialised() { m_initialised = true; }

    PFN_ZEMBRA_Init init = nullptr;
    PFN_ZEMBRA_Exit exit = nullptr;
    PFN_ZEMBRA_SetMessageHandler setMessageHandler = nullptr;
    PFN_ZEMBRA_SetLanguage setLanguage = nullptr;

private:
    RuntimeLibrary m_library;
    bool m_initialised = false;
};

// An empty file made where nothing was: what is written into it afterwards is this run's alone.
bool CreateNewFile(const std::string& path) {
    return Win32Handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr))
        .IsValid();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The setup files the package carries that are not in the folder. The library writes a file only when
// it is whole, so one that is there arrived complete.
std::string MissingSetupFiles(const PackageDirectory& directory, const std::string& folder) {
    std::string missing;
    for (const SetupFile& file : kSetupFiles) {
        uint32_t size = 0;
        if (directory.Find(file.key, &size) != 0 && !FileExists(folder + file.fileName))
            missing += (missing.empty() ? "" : ", ") + std::string(file.fileName);
    }
    return missing;
}

// Starts the setup program with the tail (UTF-8) and waits for it; false with a system error code. The
// wide call hands a name outside the ANSI code page in the tail on whole.
bool RunSetupProgram(const std::string& folder, const std::string& tail, DWORD* exitCode, DWORD* error) {
    const std::wstring program = AnsiToWide(folder + "Zembra.exe");
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!tail.empty()) commandLine += L" " + Utf8ToWide(tail);
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        AnsiToWide(folder).c_str(), &startup, &process)) {
        *error = GetLastError();
        return false;
    }
    const Win32Handle thread(process.hThread), started(process.hProcess);
    const bool ok = WaitForSingleObject(started.Get(), INFINITE) == WAIT_OBJECT_0 &&
                    GetExitCodeProcess(started.Get(), exitCode);
    if (!ok) *error = GetLastError();
    return ok;
}

// The extractor's run after the start is logged; messages shows or, quiet, only logs its stops.
int Extract(const StartCall& call, RunMessages& messages) {
    const RunLog& log = messages.Log();
    if (!call.error.empty()) return StopWithMessage(messages, call.error + "\n\n" + Usage(), kStartBadCall);

    // The library and "ny.tmp" take the package by its ANSI form.
    const AnsiPathChoice named =
        call.packageGiven ? AnsiPathOf(FullPathName(Utf8ToWide(call.package))) : ProgramPathChoice();
    if (named.form == AnsiPathForm::None)
        return StopWithUtf8Message(messages, Utf8Text(StartText::PackageNameUnusable, {named.problem}),
                                   kStartPackageUnreadable);
    const std::string& package = named.path;
    if (package.empty() || package.size() > kMaxPackagePath)
        return StopWithMessage(messages, Text(StartText::PathTooLong, {package}), kStartPackageUnreadable);

    // Checked before anything is unpacked, and held so that nobody can change it afterwards.
    PackageFile source;
    unsigned long error = 0;
    if (!source.Open(package.c_str(), PackageFile::Sharing::WriteDenied, &error))
        return StopWithMessage(messages, Text(StartText::OpenFailed, {package, SystemErrorText(error)}),
                               kStartPackageUnreadable);
    // The language comes first, so that even a damaged package is reported in it.
    PackageDirectory directory;
    const bool listed = directory.Load(source, package.c_str());
    const LanguageChoice language =
        ChooseLanguage(listed ? PackageLanguages(source, directory) : std::string(), GetUserDefaultUILanguage(),
                       ParseRunSwitches(call.setupTail.c_str()).language);
    if (!language.note.empty()) log.Write(language.note);
    const SealStatus status = CheckPackageSeal(source);
    if (status != SealStatus::Intact) return PackageProblem(messages, status, package, call.packageGiven, source);
    log.Write(Text(StartText::SealIntact, {package}));
    if (!listed) return PackageProblem(messages, SealStatus::Damaged, package, call.packageGiven, source);
    uint32_t size = 0;
    if (directory.Find(kSetupProgramKey, &size) == 0)
        return StopWithMessage(messages, Text(StartText::SetupProgramMissing, {package}), kStartPackageDamaged);
    const uint32_t runtimeOffset = directory.Find(kRuntimeKey, &size);
    if (runtimeOffset == 0)
        return StopWithMessage(messages, Text(StartText::RuntimeMissing, {kRuntimeFileName, package}),
                               kStartPackageDamaged);

    // Held until the end: a second start of the product stops here, before anything is unpacked.
    Win32Handle lock;
    if (const int running = TakeSetupLock(source, directory, messages, &lock)) return running;

    // An elevated run works in the system's temporary folder, else in the user's (run/WorkFolderGuard.h).
    WorkFolder folder;
    std::string root, problem;
    if (!folder.Create(&root, &error, &problem)) {
        if (!problem.empty())
            return StopWithUtf8Message(messages, Utf8Text(StartText::WorkFolderUnusable, {problem}),
                                       kStartNoWorkFolder);
        if (root.empty())
            return StopWithMessage(messages, Text(StartText::TempFolderUnknown, {SystemErrorText(error)}),
                                   kStartNoWorkFolder);
        return StopWithMessage(messages, Text(StartText::WorkFolderFailed, {root, SystemErrorText(error)}),
                               kStartNoWorkFolder);
    }
    log.Write(Text(StartText::WorkFolder, {folder.Path()}));
    const std::string runtimePath = folder.Path() + kRuntimeFileName;
    if (!UnpackEntryTo(source, runtimeOffset, runtimePath, &error))
        return StopWithMessage(messages, Text(StartText::RuntimeUnpackFailed, {runtimePath, SystemErrorText(error)}),
                               kStartUnpackFailed);

    ExtractorRuntime runtime;
    if (!runtime.Load(runtimePath, &error))
        return StopWithMessage(messages, Text(StartText::RuntimeLoadFailed, {runtimePath, SystemErrorText(error)}),
                               kStartUnpackFailed);
    if (!runtime.init || !runtime.exit)
        return StopWithMessage(messages, Text(StartText::RuntimeMismatch), kStartUnpackFailed);
    if (runtime.setMessageHandler) runtime.setMessageHandler(&RunMessages::LibraryMessage, &messages);
    if (runtime.setLanguage) runtime.setLanguage(language.code.c_str());

    const int unpacked = runtime.init(package.c_str(), folder.Path().c_str(), 0, 0, 0);
    runtime.MarkInitialised();
    int result = 0;
    const std::string missing = MissingSetupFiles(directory, folder.Path());
    if (unpacked != 0 || !missing.empty()) {
        // The setup program never runs with a cut configuration or without its pages.
        result = StopWithMessage(
            messages,
            Text(StartText::SetupFilesIncomplete,
                 {folder.Path(), missing.empty() ? "" : Text(StartText::FilesMissing, {missing}),
                  unpacked == 0 ? "" : "\n\n" + SystemErrorText(static_cast<unsigned long>(unpacked))}),
            kStartUnpackFailed);
    } else if (!CreateNewFile(folder.Path() + "ny.tmp") ||
               !WritePrivateProfileStringA("PARA", "Setup", package.c_str(), (folder.Path() + "ny.tmp").c_str())) {
        result = StopWithMessage(
            messages, Text(StartText::HandOverFailed, {folder.Path() + "ny.tmp", SystemErrorText(GetLastError())}),
            kStartUnpackFailed);
    } else {
        DWORD exitCode = 0;
        DWORD startError = 0;
        // The setup program runs in the working folder: a relative log name must not lead there.
        const std::string tail = log.Enabled() ? WithLogFile(call.setupTail.c_str(), log.Path()) : call.setupTail;
        log.WriteUtf8(Utf8Text(StartText::SetupStarted, {AnsiAsUtf8(folder.Path() + "Zembra.exe ") + tail}));
        if (RunSetupProgram(folder.Path(), tail, &exitCode, &startError)) {
            result = static_cast<int>(exitCode);
            log.Write(Text(StartText::SetupEnded, {std::to_string(result)}));
        } else
            result = StopWithMessage(
                messages,
                Text(StartText::SetupStartFailed, {folder.Path() + "Zembra.exe", SystemErrorText(startError)}),
                kStartSetupFailed);
    }
    runtime.Release();
    folder.Remove();
    return result;
}

}  // namespace

int RunExtractor(const std::string& commandLine) {
    const ULONGLONG started = GetTickCount64();
    const char* tail = CommandLineTail(commandLine.c_str());
    const StartCall call = ParseStartTail(tail);
    const RunSwitches switches = ParseRunSwitches(call.setupTail.c_str());
    // As for the setup program: /quiet alone is /auto /quiet. A malformed /log is the setup program's
    // to report; there is no log to write it to here.
    RunMessages messages(switches.quiet || switches.quietWithoutAuto, RunLog(switches.logFile, ProgramName()));
    messages.Log().WriteUtf8(Utf8Text(RunText::LogStart, {WideToUtf8(ModuleFileName(nullptr)) + " " + tail}));
    const int code = Extract(call, messages);
    messages.Log().Write(EndOfRunText(code, GetTickCount64() - started));
    return code;
}

}  // namespace zembra
