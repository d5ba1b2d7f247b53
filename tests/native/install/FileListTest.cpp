#include "install/EntryFlags.h"
#include "install/FileList.h"
#include "install/ProductRecord.h"

#include "profile/CNyStringArray.h"
#include "profile/CProfileDocument.h"
#include "support/ProfileDump.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::TempFolder;

namespace {
CNyStringArray* Fill(CNyStringArray& list, std::initializer_list<const char*> names) {
    for (const char* name : names) list.AddUnique(name);
    return &list;
}

std::vector<std::string> Strings(const CNyStringArray& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetSize(); ++i) out.push_back(list.GetAt(i).c_str());
    return out;
}
}  // namespace

TEST(FileListNames, EncodeLowHalfFirstAndDecodeBack) {
    struct Row {
        const char* name;
        std::string plain;
        std::string encoded;
    } rows[] = {
        {"three letters", "abc", "BGCGDG"},
        {"backslash and colon", "C:\\", "DEKDMF"},
        {"umlauts above 127", "\xe4\xf6\xfc\xdf", "EOGPMPPN"},
        {"bytes 1 and 255", "\x01\xff", "BAPP"},
        {"a name longer than a path stays whole", std::string(350, '\x11'), std::string(700, 'B')},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.encoded, EncodeName(r.plain.c_str()).c_str()) << r.name;
        std::string decoded;
        EXPECT_TRUE(DecodeName(r.encoded.c_str(), &decoded)) << r.name;
        EXPECT_EQ(r.plain, decoded) << r.name;
    }

    // Every byte value (but the terminator) survives the round trip.
    std::string all, decoded;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    CString encoded = EncodeName(all.c_str());
    ASSERT_EQ(510, encoded.GetLength());
    for (int i = 0; i < encoded.GetLength(); ++i) {
        ASSERT_GE(encoded[i], 'A') << i;
        ASSERT_LE(encoded[i], 'P') << i;
    }
    EXPECT_TRUE(DecodeName(encoded, &decoded));
    EXPECT_EQ(all, decoded);

    for (const char* bad : {"", "BGC", "QAQA", "AADH", "bgcg"})
        EXPECT_FALSE(DecodeName(bad, &decoded)) << "\"" << bad << "\" is no whole name";
}

namespace {
std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : "|") + n;
    return text;
}

std::string Encoded(const std::string& name) { return EncodeName(name.c_str()).c_str(); }
}  // namespace

TEST(FileListRemoval, NamesDecodeToFullPathsOnceEachAndFoldersComeDeepestFirst) {
    const std::string longName = "C:\\" + std::string(257, 'x');
    struct Row {
        const char* name;
        std::string list;
        const char* files;
        const char* folders;
        size_t problems;
    } rows[] = {
        {"files in order, umlauts byte by byte",
         "[Doc]\nFileCount=2\nDirCount=0\n[FName]\nFile0=" + Encoded("C:\\P\\b.txt") + "\nFile1=" +
             Encoded("C:\\P\\Gr\xF6\xDF" "e.txt") + "\n",
         "C:\\P\\b.txt|C:\\P\\Gr\xF6\xDF" "e.txt", "", 0},
        {"a name listed twice in another case counts once",
         "[Doc]\nFileCount=2\n[FName]\nFile0=" + Encoded("C:\\P\\a.txt") + "\nFile1=" + Encoded("c:\\p\\A.TXT") + "\n",
         "C:\\P\\a.txt", "", 0},
        {"folders lose the final backslash and go deepest first",
         "[Doc]\nDirCount=4\n[FDir]\nDir0=" + Encoded("C:\\P\\") + "\nDir1=" + Encoded("C:\\P\\Daten\\Alt\\") +
             "\nDir2=" + Encoded("C:\\P\\Daten\\") + "\nDir3=" + Encoded("C:\\P") + "\n",
         "", "C:\\P\\Daten\\Alt|C:\\P\\Daten|C:\\P", 0},
        {"empty values and numbers beyond the count are passed over",
         "[Doc]\nFileCount=2\n[FName]\nFile0=\nFile1=" + Encoded("C:\\a") + "\nFile2=" + Encoded("C:\\b") + "\n",
         "C:\\a", "", 0},
        {"letters beyond P, an odd length and a zero byte do not decode",
         "[Doc]\nFileCount=3\n[FName]\nFile0=QAQA\nFile1=" + Encoded("C:\\a") + "B\nFile2=AADH\n", "", "", 3},
        {"a relative name and a name longer than a path are refused",
         "[Doc]\nFileCount=3\n[FName]\nFile0=" + Encoded("P\\a.txt") + "\nFile1=" + Encoded(longName) + "\nFile2=" +
             Encoded("\\\\server\\share\\a") + "\n",
         "\\\\server\\share\\a", "", 2},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        CProfileDocument document;
        document.SetPath(dir.Write("UnZembra.ini", r.list).c_str());
        ASSERT_TRUE(document.Load()) << r.name;
        ListedNames list;
        ASSERT_TRUE(ReadRemovalList(document, &list)) << r.name;
        EXPECT_EQ(r.files, Joined(list.files)) << r.name;
        EXPECT_EQ(r.folders, Joined(list.folders)) << r.name;
        EXPECT_EQ(r.problems, list.problems.size()) << r.name << ": " << Joined(list.problems);
    }
    TempFolder dir;
    CProfileDocument noCounts;
    noCounts.SetPath(dir.Write("UnZembra.ini", "[FName]\nFile0=" + Encoded("C:\\a") + "\n").c_str());
    ASSERT_TRUE(noCounts.Load());
    ListedNames list;
    EXPECT_FALSE(ReadRemovalList(noCounts, &list)) << "no counts: no list";
    EXPECT_TRUE(IsInside("C:\\P\\Daten\\a.csv", "c:\\p\\daten"));
    EXPECT_FALSE(IsInside("C:\\P\\Datenbank\\a.csv", "C:\\P\\Daten"));
}

TEST(FileListMerge, ThisRunFirstThenEarlierNamesOnceRegardlessOfCase) {
    TempFolder dir;
    const std::string path = dir.Path("UnZembra.ini");
    struct Run {
        std::initializer_list<const char*> files, folders;
        std::vector<std::string> listedFiles, listedFolders;
    } runs[] = {
        {{"C:\\P\\a.exe", "C:\\P\\Gr\xf6\xdf" "e.txt"}, {"C:\\P\\"},
         {"C:\\P\\a.exe", "C:\\P\\Gr\xf6\xdf" "e.txt"}, {"C:\\P\\"}},
        // the second run repeats one file in other letters and adds one
        {{"C:\\p\\GR\xd6\xdf" "E.TXT", "C:\\P\\b.dll"}, {},
         {"C:\\p\\GR\xd6\xdf" "E.TXT", "C:\\P\\b.dll", "C:\\P\\a.exe"}, {"C:\\P\\"}},
        // nothing installed: the file is written again with the earlier names
        {{}, {"C:\\P\\Neu\\"}, {"C:\\p\\GR\xd6\xdf" "E.TXT", "C:\\P\\b.dll", "C:\\P\\a.exe"}, {"C:\\P\\Neu\\", "C:\\P\\"}},
    };
    int number = 0;
    for (const Run& run : runs) {
        ++number;
        CNyStringArray files, folders;
        std::vector<std::string> problems;
        MergeFileList(path.c_str(), *Fill(files, run.files), *Fill(folders, run.folders), &problems);
        EXPECT_EQ(run.listedFiles, Strings(files)) << "run " << number;
        EXPECT_EQ(run.listedFolders, Strings(folders)) << "run " << number;
        EXPECT_TRUE(problems.empty()) << "run " << number;

        CProfileDocument written;
        written.SetPath(path.c_str());
        ASSERT_TRUE(written.Load()) << "run " << number;
        EXPECT_EQ(static_cast<int>(run.listedFiles.size()), written.GetInt("Doc", "FileCount", -1)) << "run " << number;
        EXPECT_EQ(static_cast<int>(run.listedFolders.size()), written.GetInt("Doc", "DirCount", -1)) << "run " << number;
        for (size_t i = 0; i < run.listedFiles.size(); ++i)
            EXPECT_EQ(EncodeName(run.listedFiles[i].c_str()),
                      written.GetString("FName", ("File" + std::to_string(i)).c_str(), "<none>"))
                << "run " << number << ", file " << i;
        for (size_t i = 0; i < run.listedFolders.size(); ++i)
            EXPECT_EQ(EncodeName(run.listedFolders[i].c_str()),
                      written.GetString("FDir", ("Dir" + std::to_string(i)).c_str(), "<none>"))
                << "run " << number << ", folder " << i;
    }
}

TEST(FileListMerge, EarlierNamesThatAreNoFullPathsAreReportedAndDropped) {
    TempFolder dir;
    const std::string path = dir.Path("UnZembra.ini");
    dir.Write(path, "[Doc]\r\nFileCount=5\r\nDirCount=0\r\n[FName]\r\nFile0=\r\nFile1=" + Encoded("C:\\alt.txt") +
                        "\r\nFile2=" + Encoded("C:\\neu.txt") + "\r\nFile3=BGC\r\nFile4=" + Encoded("relativ.txt") +
                        "\r\nFile7=" + Encoded("C:\\jenseits.txt") + "\r\n");
    CNyStringArray files, folders;
    std::vector<std::string> problems;
    MergeFileList(path.c_str(), *Fill(files, {"C:\\NEU.txt"}), folders, &problems);
    EXPECT_EQ((std::vector<std::string>{"C:\\NEU.txt", "C:\\alt.txt"}), Strings(files));
    EXPECT_EQ((std::vector<std::string>{"Eintrag File3 der Liste lässt sich nicht entschlüsseln und wird übersprungen.",
                                        "relativ.txt: kein vollständiger Pfad, übersprungen."}),
              problems);

    // Keys beyond the new count stay as they were; nobody reads them.
    CProfileDocument written;
    written.SetPath(path.c_str());
    ASSERT_TRUE(written.Load());
    EXPECT_EQ("S:Doc\nK:FileCount=2\nK:DirCount=0\nS:FName\nK:File0=" + Encoded("C:\\NEU.txt") + "\nK:File1=" +
                  Encoded("C:\\alt.txt") + "\nK:File2=" + Encoded("C:\\neu.txt") + "\nK:File3=BGC\nK:File4=" +
                  Encoded("relativ.txt") + "\nK:File7=" + Encoded("C:\\jenseits.txt") + "\n",
              DumpProfile(written));
}

TEST(FileListMerge, NewFileHasDocThenFilesThenFolders) {
    struct Row {
        const char* name;
        std::initializer_list<const char*> files, folders;
        std::string dump;
    } rows[] = {
        {"files and folders", {"C:\\a"}, {"C:\\"}, "S:Doc\nK:FileCount=1\nK:DirCount=1\nS:FName\nK:File0=DEKDMFBG\nS:FDir\nK:Dir0=DEKDMF\n"},
        {"folders only", {}, {"C:\\"}, "S:Doc\nK:FileCount=0\nK:DirCount=1\nS:FDir\nK:Dir0=DEKDMF\n"},
        {"nothing at all", {}, {}, "S:Doc\nK:FileCount=0\nK:DirCount=0\n"},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        const std::string path = dir.Path("UnZembra.ini");
        CNyStringArray files, folders;
        std::vector<std::string> problems;
        MergeFileList(path.c_str(), *Fill(files, r.files), *Fill(folders, r.folders), &problems);
        CProfileDocument written;
        written.SetPath(path.c_str());
        written.Load();
        EXPECT_EQ(r.dump, DumpProfile(written)) << r.name;
    }
}

TEST(ProductRecord, ReadsBackWhatThePackWriterWritesAndOneFolderGivesOneKey) {
    TempFolder dir;
    const zembra::ProductRecord written{"Zembra Demo", "2.5", "Beispiel GmbH", "HKEY_CURRENT_USER\\Software\\Demo\\V"};
    zembra::ProductRecord read;
    ASSERT_TRUE(zembra::ReadProductRecord(dir.Write("UnZembra.dat", zembra::ProductRecordText(written)), &read));
    EXPECT_EQ(written.name + "|" + written.version + "|" + written.publisher + "|" + written.regVersion,
              read.name + "|" + read.version + "|" + read.publisher + "|" + read.regVersion);
    EXPECT_FALSE(zembra::ReadProductRecord(dir.Path("fehlt.dat"), &read));

    const std::string key = zembra::UninstallKeyName("C:\\Programme\\Demo\\");
    EXPECT_EQ(key, zembra::UninstallKeyName("c:\\PROGRAMME\\demo"));
    EXPECT_NE(key, zembra::UninstallKeyName("C:\\Programme\\Demo2\\"));
    EXPECT_EQ(0u, key.rfind("Zembra-", 0));
}

TEST(EntryFlags, OnlyEightCharactersCountAndOnlyOnesAreOn) {
    struct Row {
        const char* name;
        const char* text;
        const char* on;  // the positions that are on, as digits
    } rows[] = {
        {"all on", "11111111", "12345678"},
        {"install only", "10000000", "1"},
        {"program hidden and waited for", "10000111", "1678"},
        {"position 1 off, the rest on", "01111111", "2345678"},
        {"other characters are off", "1x2Y 1-1", "168"},
        {"one character", "1", ""},
        {"nine characters beginning with eight ones", "111111111", ""},
        {"seven characters", "1111111", ""},
        {"empty", "", ""},
    };
    for (const Row& r : rows) {
        EntryFlags f = DecodeEntryFlags(r.text);
        std::string on;
        const bool positions[] = {f.install,         f.askBeforeOverwrite, f.clearReadOnly, f.replaceAtRestart,
                                  f.compareVersions, f.startProgram,       f.startHidden,   f.waitForEnd};
        for (int k = 0; k < 8; ++k)
            if (positions[k]) on += static_cast<char>('1' + k);
        EXPECT_EQ(r.on, on) << r.name;
    }
}
