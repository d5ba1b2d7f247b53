// What the setup program says beyond the product's numbered texts: its boxes, the overwrite dialog's
// choices, the About box, and its log lines (the run's, each entry's outcome, the folder of /DIR=, the
// list of installed files as the uninstaller reads it too).
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class SetupText {
    InvalidCall,
    InvalidCallBare,
    OwnFolderUnusable,
    RichEditMissing,
    LibraryIncomplete,
    BrowseTitle,
    MissingDrive,
    ChoiceOverwrite,
    ChoiceOverwriteAll,
    ChoiceKeep,
    ChoiceKeepAll,
    ChoiceDismissed,
    AboutMenu,
    AboutCaption,
    AboutVersion,
    AboutText,
    LogProduct,
    StopRights,
    StopNoFolder,
    StopWindowsFolder,
    ChosenFolderUnusable,
    WindowsFolderUnusable,
    TemporaryFolderUnusable,
    StopFolderRefused,
    StopNoPackage,
    Stopped,
    LogInstallTo,
    LogUserCancelled,
    LogCancelledBefore,
    ListRewritten,
    ProgramExited,
    ProgramStarted,
    ProgramNoExitCode,
    ProgramNotStarted,
    ShortcutTargetMissing,
    ShortcutFailed,
    ShortcutMade,
    ShortcutMadeForAll,
    ShortcutFolderUnusable,
    SkippedTemporary,
    SkippedDisabled,
    Installed,
    Scheduled,
    KeptNotNewer,
    KeptChosen,
    NotInstalled,
    ReasonFolder,
    ReasonDrive,
    ReasonInUse,
    ReasonKeyMissing,
    ReasonExpand,
    ReasonCancelled,
    FolderFixed,
    FolderNotFull,
    FolderBadName,
    NameEmpty,
    NameBadCharacter,
    NameTrailingDot,
    NameDevice,
    FolderTooLong,
    FolderNotMade,
    ListEntryUndecodable,
    ListNotFull,
    ListTooLong,
};

const TextTables& SetupTextTables();
std::string Text(SetupText key, std::initializer_list<std::string> values = {});
// In UTF-8, with values in UTF-8 (names the ANSI code page cannot say).
std::string Utf8Text(SetupText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
