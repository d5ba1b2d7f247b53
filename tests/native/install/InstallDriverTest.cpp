// The installation driver's decisions with a fake host: files and folders in a map, the library's
// results and the user's answers scripted, everything the user would see recorded in order.
#include "install/InstallDriver.h"

#include "install/ChosenFolder.h"
#include "install/FileList.h"
#include "install/MadeRegistryKeys.h"
#include "install/RunResult.h"
#include "profile/CProfileDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

using testing_support::TempFolder;

namespace {

struct Entry {
    const char* flags;
    const char* name;
    const char* dir = "<INSTALLDIR>";
    std::vector<int> results = {};  // ZEMBRA_Expand's results in turn; then 0, which writes the file
    const char* params = "";        // FParams
};

class FakeHost : public CInstallHost {
public:
    std::map<std::string, uint32_t> files;  // targets and folders, without a trailing backslash
    std::set<std::string> keys = {"HKEY_CURRENT_USER\\SOFTWARE"};  // registry keys there, in capitals
    std::map<std::string, std::vector<int>> results;
    std::string answers;       // consumed in order: r R g G (retry, give up; capital: Ctrl held), 0-3 x, y n
    std::string seen;          // what the user saw, in order
    std::string outcomes;      // one letter per entry reached
    int newer = 1;             // ZEMBRA_CheckVersion
    int cancelDuringExpand = -1, cancelOnWait = 0;  // the user cancels inside that Expand, or that wait
    int expands = 0;
    std::string bar;           // the positions the driver gave the bar
    CRunResult result;         // what the run's exit code is made of
    CInstallDriver* driver = nullptr;

    static std::string Key(std::string path) {  // as the system finds files: letter case aside
        if (!path.empty() && path.back() == '\\') path.pop_back();
        for (char& c : path) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return path;
    }
    char Next() {
        char c = answers.empty() ? '?' : answers[0];
        if (!answers.empty()) answers.erase(0, 1);
        return c;
    }
    void See(const std::string& what) { seen += what + "|"; }

    void ShowStatus(const CString&) override {}
    void SetBarRange(int) override {}
    void SetBarPos(long done, long) override { bar += std::to_string(done) + " "; }
    void PumpMessages() override {}
    void Sleep(unsigned ms) override {
        if (ms == 50 && cancelOnWait && !--cancelOnWait) driver->RequestCancel();
    }
    void EnableCancel(bool enable) override { See(enable ? "cancel on" : "cancel off"); }
    void CloseDialog() override { See("closed"); }
    void ShowLastPage() override { See("last page"); }
    void Tell(const CString& text, bool failure) override { See((failure ? "fail:" : "note:") + std::string(text)); }
    bool AskRetry(const CString& text) override {
        See("retry?" + std::string(text));
        char c = Next();
        ctrl = c == 'R' || c == 'G';
        return c == 'r' || c == 'R';
    }
    bool ControlKeyDown() override { return ctrl; }
    int AskOverwrite(const CString& target) override {
        See("overwrite?" + std::string(target));
        char c = Next();
        return c == 'x' ? Dismissed : c - '0';
    }
    bool AskCancel(const CString& text) override {
        See("cancel?" + std::string(text));
        return Next() == 'y';
    }
    void SetLibraryProgress(long, long) override {}
    int Expand(const CString& folder, const CString& key, const CString& fileName) override {
        if (expands++ == cancelDuringExpand) driver->RequestCancel();
        std::vector<int>& queue = results[std::string(key)];
        int result = queue.empty() ? 0 : queue.front();
        if (!queue.empty()) queue.erase(queue.begin());
        if (result == 0) files[Key(Key(std::string(folder)) + "\\" + std::string(fileName))] = 0x80;
        return result;
    }
    void CancelLibrary() override { See("library cancel"); }
    int CheckVersion(const CString&, uint32_t, uint32_t) override { return newer; }
    bool ReplaceFileOnReboot(const CString& target) override {
        See("at restart:" + std::string(target));
        return true;
    }
    void SetRegEntry(const CString& path, const CString& value) override { See("reg " + std::string(path) + "=" + std::string(value)); }
    bool RegistryKeyExists(const CString& key) override { return keys.count(Key(std::string(key))) != 0; }
    uint32_t Attributes(const CString& path) override {
        auto it = files.find(Key(std::string(path)));
        return it == files.end() ? kNoFile : it->second;
    }
    void SetAttributes(const CString& path, uint32_t attributes) override {
        if (files.count(Key(std::string(path)))) files[Key(std::string(path))] = attributes;
    }
    void RemoveFile(const CString& path) override { files.erase(Key(std::string(path))); }
    bool CreateFolderPath(const CString& folder, bool checkDrive, bool* abort) override {
        if (folder[0] == 'Q') {  // a drive that is missing
            if (!checkDrive) return false;
            See("drive?" + std::string(folder));
            if (Next() == 'y') *abort = true;
            return false;
        }
        if (folder[0] == 'R') return false;  // a folder that cannot be made
        files[Key(std::string(folder))] = 0x10;
        return true;
    }
    void RecordProgram(long n, const CString& path, const CString& parameters, bool hide, bool wait) override {
        See("prg" + std::to_string(n) + " " + std::string(path) + (parameters.IsEmpty() ? "" : " " + std::string(parameters)) +
            (hide ? " hide" : "") + (wait ? " wait" : ""));
    }
    void EntryDone(const CEntryOutcome& o) override {
        static const char kKinds[] = "-ISkN", kReasons[] = ".nkFDGEC";
        result.EntryDone(o);
        outcomes += o.kind == CEntryOutcome::NotInstalled || o.kind == CEntryOutcome::Kept ? kReasons[o.reason] : kKinds[o.kind];
    }

private:
    bool ctrl = false;
};

struct Outcome {
    FakeHost host;
    std::string regVersion = "HKCU\\V";
    std::string list;  // the list file: "files | folders"
    std::string keys;  // the registry keys it records
};

// Runs the entries with target folder C:\T\ and the list file in a temporary folder.
void RunEntries(Outcome& run, const std::vector<Entry>& entries, const std::vector<std::string>& existing = {}) {
    TempFolder dir;
    CProfileDocument config;
    config.SetInt("Doc", "FileCount", static_cast<uint32_t>(entries.size()));
    config.SetInt("Doc", "DataSize", static_cast<uint32_t>(100 * entries.size()));
    const char* texts[] = {"Abbrechen?", "[1] fehlt", " ist belegt", " nicht installiert", "Neustart"};
    const int numbers[] = {1, 2, 3, 4, 17};
    for (int i = 0; i < 5; ++i) config.SetString("Doc", ("Text" + std::to_string(numbers[i])).c_str(), texts[i]);
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string section = "PFile" + std::to_string(i), key = "K" + std::to_string(i);
        config.SetString(section.c_str(), "FFlags", entries[i].flags);
        config.SetString(section.c_str(), "FName", entries[i].name);
        config.SetString(section.c_str(), "FDir", entries[i].dir);
        config.SetString(section.c_str(), "FPName", key.c_str());
        config.SetString(section.c_str(), "FSize", "100");
        if (*entries[i].params) config.SetString(section.c_str(), "FParams", entries[i].params);
        run.host.results[key] = entries[i].results;
    }
    run.host.files["C:"] = run.host.files["C:\\T"] = 0x10;
    for (const std::string& name : existing) run.host.files[FakeHost::Key("C:\\T\\" + name)] = name == "ro.txt" ? 0x21 : 0x20;
    CInstallDriver driver(config, run.host);
    run.host.driver = &driver;
    CInstallDriver::Settings settings;
    settings.targetDir = "C:\\T\\";
    settings.listDir = dir.Path().c_str();
    settings.proVersion = "2.0";
    settings.regVersion = run.regVersion.c_str();
    settings.writeFileList = settings.updateRegVersion = true;
    driver.Run(settings);
    if (driver.UserCancelled()) run.host.result.Cancelled();

    CProfileDocument list;
    list.SetPath(dir.Path("UnZembra.ini").c_str());
    list.Load();
    ListedNames names;
    ReadListedNames(list, &names);
    for (const std::string& file : names.files) run.list += file + " ";
    run.list += "| ";
    for (const std::string& folder : names.folders) run.list += folder + " ";
    for (const std::string& key : ReadMadeRegistryKeys(list)) run.keys += key + " ";
}

}  // namespace

TEST(InstallDriver, EntriesForTheListFolderGoWhereTheListGoesAndProgramsKeepTheirParameters) {
    Outcome run;
    RunEntries(run, {{"10000111", "UnZembra.exe", "<LISTDIR>", {}, "/register"}, {"10000100", "p.exe"}});
    EXPECT_NE(std::string::npos, run.host.seen.find("UnZembra.exe /register hide wait|prg1 C:\\T\\p.exe|")) << run.host.seen;
    EXPECT_EQ(std::string::npos, run.host.seen.find("<LISTDIR>")) << run.host.seen;
    EXPECT_EQ(std::string::npos, run.list.find("<LISTDIR>")) << run.list;
}

TEST(InstallDriver, EntriesAreInstalledKeptOrGivenUpAsFlagsAnswersAndCancelDecide) {
    const std::string T = "C:\\T\\", kEnd = "cancel on|last page|reg HKCU\\V=2.0|";
    const std::string kCancelled = "cancel?Abbrechen?|cancel off|library cancel|closed|reg HKCU\\V=2.0|";
    struct Row {
        const char* name;
        std::vector<Entry> entries;
        std::vector<std::string> existing;
        std::string answers;
        std::string outcomes, seen, list, bar;
        int newer = 1, cancelDuringExpand = -1, cancelOnWait = 0;
    } rows[] = {
        {"only eight characters count, position 1 installs",
         {{"10000000", "a.txt", "<INSTALLDIR>\\Neu\\"}, {"1000000", "b.txt"}, {"100000000", "c.txt"}, {"01111111", "d.txt"}},
         {}, "", "I---", kEnd, T + "Neu\\a.txt | " + T + "Neu\\ ", "0 100 1 "},
        {"a file written twice into a folder the run made is asked about the second time",
         {{"11000000", "a.txt", "<INSTALLDIR>\\Neu"}, {"11000000", "A.TXT", "<INSTALLDIR>\\Neu"}}, {}, "2", "Ik",
         "overwrite?" + T + "Neu\\A.TXT|" + kEnd, T + "Neu\\a.txt | " + T + "Neu ", "0 100 1 "},
        {"versions are compared with existing targets only", {{"10001000", "alt.dll"}, {"10001000", "neu.dll"}},
         {"alt.dll"}, "", "nI", kEnd, T + "neu.dll | ", "0 100 1 ", 0},
        {"overwrite answers; Alle nicht \xfc" "berschreiben is remembered",
         {{"11000000", "e1"}, {"11000000", "e2"}, {"11000000", "e3"}, {"11000000", "e4"}, {"10000000", "e5"}},
         {"e1", "e2", "e3", "e4", "e5"}, "x23", "IkkkI",
         "overwrite?" + T + "e1|overwrite?" + T + "e2|overwrite?" + T + "e3|" + kEnd, T + "e1 " + T + "e5 | ",
         "0 100 200 1 "},
        {"Alle \xfc" "berschreiben is remembered; read-only is cleared", {{"11100000", "ro.txt"}, {"11000000", "e2"}},
         {"ro.txt", "e2"}, "1", "II", "overwrite?" + T + "ro.txt|" + kEnd, T + "ro.txt " + T + "e2 | ", "0 100 200 1 "},
        {"a target in use is retried, given up, or left to Ctrl's answer",
         {{"10000000", "l1", "<INSTALLDIR>", {32, 5}}, {"10000000", "l2", "<INSTALLDIR>", {5}},
          {"10000000", "l3", "<INSTALLDIR>", {32}}},
         {}, "rrG", "IGG",
         "retry?" + T + "l1 ist belegt|retry?" + T + "l1 ist belegt|retry?" + T + "l2 ist belegt|fail:" + T +
             "l2 nicht installiert|fail:" + T + "l3 nicht installiert|" + kEnd,
         T + "l1 | ", "0 100 200 300 1 "},
        {"a side file for the restart, once per side file name",
         {{"10010000", "tool.exe", "<INSTALLDIR>", {32}}, {"10010000", "tool.dll", "<INSTALLDIR>", {32}}}, {}, "g", "SG",
         "at restart:" + T + "tool.exe|retry?" + T + "tool.dll ist belegt|fail:" + T + "tool.dll nicht installiert|"
         "note:Neustart|" + kEnd, "| ", "0 100 1 "},
        {"failed decoding is reported and not listed; programs are numbered without gaps",
         {{"10000111", "p1.exe", "<INSTALLDIR>", {13}}, {"10000100", "p2.exe"}, {"10000011", "p3.exe"}, {"10000111", "p4.exe"}},
         {}, "", "EIII", "fail:" + T + "p1.exe nicht installiert|prg0 " + T + "p2.exe|prg1 " + T + "p4.exe hide wait|" + kEnd,
         T + "p2.exe " + T + "p3.exe " + T + "p4.exe | ", "0 100 200 300 400 1 "},
        {"a folder that cannot be made; a missing drive asks until the user stops",
         {{"10000000", "x", "R:\\Nein"}, {"10000000", "x", "Q:\\Eins"}, {"10000000", "x", "Q:\\Zwei"},
          {"00000000", "x"}, {"10000000", "x", "Q:\\Drei"}, {"10000000", "x"}},
         {}, "ny", "FFD-C",
         "note:R:\\Nein fehlt|drive?Q:\\Eins|note:Q:\\Eins fehlt|drive?Q:\\Zwei|cancel off|library cancel|closed|closed|"
         "reg HKCU\\V=2.0|",
         "| R:\\Nein Q:\\Eins Q:\\Zwei Q:\\Drei ", "0 1 "},
        {"the missing folders above a new folder are listed as well, up to the first that exists",
         {{"10000000", "a", "C:\\Neu\\Eins\\Zwei"}, {"10000000", "b", "\\\\srv\\teil\\X\\Y\\"},
          {"10000000", "c", "<INSTALLDIR>\\Neu\\Eins\\"}},
         {}, "", "III", kEnd,
         "C:\\Neu\\Eins\\Zwei\\a \\\\srv\\teil\\X\\Y\\b " + T + "Neu\\Eins\\c | C:\\Neu\\Eins\\Zwei C:\\Neu\\Eins\\ "
         "C:\\Neu\\ \\\\srv\\teil\\X\\Y\\ \\\\srv\\teil\\X\\ " + T + "Neu\\Eins\\ " + T + "Neu\\ ",
         "0 100 200 300 1 "},
        {"a cancel while an entry decodes drops it and stops before the next",
         {{"10000000", "a"}, {"10000000", "b"}, {"10000000", "c"}}, {}, "y", "ICC", kCancelled, T + "a | ",
         "0 100 200 1 ", 1, 1},
        {"a cancel answered No goes on", {{"10000000", "a"}, {"10000000", "b"}}, {}, "n", "II", "cancel?Abbrechen?|" + kEnd,
         T + "a " + T + "b | ", "0 100 200 1 ", 1, 0},
        {"a cancel ends automatic retries",
         {{"10000000", "l1", "<INSTALLDIR>", {32, 32}}, {"10000000", "b"}}, {}, "Ry", "CC",
         "retry?" + T + "l1 ist belegt|" + kCancelled, "| ", "0 100 1 ", 1, -1, 1},
    };
    for (const Row& r : rows) {
        Outcome run;
        run.host.answers = r.answers;
        run.host.newer = r.newer;
        run.host.cancelDuringExpand = r.cancelDuringExpand;
        run.host.cancelOnWait = r.cancelOnWait;
        RunEntries(run, r.entries, r.existing);
        EXPECT_EQ(r.outcomes, run.host.outcomes) << r.name;
        EXPECT_EQ(r.seen, run.host.seen) << r.name;
        EXPECT_EQ(r.list, run.list) << r.name;
        EXPECT_EQ(r.bar, run.host.bar) << r.name;
        EXPECT_EQ("", run.host.answers) << r.name << ": every answer was asked for";
    }
}

TEST(InstallDriver, ExitCodeTellsHowTheRunEnded) {
    struct Row {
        const char* name;
        std::vector<Entry> entries;
        std::vector<std::string> existing;
        std::string answers;
        int code;
        int cancelDuringExpand = -1;
    } rows[] = {
        {"installed, or kept by the overwrite answer", {{"10000000", "a"}, {"11000000", "b"}}, {"b"}, "2", 0},
        {"a side file for the restart", {{"10010000", "a", "<INSTALLDIR>", {32}}}, {}, "", 3010},
        {"in use and given up, after a side file", {{"10010000", "a", "<INSTALLDIR>", {32}}, {"10000000", "b", "<INSTALLDIR>", {32}}}, {},
         "g", 1603},
        {"a failed decoding", {{"10000000", "a", "<INSTALLDIR>", {13}}}, {}, "", 1603},
        {"stopped at a missing drive: a failure, not a cancel", {{"10000000", "a", "Q:\\X"}, {"10000000", "b"}}, {},
         "y", 1603},
        {"cancelled by the user, also after a side file", {{"10010000", "a", "<INSTALLDIR>", {32}}, {"10000000", "b"}},
         {}, "y", 1602, 1},
    };
    for (const Row& r : rows) {
        Outcome run;
        run.host.answers = r.answers;
        run.host.cancelDuringExpand = r.cancelDuringExpand;
        RunEntries(run, r.entries, r.existing);
        EXPECT_EQ(r.code, run.host.result.ExitCode()) << r.name << ": " << run.host.outcomes;
    }
}

TEST(InstallDriver, RecordsTheRegistryKeysBelowSoftwareThatTheVersionValueIsAboutToMake) {
    struct Row {
        const char* name;
        const char* regVersion;
        std::set<std::string> existing;  // in capitals, besides HKEY_CURRENT_USER\SOFTWARE
        const char* keys;
    } rows[] = {
        {"every missing key, deepest first, with the root's full name", "2\\software\\Maker\\Produkt\\Version", {},
         "HKEY_CURRENT_USER\\software\\Maker\\Produkt HKEY_CURRENT_USER\\software\\Maker "},
        {"up to the first key that is there", "HKEY_CURRENT_USER\\Software\\Maker\\Produkt\\Version",
         {"HKEY_CURRENT_USER\\SOFTWARE\\MAKER"}, "HKEY_CURRENT_USER\\Software\\Maker\\Produkt "},
        {"a value directly in Software", "HKEY_CURRENT_USER\\Software\\Version", {}, ""},
        {"outside Software", "HKEY_CURRENT_USER\\Environment\\Maker\\Version", {}, ""},
    };
    for (const Row& r : rows) {
        Outcome run;
        run.regVersion = r.regVersion;
        run.host.keys.insert(r.existing.begin(), r.existing.end());
        RunEntries(run, {{"10000000", "a"}});
        EXPECT_EQ(r.keys, run.keys) << r.name;
    }
}
