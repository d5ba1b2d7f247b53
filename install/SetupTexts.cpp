#include "install/SetupTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(SetupText::name)

const LocalText kGerman[] = {
    {K(InvalidCall), "Ungültiger Aufruf: [1]\n\nAufruf: [2] [/auto [/quiet]] [/log=DATEI] [/DIR=ORDNER]"},
    {K(InvalidCallBare), "Ungültiger Aufruf"},
    {K(OwnFolderUnusable), "Das Setup-Programm kann seinen eigenen Ordner nicht verwenden.\n\n[1]"},
    {K(RichEditMissing), "RICHEDXX.Dll konnte nicht geladen werden"},
    {K(LibraryIncomplete), "Der Laufzeitbibliothek zembra1.dll fehlt [1]. Es wurde nichts installiert."},
    {K(BrowseTitle), "Wählen Sie das Ziel-Verzeichnis"},
    {K(MissingDrive), "Achtung!!!!\nEs gibt kein Laufwerk\nmit dem Namen: '[1]' !\nVorgang abbrechen?"},
    {K(ChoiceOverwrite), "Überschreiben"},
    {K(ChoiceOverwriteAll), "Alle überschreiben"},
    {K(ChoiceKeep), "Nicht überschreiben"},
    {K(ChoiceKeepAll), "Alle nicht überschreiben"},
    {K(ChoiceDismissed), "keine, also Überschreiben"},
    {K(AboutMenu), "Inf&o über NyZembraSetup..."},
    {K(AboutCaption), "Info über NyZembraSetup"},
    {K(AboutVersion), "NyZembraSetup Version 1.x"},
    {K(AboutText), "Installiert Programme aus einem Zembra-Paket."},
    {K(LogProduct), "Produkt: [1], Paket: [2]"},
    {K(StopRights), "Dem Benutzer fehlen die verlangten Rechte (SecurityNTAuthority=[1])"},
    {K(StopNoFolder), "Der Installationsordner lässt sich nicht bestimmen"},
    {K(StopWindowsFolder), "Der Windows-Ordner hat keine ANSI-Form"},
    {K(ChosenFolderUnusable), "Dieser Ordner lässt sich nicht als Installationsordner verwenden.\n\n[1]"},
    {K(WindowsFolderUnusable), "Der Windows-Ordner lässt sich nicht verwenden.\n\n[1]"},
    {K(TemporaryFolderUnusable), "Der temporäre Ordner lässt sich nicht als Installationsordner verwenden.\n\n[1]"},
    {K(StopFolderRefused), "Der Installationsordner hinter /DIR= wird abgelehnt"},
    {K(StopNoPackage), "Das Installationspaket fehlt: [1]"},
    {K(Stopped), "[1]. Es wurde nichts installiert."},
    {K(LogInstallTo), "Installation nach [1]"},
    {K(LogUserCancelled), "Die Installation wurde vom Benutzer abgebrochen."},
    {K(LogCancelledBefore), "Vom Benutzer vor der Installation abgebrochen."},
    {K(ListRewritten), "Die Liste im temporären Ordner wird neu geschrieben, eine vorhandene nicht übernommen: [1]"},
    {K(ProgramExited), "Programm beendet mit Exitcode [1]: [2]"},
    {K(ProgramStarted), "Programm gestartet: [1]"},
    {K(ProgramNoExitCode), "Programm ließ sich nicht starten oder gab keinen Exitcode: [1]"},
    {K(ProgramNotStarted), "Programm ließ sich nicht starten: [1]"},
    {K(ShortcutTargetMissing), "Verknüpfung nicht angelegt, ihr Ziel fehlt: [1] ([2])"},
    {K(ShortcutFailed), "Verknüpfung nicht angelegt ([1]): [2]"},
    {K(ShortcutMade), "Verknüpfung angelegt: [1] -> [2]"},
    {K(ShortcutMadeForAll), "Verknüpfung angelegt (für alle Benutzer): [1] -> [2]"},
    {K(ShortcutFolderUnusable), "Verknüpfungen nicht angelegt, ihr Ordner lässt sich nicht verwenden: [1]"},
    {K(SkippedTemporary), "Nicht in den temporären Ordner gelegt, dort kann jeder Benutzer schreiben: [1]"},
    {K(SkippedDisabled), "Eintrag PFile[1] übergangen, er ist nicht zur Installation bestimmt"},
    {K(Installed), "Installiert ([1] Bytes): [2]"},
    {K(Scheduled), "In Gebrauch, wird beim nächsten Neustart ersetzt: [1]"},
    {K(KeptNotNewer), "Beibehalten, die vorhandene Datei ist gleich alt oder neuer: [1]"},
    {K(KeptChosen), "Beibehalten, nicht überschrieben: [1]"},
    {K(NotInstalled), "Nicht installiert, [1]: [2]"},
    {K(ReasonFolder), "der Ordner lässt sich nicht anlegen"},
    {K(ReasonDrive), "das Laufwerk fehlt, die Installation wurde beendet"},
    {K(ReasonInUse), "die Datei ist in Gebrauch (Fehlercode [1])"},
    {K(ReasonKeyMissing), "das Paket enthält [1] nicht"},
    {K(ReasonExpand), "[1] ließ sich nicht entpacken (Fehlercode [2])"},
    {K(ReasonCancelled), "die Installation wurde abgebrochen"},
    {K(FolderFixed), "Dieses Paket erlaubt keinen anderen Installationsordner (PathChange=0): [1]"},
    {K(FolderNotFull), "Der Ordner hinter /DIR= ist kein vollständiger Pfad (ein Laufwerk wie C:\\ oder ein "
                       "Netzwerkpfad wie \\\\Server\\Freigabe): [1]"},
    {K(FolderBadName), "Der Ordner hinter /DIR= [1]: [2]"},
    {K(NameEmpty), "enthält einen leeren Namen, \".\" oder \"..\""},
    {K(NameBadCharacter), "enthält ein Zeichen, das Windows in Namen nicht erlaubt"},
    {K(NameTrailingDot), "enthält einen Namen, der mit einem Punkt oder Leerzeichen endet"},
    {K(NameDevice), "enthält einen Gerätenamen (CON, NUL, COM1 ...)"},
    {K(FolderTooLong), "Der Ordner hinter /DIR= ist länger als die [1] Zeichen, die ein Ordner haben darf: [2]"},
    {K(FolderNotMade), "Der Ordner hinter /DIR= lässt sich nicht anlegen ([1]): [2]"},
    {K(ListEntryUndecodable), "Eintrag [1] der Liste lässt sich nicht entschlüsseln und wird übersprungen."},
    {K(ListNotFull), "[1]: kein vollständiger Pfad, übersprungen."},
    {K(ListTooLong), "[1]: länger als die [2] Zeichen, die das System erlaubt, übersprungen."},
};

const LocalText kEnglish[] = {
    {K(InvalidCall), "Invalid call: [1]\n\nUsage: [2] [/auto [/quiet]] [/log=FILE] [/DIR=FOLDER]"},
    {K(InvalidCallBare), "Invalid call"},
    {K(OwnFolderUnusable), "The setup program cannot use its own folder.\n\n[1]"},
    {K(RichEditMissing), "RICHEDXX.Dll could not be loaded"},
    {K(LibraryIncomplete), "The runtime library zembra1.dll lacks [1]. Nothing was installed."},
    {K(BrowseTitle), "Choose the target folder"},
    {K(MissingDrive), "Attention!\nThere is no drive\nnamed '[1]'!\nCancel the installation?"},
    {K(ChoiceOverwrite), "Overwrite"},
    {K(ChoiceOverwriteAll), "Overwrite all"},
    {K(ChoiceKeep), "Do not overwrite"},
    {K(ChoiceKeepAll), "Overwrite none"},
    {K(ChoiceDismissed), "none, so Overwrite"},
    {K(AboutMenu), "&About NyZembraSetup..."},
    {K(AboutCaption), "About NyZembraSetup"},
    {K(AboutVersion), "NyZembraSetup Version 1.x"},
    {K(AboutText), "Installs programs from a Zembra package."},
    {K(LogProduct), "Product: [1], package: [2]"},
    {K(StopRights), "The user lacks the required rights (SecurityNTAuthority=[1])"},
    {K(StopNoFolder), "The installation folder cannot be determined"},
    {K(StopWindowsFolder), "The Windows folder has no ANSI form"},
    {K(ChosenFolderUnusable), "This folder cannot be used as the installation folder.\n\n[1]"},
    {K(WindowsFolderUnusable), "The Windows folder cannot be used.\n\n[1]"},
    {K(TemporaryFolderUnusable), "The temporary folder cannot be used as the installation folder.\n\n[1]"},
    {K(StopFolderRefused), "The installation folder after /DIR= is refused"},
    {K(StopNoPackage), "The installation package is missing: [1]"},
    {K(Stopped), "[1]. Nothing was installed."},
    {K(LogInstallTo), "Installation into [1]"},
    {K(LogUserCancelled), "The installation was cancelled by the user."},
    {K(LogCancelledBefore), "Cancelled by the user before the installation."},
    {K(ListRewritten), "The list in the temporary folder is written anew; an existing one is not taken over: [1]"},
    {K(ProgramExited), "Program ended with exit code [1]: [2]"},
    {K(ProgramStarted), "Program started: [1]"},
    {K(ProgramNoExitCode), "Program could not be started or gave no exit code: [1]"},
    {K(ProgramNotStarted), "Program could not be started: [1]"},
    {K(ShortcutTargetMissing), "Shortcut not created, its target is missing: [1] ([2])"},
    {K(ShortcutFailed), "Shortcut not created ([1]): [2]"},
    {K(ShortcutMade), "Shortcut created: [1] -> [2]"},
    {K(ShortcutMadeForAll), "Shortcut created (for all users): [1] -> [2]"},
    {K(ShortcutFolderUnusable), "Shortcuts not created, their folder cannot be used: [1]"},
    {K(SkippedTemporary), "Not placed in the temporary folder, where every user may write: [1]"},
    {K(SkippedDisabled), "Entry PFile[1] passed over, it is not meant to be installed"},
    {K(Installed), "Installed ([1] bytes): [2]"},
    {K(Scheduled), "In use, replaced at the next restart: [1]"},
    {K(KeptNotNewer), "Kept, the existing file is as old or newer: [1]"},
    {K(KeptChosen), "Kept, not overwritten: [1]"},
    {K(NotInstalled), "Not installed, [1]: [2]"},
    {K(ReasonFolder), "the folder cannot be created"},
    {K(ReasonDrive), "the drive is missing, the installation was ended"},
    {K(ReasonInUse), "the file is in use (error code [1])"},
    {K(ReasonKeyMissing), "the package does not contain [1]"},
    {K(ReasonExpand), "[1] could not be unpacked (error code [2])"},
    {K(ReasonCancelled), "the installation was cancelled"},
    {K(FolderFixed), "This package allows no other installation folder (PathChange=0): [1]"},
    {K(FolderNotFull), "The folder after /DIR= is no full path (a drive such as C:\\ or a network path such as "
                       "\\\\server\\share): [1]"},
    {K(FolderBadName), "The folder after /DIR= [1]: [2]"},
    {K(NameEmpty), "holds an empty name, \".\" or \"..\""},
    {K(NameBadCharacter), "holds a character Windows does not allow in names"},
    {K(NameTrailingDot), "holds a name that ends with a dot or a blank"},
    {K(NameDevice), "holds a device name (CON, NUL, COM1 ...)"},
    {K(FolderTooLong), "The folder after /DIR= is longer than the [1] characters a folder may have: [2]"},
    {K(FolderNotMade), "The folder after /DIR= cannot be created ([1]): [2]"},
    {K(ListEntryUndecodable), "Entry [1] of the list cannot be decoded and is skipped."},
    {K(ListNotFull), "[1]: no full path, skipped."},
    {K(ListTooLong), "[1]: longer than the [2] characters the system allows, skipped."},
};

#undef K

const TextTables kTables = MakeTextTables("setup", kGerman, kEnglish);

}  // namespace

const TextTables& SetupTextTables() { return kTables; }

std::string Text(SetupText key, std::initializer_list<std::string> values) {
    return FillMarkers(LookUpText(kTables, static_cast<int>(key)), values);
}

std::string Utf8Text(SetupText key, std::initializer_list<std::string> values) {
    return FillMarkersUtf8(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
