// What the uninstaller says: its questions, messages and progress, and its log lines.
#pragma once

#include "framework/LocalText.h"

namespace zembra {

enum class UninstallText {
    InvalidCall,
    Caption,
    NeedsAdministrator,
    RestartElevated,
    ElevatedEnded,
    ElevationRefused,
    ElevationFailed,
    NotRegistered,
    NotEntered,
    EarlierReplaced,
    Registered,
    MoreNames,
    NotRemoved,
    ListMissing,
    NoList,
    RecordMissing,
    ProgramAside,
    ProgramStays,
    ProgramRemovedAfter,
    OwnFolderUnusable,
    Removing,
    KeptReplaced,
    Removed,
    BehindLink,
    WasMissing,
    AtRestart,
    NowFolder,
    RemovingRegistry,
    ValueRemoved,
    ValueRemovedWithKey,
    ValueMissing,
    ValueWithoutRoot,
    EntryStays,
    EntryRemoved,
    EntryMissing,
    EmptyKeyRemoved,
    FolderRemoved,
    LinkRemoved,
    FolderMissing,
    FolderGone,
    FolderAtRestart,
    FolderKeptFiles,
    FolderKeptFolders,
    LinkStays,
    TheProduct,
    TheProductInside,
    RemovedWhole,
    RemovedInPart,
    RestartDue,
    FoldersKept,
    LogProduct,
    Ask,
    ProgressTitle,
};

const TextTables& UninstallTextTables();
std::string Text(UninstallText key, std::initializer_list<std::string> values = {});
// In UTF-8, with values in UTF-8 (names the ANSI code page cannot say).
std::string Utf8Text(UninstallText key, std::initializer_list<std::string> values = {});

}  // namespace zembra
