#include "install/EntryFlags.h"
#include "install/FileList.h"

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
        {"empty", "", ""},
        {"backslash and colon", "C:\\", "DEKDMF"},
        {"umlauts above 127", "\xe4\xf6\xfc\xdf", "EOGPMPPN"},
        {"bytes 1 and 255", "\x01\xff", "BAPP"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.encoded, EncodeName(r.plain.c_str()).c_str()) << r.name;
        EXPECT_EQ(r.plain, DecodeName(r.encoded.c_str()).c_str()) << r.name;
    }

    // Every byte value (but the terminator) survives the round trip.
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    CString encoded = EncodeName(all.c_str());
    ASSERT_EQ(510, encoded.GetLength());
    for (int i = 0; i < encoded.GetLength(); ++i) {
        ASSERT_GE(encoded[i], 'A') << i;
        ASSERT_LE(encoded[i], 'P') << i;
    }
    EXPECT_EQ(all, DecodeName(encoded).c_str());
}

TEST(FileListNames, DecodingTakesWholePairsOfAnyLength) {
    struct Row {
        const char* name;
        std::string encoded;
        std::string plain;
    } rows[] = {
        {"a letter left over is dropped", "BGC", "a"},
        {"a name longer than a path stays whole", std::string(700, 'B'), std::string(350, '\x11')},
    };
    for (const Row& r : rows) EXPECT_EQ(r.plain, DecodeName(r.encoded.c_str()).c_str()) << r.name;
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
        MergeFileList(path.c_str(), *Fill(files, run.files), *Fill(folders, run.folders));
        EXPECT_EQ(run.listedFiles, Strings(files)) << "run " << number;
        EXPECT_EQ(run.listedFolders, Strings(folders)) << "run " << number;

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

TEST(FileListMerge, EmptyValuesArePassedOverAndKeysBeyondTheCountsStay) {
    TempFolder dir;
    const std::string path = dir.Path("UnZembra.ini");
    dir.Write(path, "[Doc]\r\nFileCount=3\r\nDirCount=0\r\n[FName]\r\nFile0=\r\nFile1=" +
                             std::string(EncodeName("C:\\alt.txt")) + "\r\nFile2=" +
                             std::string(EncodeName("C:\\neu.txt")) + "\r\nFile7=" +
                             std::string(EncodeName("C:\\jenseits.txt")) + "\r\n");
    CNyStringArray files, folders;
    MergeFileList(path.c_str(), *Fill(files, {"C:\\NEU.txt"}), folders);
    EXPECT_EQ((std::vector<std::string>{"C:\\NEU.txt", "C:\\alt.txt"}), Strings(files));

    CProfileDocument written;
    written.SetPath(path.c_str());
    ASSERT_TRUE(written.Load());
    EXPECT_EQ("S:Doc\nK:FileCount=2\nK:DirCount=0\nS:FName\nK:File0=" + std::string(EncodeName("C:\\NEU.txt")) +
                  "\nK:File1=" + std::string(EncodeName("C:\\alt.txt")) + "\nK:File2=" +
                  std::string(EncodeName("C:\\neu.txt")) + "\nK:File7=" + std::string(EncodeName("C:\\jenseits.txt")) +
                  "\n",
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
        MergeFileList(path.c_str(), *Fill(files, r.files), *Fill(folders, r.folders));
        CProfileDocument written;
        written.SetPath(path.c_str());
        written.Load();
        EXPECT_EQ(r.dump, DumpProfile(written)) << r.name;
    }
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
