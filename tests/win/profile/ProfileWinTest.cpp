// The profile store on Windows: its messages in the system's message box, the ANSI code page's letter
// case, and files written through the system's file functions.
#include "framework/AnsiText.h"
#include "install/Texts.h"
#include "profile/CNyStringArray.h"
#include "profile/CProfileDocument.h"
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <string>

namespace {

using testing_support::TempFolder;

}  // namespace

TEST(ProfileWin, TheStoresMessagesShowInAnErrorBox) {
    struct Row {
        const char* name;
        std::function<bool(const std::string& path)> run;  // the operation's result
        std::string expected;                              // with "%" standing for the path
    } rows[] = {
        {"folder in the place of the file to load",
         [](const std::string& path) {
             CreateDirectoryA(path.c_str(), nullptr);
             CProfileDocument doc;
             doc.SetPath(path.c_str());
             return doc.Load();
         },
         "Die Datei\n%\nnicht gefunden"},
        {"line starting with a tab",
         [](const std::string& path) {
             std::ofstream(path, std::ios::binary) << "[Doc]\r\nA=1\r\n\r\n\tB=2\r\n";
             CProfileDocument doc;
             doc.SetPath(path.c_str());
             return doc.Load();
         },
         "Die Datei\n%\nhat einen falschen Datentyp in\nZeile 4"},
        {"folder in the place of the file to save",
         [](const std::string& path) {
             CreateDirectoryA(path.c_str(), nullptr);
             CProfileDocument doc;
             doc.SetPath(path.c_str());
             doc.SetString("Doc", "FileCount", "1");
             return doc.Save();
         },
         "Die Datei\n%\nließ sich nicht speichern"},
    };
    for (const Row& r : rows) {
        TempFolder folder;
        std::string path = folder.Path("Zembra.ini");
        std::string expected = r.expected;
        expected.replace(expected.find('%'), 1, path);
        MessageBoxWatcher boxes(IDOK);
        EXPECT_FALSE(r.run(path)) << r.name;
        ASSERT_TRUE(boxes.WaitForBoxes(1)) << r.name;
        MessageBoxWatcher::Box box = boxes.Boxes()[0];
        EXPECT_EQ("Error!", box.caption) << r.name;
        EXPECT_EQ(expected, box.text) << r.name;
        EXPECT_TRUE(box.hasIcon) << r.name;
        EXPECT_EQ(std::vector<int>{IDOK}, box.buttons) << r.name;
        EXPECT_FALSE(boxes.Stuck()) << r.name;
    }
}

TEST(ProfileWin, MissingFilesAndGoodFilesShowNothing) {
    TempFolder folder;
    MessageBoxWatcher boxes(IDOK);
    CProfileDocument missing;
    missing.SetPath(folder.Path("none.ini").c_str());
    EXPECT_FALSE(missing.Load());

    std::string path = folder.Path("UnZembra.ini");
    folder.Write(path, "old content that is replaced whole");
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    doc.SetInt("Doc", "FileCount", 1);
    doc.SetString("FName", "File0", "BGCGDG");
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ("\r\n[Doc]\r\nFileCount=1\r\n\r\n[FName]\r\nFile0=BGCGDG\r\n", TempFolder::Read(path));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + ".$$$").c_str()));

    CProfileDocument back;
    back.SetPath(path.c_str());
    EXPECT_TRUE(back.Load());
    EXPECT_EQ(CString("BGCGDG"), back.GetString("fname", "FILE0", ""));
    back.m_strPath = folder.Path("new.ini").c_str();
    EXPECT_TRUE(back.Save());
    EXPECT_EQ(TempFolder::Read(path), TempFolder::Read(folder.Path("new.ini")));
    Sleep(200);  // a box would have been found by now
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(ProfileWin, NamesFoldUmlautsInTheAnsiCodePage) {
    ASSERT_EQ(1252u, GetACP());
    struct Row {
        const char* a;
        const char* b;
        bool equal;
    } rows[] = {
        {"\xc4nderung", "\xe4NDERUNG", true},     // Ä ä
        {"Gr\xd6\xdf" "e", "gr\xf6\xdf" "E", true},  // Ö ö, ß itself
        {"\xdc" "ber", "\xfc" "ber", true},       // Ü ü
        {"\xdc" "ber", "Uber", false},
        {"Stra\xdf" "e", "STRASSE", false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.equal, AnsiCompareNoCase(r.a, r.b) == 0) << r.a << " / " << r.b;

        CProfileDocument doc;
        doc.SetString(r.a, r.a, "v");
        EXPECT_EQ(CString(r.equal ? "v" : "-"), doc.GetString(r.b, r.b, "-")) << r.a << " / " << r.b;

        CNyStringArray list;
        list.Add(r.a);
        EXPECT_EQ(!r.equal, list.AddUnique(r.b)) << r.a << " / " << r.b;
        EXPECT_EQ(r.equal ? 0 : -1, ContainsNoCase(r.a, r.b)) << r.a << " / " << r.b;
    }
}
