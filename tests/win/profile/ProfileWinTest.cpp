// The profile store on Windows: its messages in the system's message box, the ANSI code page's letter
// case, and files written through the system's file functions.
#include "framework/AnsiText.h"
#include "install/Texts.h"
#include "profile/CNyStringArray.h"
#include "profile/CProfileDocument.h"
#include "tests/win/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

// A fresh folder under the temporary folder, removed with its files at the end.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_path = std::string(base) + "zembra-profile-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++s_count);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((m_path + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                std::string full = m_path + "\\" + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileA(full.c_str())) RemoveDirectoryA(full.c_str());
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        RemoveDirectoryA(m_path.c_str());
    }
    std::string File(const char* name) const { return m_path + "\\" + name; }

private:
    static int s_count;
    std::string m_path;
};
int TempFolder::s_count = 0;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
             WriteFile(path, "[Doc]\r\nA=1\r\n\r\n\tB=2\r\n");
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
        std::string path = folder.File("Zembra.ini");
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
    missing.SetPath(folder.File("none.ini").c_str());
    EXPECT_FALSE(missing.Load());

    std::string path = folder.File("UnZembra.ini");
    WriteFile(path, "old content that is replaced whole");
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    doc.SetInt("Doc", "FileCount", 1);
    doc.SetString("FName", "File0", "BGCGDG");
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ("\r\n[Doc]\r\nFileCount=1\r\n\r\n[FName]\r\nFile0=BGCGDG\r\n", ReadFile(path));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + ".$$$").c_str()));

    CProfileDocument back;
    back.SetPath(path.c_str());
    EXPECT_TRUE(back.Load());
    EXPECT_EQ(CString("BGCGDG"), back.GetString("fname", "FILE0", ""));
    back.m_strPath = folder.File("new.ini").c_str();
    EXPECT_TRUE(back.Save());
    EXPECT_EQ(ReadFile(path), ReadFile(folder.File("new.ini")));
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
