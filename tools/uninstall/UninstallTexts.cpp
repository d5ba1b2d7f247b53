#include "tools/uninstall/UninstallTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(UninstallText::name)

const LocalText kGerman[] = {
    {K(InvalidCall), "Ungültiger Aufruf: [1]\n\nAufruf: UnZembra.exe [/auto [/quiet]] [/log=DATEI]"},
    {K(Caption), "Deinstallation"},
    {K(NeedsAdministrator),
     "Das Produkt ist für alle Benutzer installiert; zum Entfernen sind Administratorrechte nötig. Ohne Rückfrage "
     "(/quiet) lassen sie sich nicht anfordern. Es wurde nichts entfernt."},
    {K(RestartElevated), "Neustart mit Administratorrechten: [1]"},
    {K(ElevatedEnded), "Das Deinstallationsprogramm mit Administratorrechten endete mit Exitcode [1]"},
    {K(ElevationRefused), "Die Administratorrechte wurden nicht erteilt. Es wurde nichts entfernt."},
    {K(ElevationFailed),
     "Das Deinstallationsprogramm lässt sich nicht mit Administratorrechten starten:\n[1]\n\n[2]\n\nEs wurde nichts "
     "entfernt."},
    {K(NotRegistered), "Nicht eingetragen: [1] oder [2] fehlt oder ist unlesbar ([3])"},
    {K(NotEntered), "Nicht eingetragen ([1]): [2]"},
    {K(EarlierReplaced), "Früheren Eintrag dieses Ordners ersetzt: [1]"},
    {K(Registered), "In die Liste der installierten Programme eingetragen: [1] ([2], [3] KB)"},
    {K(MoreNames), "\n(und [1] weitere)"},
    {K(NotRemoved), "Nicht entfernt ([1]): [2]"},
    {K(ListMissing),
     "Die Liste der installierten Dateien fehlt oder lässt sich nicht lesen:\n[1]\n\n[2]\n\nEs wurde nichts entfernt."},
    {K(NoList), "Die Datei ist keine Liste installierter Dateien:\n[1]\n\nEs wurde nichts entfernt."},
    {K(RecordMissing), "Die Produktbeschreibung [1] fehlt: [2]"},
    {K(ProgramAside), "Das Deinstallationsprogramm läuft weiter aus [1]"},
    {K(ProgramRemovedAfter), "Das Deinstallationsprogramm wird nach seinem Ende aus [1] entfernt."},
    {K(OwnFolderUnusable),
     "Das Deinstallationsprogramm kann seinen Ordner nicht verwenden. Es wurde nichts entfernt.\n\n[1]"},
    {K(ProgramStays),
     "Das Deinstallationsprogramm bleibt an seinem Ort ([1]); es wird beim nächsten Neustart entfernt."},
    {K(Removing), "Entferne [1]"},
    {K(KeptReplaced), "Bleibt, die Datei war schon vor der Installation vorhanden: [1]"},
    {K(Removed), "Entfernt: [1]"},
    {K(BehindLink), "Unangetastet, der Ordner ist jetzt eine Verknüpfung: [1]"},
    {K(WasMissing), "War nicht mehr vorhanden: [1]"},
    {K(AtRestart), "In Gebrauch, wird beim nächsten Neustart entfernt: [1]"},
    {K(NowFolder), "Nicht entfernt, das ist jetzt ein Ordner: [1]"},
    {K(RemovingRegistry), "Entferne die Einträge in der Registry"},
    {K(ValueRemoved), "Registry-Wert entfernt: [1]"},
    {K(ValueRemovedWithKey), "Registry-Wert entfernt: [1] (mit seinem Schlüssel)"},
    {K(ValueMissing), "Registry-Wert war nicht mehr vorhanden: [1]"},
    {K(ValueWithoutRoot), "Registry-Pfad ohne bekannten Stamm, übergangen: [1]"},
    {K(EntryStays), "Eintrag in der Liste der installierten Programme bleibt, er gilt der Installation in [1]: [2]"},
    {K(EntryRemoved), "Eintrag in der Liste der installierten Programme entfernt: [1]"},
    {K(EntryMissing), "Kein Eintrag in der Liste der installierten Programme: [1]"},
    {K(EmptyKeyRemoved), "Leerer Registry-Schlüssel entfernt: [1]"},
    {K(FolderRemoved), "Ordner entfernt: [1]"},
    {K(LinkRemoved), "Verknüpfung entfernt, ihr Ziel blieb unangetastet: [1]"},
    {K(FolderMissing), "Ordner war nicht mehr vorhanden: [1]"},
    {K(FolderGone), "Kein Ordner mehr, unangetastet: [1]"},
    {K(FolderAtRestart), "Ordner wird nach dem Neustart entfernt: [1]"},
    {K(FolderKeptFiles), "Ordner bleibt, er enthält weitere Dateien: [1]"},
    {K(FolderKeptFolders), "Ordner bleibt, er enthält weitere leere Ordner: [1]"},
    {K(LinkStays), "Die Verknüpfung lässt sich nicht entfernen, ihr Ziel blieb unangetastet."},
    {K(TheProduct), "Das Produkt"},
    {K(TheProductInside), "das Produkt"},
    {K(RemovedWhole), "[1] wurde von Ihrem Computer entfernt."},
    {K(RemovedInPart), "[1] wurde nicht vollständig entfernt. Dies ließ sich nicht entfernen:[2]"},
    {K(RestartDue),
     "\n\nEinige Dateien sind in Gebrauch und werden erst beim nächsten Neustart entfernt. Bitte starten Sie den "
     "Computer neu."},
    {K(FoldersKept), "\n\nDiese Ordner enthalten weitere Dateien und bleiben erhalten:[1]"},
    {K(LogProduct), "Produkt: [1] [2], [3] Dateien und [4] Ordner in der Liste"},
    {K(Ask),
     "Möchten Sie [1] von Ihrem Computer entfernen?\n\nEntfernt werden die Dateien und Ordner, die bei der "
     "Installation angelegt wurden. Eigene Dateien in diesen Ordnern bleiben erhalten."},
    {K(ProgressTitle), "[1] wird entfernt"},
};

const LocalText kEnglish[] = {
    {K(InvalidCall), "Invalid call: [1]\n\nUsage: UnZembra.exe [/auto [/quiet]] [/log=FILE]"},
    {K(Caption), "Uninstall"},
    {K(NeedsAdministrator),
     "The product is installed for all users; removing it needs administrator rights. Without asking (/quiet) they "
     "cannot be requested. Nothing was removed."},
    {K(RestartElevated), "Restart with administrator rights: [1]"},
    {K(ElevatedEnded), "The uninstaller with administrator rights ended with exit code [1]"},
    {K(ElevationRefused), "The administrator rights were not granted. Nothing was removed."},
    {K(ElevationFailed),
     "The uninstaller cannot be started with administrator rights:\n[1]\n\n[2]\n\nNothing was removed."},
    {K(NotRegistered), "Not entered: [1] or [2] is missing or unreadable ([3])"},
    {K(NotEntered), "Not entered ([1]): [2]"},
    {K(EarlierReplaced), "Earlier entry of this folder replaced: [1]"},
    {K(Registered), "Entered in the list of installed programs: [1] ([2], [3] KB)"},
    {K(MoreNames), "\n(and [1] more)"},
    {K(NotRemoved), "Not removed ([1]): [2]"},
    {K(ListMissing), "The list of installed files is missing or cannot be read:\n[1]\n\n[2]\n\nNothing was removed."},
    {K(NoList), "The file is no list of installed files:\n[1]\n\nNothing was removed."},
    {K(RecordMissing), "The product record [1] is missing: [2]"},
    {K(ProgramAside), "The uninstaller goes on running from [1]"},
    {K(ProgramRemovedAfter), "The uninstaller is removed from [1] after it has ended."},
    {K(OwnFolderUnusable), "The uninstaller cannot use its folder. Nothing was removed.\n\n[1]"},
    {K(ProgramStays), "The uninstaller stays where it is ([1]); it is removed at the next restart."},
    {K(Removing), "Removing [1]"},
    {K(KeptReplaced), "Stays, the file was there before the installation: [1]"},
    {K(Removed), "Removed: [1]"},
    {K(BehindLink), "Left alone, its folder is a link now: [1]"},
    {K(WasMissing), "Was no longer there: [1]"},
    {K(AtRestart), "In use, removed at the next restart: [1]"},
    {K(NowFolder), "Not removed, this is a folder now: [1]"},
    {K(RemovingRegistry), "Removing the registry entries"},
    {K(ValueRemoved), "Registry value removed: [1]"},
    {K(ValueRemovedWithKey), "Registry value removed: [1] (with its key)"},
    {K(ValueMissing), "Registry value was no longer there: [1]"},
    {K(ValueWithoutRoot), "Registry path without a known root, passed over: [1]"},
    {K(EntryStays), "The entry in the list of installed programs stays, it belongs to the installation in [1]: [2]"},
    {K(EntryRemoved), "Entry in the list of installed programs removed: [1]"},
    {K(EntryMissing), "No entry in the list of installed programs: [1]"},
    {K(EmptyKeyRemoved), "Empty registry key removed: [1]"},
    {K(FolderRemoved), "Folder removed: [1]"},
    {K(LinkRemoved), "Link removed, its target was left alone: [1]"},
    {K(FolderMissing), "Folder was no longer there: [1]"},
    {K(FolderGone), "No longer a folder, left alone: [1]"},
    {K(FolderAtRestart), "Folder is removed after the restart: [1]"},
    {K(FolderKeptFiles), "Folder stays, it holds other files: [1]"},
    {K(FolderKeptFolders), "Folder stays, it holds other empty folders: [1]"},
    {K(LinkStays), "The link cannot be removed; its target was left alone."},
    {K(TheProduct), "The product"},
    {K(TheProductInside), "the product"},
    {K(RemovedWhole), "[1] was removed from your computer."},
    {K(RemovedInPart), "[1] was not removed completely. This could not be removed:[2]"},
    {K(RestartDue), "\n\nSome files are in use and are removed only at the next restart. Please restart the computer."},
    {K(FoldersKept), "\n\nThese folders hold other files and are kept:[1]"},
    {K(LogProduct), "Product: [1] [2], [3] files and [4] folders in the list"},
    {K(Ask),
     "Do you want to remove [1] from your computer?\n\nThe files and folders that the installation created are "
     "removed. Your own files in these folders are kept."},
    {K(ProgressTitle), "Removing [1]"},
};

#undef K

const TextTables kTables = MakeTextTables("uninstall", kGerman, kEnglish);

}  // namespace

const TextTables& UninstallTextTables() { return kTables; }

std::string Text(UninstallText key, std::initializer_list<std::string> values) {
    return FillMarkers(LookUpText(kTables, static_cast<int>(key)), values);
}

std::string Utf8Text(UninstallText key, std::initializer_list<std::string> values) {
    return FillMarkersUtf8(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
