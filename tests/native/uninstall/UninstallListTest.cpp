#include "tools/uninstall/ProductRecord.h"
#include "tools/uninstall/UninstallList.h"

#include <gtest/gtest.h>

namespace {

std::string Encoded(const std::string& name) {
    std::string letters;
    for (unsigned char b : name) {
        letters += static_cast<char>('A' + (b & 15));
        letters += static_cast<char>('A' + (b >> 4));
    }
    return letters;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : "|") + n;
    return text;
}

TEST(UninstallList, NamesDecodeToFullPathsOnceEachAndFoldersComeDeepestFirst) {
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
         "[Doc]\nDirCount=3\n[FDir]\nDir0=" + Encoded("C:\\P\\") + "\nDir1=" + Encoded("C:\\P\\Daten\\Alt\\") +
             "\nDir2=" + Encoded("C:\\P\\Daten\\") + "\n",
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
        zembra::UninstallList list;
        ASSERT_TRUE(zembra::ParseUninstallList(r.list, &list)) << r.name;
        EXPECT_EQ(r.files, Joined(list.files)) << r.name;
        EXPECT_EQ(r.folders, Joined(list.folders)) << r.name;
        EXPECT_EQ(r.problems, list.problems.size()) << r.name << ": " << Joined(list.problems);
    }
    zembra::UninstallList list;
    EXPECT_FALSE(zembra::ParseUninstallList("[FName]\nFile0=" + Encoded("C:\\a") + "\n", &list)) << "no counts: no list";
    EXPECT_TRUE(zembra::IsInside("C:\\P\\Daten\\a.csv", "c:\\p\\daten"));
    EXPECT_FALSE(zembra::IsInside("C:\\P\\Datenbank\\a.csv", "C:\\P\\Daten"));
}

TEST(UninstallList, OneFolderGivesOneEntryKeyInAnySpelling) {
    const std::string key = zembra::UninstallKeyName("C:\\Programme\\Demo\\");
    EXPECT_EQ(key, zembra::UninstallKeyName("c:\\PROGRAMME\\demo"));
    EXPECT_NE(key, zembra::UninstallKeyName("C:\\Programme\\Demo2\\"));
    EXPECT_EQ(0u, key.rfind("Zembra-", 0));
}

}  // namespace
