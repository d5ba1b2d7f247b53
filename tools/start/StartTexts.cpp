#include "tools/start/StartTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(StartText::name)

const LocalText kGerman[] = {
    {K(Usage), "Aufruf: [1] --package PAKETDATEI [/auto]"},
    {K(NoPackageAttached), "Diesem Programm ist kein Installationspaket angehängt.\n\n[1]"},
    {K(PackageIncomplete), "Das Installationspaket ist unvollständig oder keines:\n[1]\n\nVermutlich wurde die Datei "
                           "nicht ganz heruntergeladen oder kopiert. Es wurde nichts installiert."},
    {K(PackageDamaged), "Das Installationspaket ist beschädigt:\n[1]\n\nSeine Prüfsumme stimmt nicht mit dem Inhalt "
                        "überein. Es wurde nichts installiert. Bitte besorgen Sie sich die Datei noch einmal."},
    {K(PackageUnsealed), "Das Installationspaket trägt keine Prüfsumme und wird deshalb nicht ausgeführt:\n[1]"},
    {K(PackageUnreadable), "Das Installationspaket lässt sich nicht lesen:\n[1]"},
    {K(HashFailed), "Das Installationspaket lässt sich nicht prüfen, weil die SHA-256-Funktion des Systems "
                    "versagt:\n[1][2]\n\nEs wurde nichts installiert."},
    {K(PathTooLong), "Der Pfad des Installationspakets ist zu lang (höchstens 259 Zeichen):\n[1]"},
    {K(OpenFailed), "Das Installationspaket lässt sich nicht öffnen:\n[1]\n\n[2]"},
    {K(PackageNameUnusable), "Das Installationspaket lässt sich nicht öffnen.\n\n[1]\n\nEs wurde nichts installiert."},
    {K(WorkFolderUnusable), "Im temporären Ordner lässt sich kein Arbeitsordner anlegen.\n\n[1]"},
    {K(SealIntact), "Prüfsumme des Installationspakets in Ordnung: [1]"},
    {K(SetupProgramMissing), "Im Installationspaket fehlt das Setup-Programm:\n[1]"},
    {K(RuntimeMissing), "Im Installationspaket fehlt die Laufzeitbibliothek [1]:\n[2]"},
    {K(TempFolderUnknown), "Der temporäre Ordner des Systems ist nicht bekannt.\n\n[1]"},
    {K(WorkFolderFailed), "Im temporären Ordner lässt sich kein Arbeitsordner anlegen:\n[1]\n\n[2]"},
    {K(WorkFolder), "Arbeitsordner: [1]"},
    {K(RuntimeUnpackFailed), "Die Laufzeitbibliothek lässt sich nicht in den Arbeitsordner entpacken:\n[1]\n\n[2]"},
    {K(RuntimeLoadFailed), "Die Laufzeitbibliothek lässt sich nicht laden:\n[1]\n\n[2]"},
    {K(RuntimeMismatch), "Die Laufzeitbibliothek im Installationspaket passt nicht zu diesem Programm "
                         "(ZEMBRA_Init oder ZEMBRA_Exit fehlt)."},
    {K(SetupFilesIncomplete), "Die Dateien des Setup-Programms ließen sich nicht vollständig entpacken:\n[1][2][3]"},
    {K(FilesMissing), "\nEs fehlt: [1]"},
    {K(HandOverFailed), "Die Übergabedatei für das Setup-Programm lässt sich nicht schreiben:\n[1]\n\n[2]"},
    {K(SetupStarted), "Setup-Programm gestartet: [1]"},
    {K(SetupEnded), "Setup-Programm beendet mit Exitcode [1]"},
    {K(SetupStartFailed), "Das Setup-Programm lässt sich nicht starten:\n[1]\n\n[2]"},
    {K(LockUnreadable), "Die Sperre des Installationspakets ist unlesbar; die Installation läuft ohne sie."},
    {K(LockHeld), "Eine andere Installation von [1] läuft bereits ([2])."},
    {K(LockHeldMessage), "Die Installation von [1] läuft bereits.\n\nBitte warten Sie, bis sie beendet ist, bevor "
                         "Sie sie erneut starten."},
    {K(LockFailed), "Die Sperre [1] lässt sich nicht anlegen ([2]); die Installation läuft ohne sie."},
    {K(PackageQuoteOpen), "Das Anführungszeichen hinter --package wird nicht geschlossen."},
    {K(PackageBlankMissing), "Hinter dem Paketnamen fehlt ein Leerzeichen."},
    {K(PackageNameMissing), "Hinter --package fehlt der Name der Paketdatei."},
};

const LocalText kEnglish[] = {
    {K(Usage), "Usage: [1] --package PACKAGEFILE [/auto]"},
    {K(NoPackageAttached), "No installation package is attached to this program.\n\n[1]"},
    {K(PackageIncomplete), "The installation package is incomplete or no package at all:\n[1]\n\nThe file was "
                           "probably not downloaded or copied completely. Nothing was installed."},
    {K(PackageDamaged), "The installation package is damaged:\n[1]\n\nIts checksum does not match its contents. "
                        "Nothing was installed. Please obtain the file again."},
    {K(PackageUnsealed), "The installation package carries no checksum and is therefore not run:\n[1]"},
    {K(PackageUnreadable), "The installation package cannot be read:\n[1]"},
    {K(HashFailed), "The installation package cannot be checked because the system's SHA-256 function "
                    "fails:\n[1][2]\n\nNothing was installed."},
    {K(PathTooLong), "The path of the installation package is too long (259 characters at most):\n[1]"},
    {K(OpenFailed), "The installation package cannot be opened:\n[1]\n\n[2]"},
    {K(PackageNameUnusable), "The installation package cannot be opened.\n\n[1]\n\nNothing was installed."},
    {K(WorkFolderUnusable), "No working folder can be created in the temporary folder.\n\n[1]"},
    {K(SealIntact), "Checksum of the installation package is correct: [1]"},
    {K(SetupProgramMissing), "The setup program is missing from the installation package:\n[1]"},
    {K(RuntimeMissing), "The runtime library [1] is missing from the installation package:\n[2]"},
    {K(TempFolderUnknown), "The system's temporary folder is not known.\n\n[1]"},
    {K(WorkFolderFailed), "No working folder can be created in the temporary folder:\n[1]\n\n[2]"},
    {K(WorkFolder), "Working folder: [1]"},
    {K(RuntimeUnpackFailed), "The runtime library cannot be unpacked into the working folder:\n[1]\n\n[2]"},
    {K(RuntimeLoadFailed), "The runtime library cannot be loaded:\n[1]\n\n[2]"},
    {K(RuntimeMismatch), "The runtime library in the installation package does not match this program "
                         "(ZEMBRA_Init or ZEMBRA_Exit is missing)."},
    {K(SetupFilesIncomplete), "The files of the setup program could not be unpacked completely:\n[1][2][3]"},
    {K(FilesMissing), "\nMissing: [1]"},
    {K(HandOverFailed), "The hand-over file for the setup program cannot be written:\n[1]\n\n[2]"},
    {K(SetupStarted), "Setup program started: [1]"},
    {K(SetupEnded), "Setup program ended with exit code [1]"},
    {K(SetupStartFailed), "The setup program cannot be started:\n[1]\n\n[2]"},
    {K(LockUnreadable), "The installation package's lock cannot be read; the installation runs without it."},
    {K(LockHeld), "Another installation of [1] is already running ([2])."},
    {K(LockHeldMessage), "The installation of [1] is already running.\n\nPlease wait until it has finished before "
                         "you start it again."},
    {K(LockFailed), "The lock [1] cannot be created ([2]); the installation runs without it."},
    {K(PackageQuoteOpen), "The quotation mark after --package is never closed."},
    {K(PackageBlankMissing), "A blank is missing after the package name."},
    {K(PackageNameMissing), "The name of the package file is missing after --package."},
};

#undef K

const TextTables kTables = MakeTextTables("start", kGerman, kEnglish);

}  // namespace

const TextTables& StartTextTables() { return kTables; }

std::string Text(StartText key, std::initializer_list<std::string> values) {
    return FillMarkers(LookUpText(kTables, static_cast<int>(key)), values);
}

std::string Utf8Text(StartText key, std::initializer_list<std::string> values) {
    return FillMarkersUtf8(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
