// What the extractor says, in its boxes and its log lines.
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class StartText {
    Usage,
    NoPackageAttached,
    PackageIncomplete,
    PackageDamaged,
    PackageUnsealed,
    PackageUnreadable,
    HashFailed,
    PathTooLong,
    OpenFailed,
    PackageNameUnusable,
    WorkFolderUnusable,
    SealIntact,
    SetupProgramMissing,
    RuntimeMissing,
    TempFolderUnknown,
    WorkFolderFailed,
    WorkFolder,
    RuntimeUnpackFailed,
    RuntimeLoadFailed,
    RuntimeMismatch,
    SetupFilesIncomplete,
    FilesMissing,
    HandOverFailed,
    SetupStarted,
    SetupEnded,
    SetupStartFailed,
    LockUnreadable,
    LockHeld,
    LockHeldMessage,
    LockFailed,
    PackageQuoteOpen,
    PackageBlankMissing,
    PackageNameMissing,
};

const TextTables& StartTextTables();
std::string Text(StartText key, std::initializer_list<std::string> values = {});
// In UTF-8, with values in UTF-8 (names the ANSI code page cannot say).
std::string Utf8Text(StartText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
