#include "install/Texts.h"

#include "profile/CProfileDocument.h"

#include <gtest/gtest.h>

#include <string>

TEST(Texts, NumberedTextsComeFromDocWithLineBreaks) {
    CProfileDocument doc;
    doc.SetString("Doc", "Text1", "Wirklich\x06" "abbrechen?");
    doc.SetString("Doc", "Text10", "Ordner:\t[1]\x06\x06" "Datei:\t[2]");
    doc.SetString("Other", "Text2", "not here");
    struct Row {
        long number;
        const char* text;
    } rows[] = {
        {1, "Wirklich\nabbrechen?"},
        {10, "Ordner:\t[1]\n\nDatei:\t[2]"},
        {2, ""},
        {-1, ""},
    };
    for (const Row& r : rows) EXPECT_EQ(CString(r.text), GetText(doc, r.number)) << r.number;
}

TEST(Texts, FormatTextFillsTheMarkersInTurn) {
    struct Row {
        const char* name;
        CString result;
        const char* expected;
    } rows[] = {
        {"no arguments: template unchanged", FormatText("Keep [1] as is"), "Keep [1] as is"},
        {"one argument, used twice", FormatText("[1] and [1]", "x"), "x and x"},
        {"eight arguments", FormatText("[8][7][6][5][4][3][2][1]", "a", "b", "c", "d", "e", "f", "g", "h"),
         "hgfedcba"},
        {"nine arguments", FormatText("[1]", "a", "b", "c", "d", "e", "f", "g", "h", "i"), "ERROR!"},
        {"marker beyond the arguments stays", FormatText("[1]-[3]", "a", "b"), "a-[3]"},
        {"shorter replacement at the very end", FormatText("Size: [3]", "", "", "7"), "Size: 7"},
        {"empty replacement at the end", FormatText("Ordner [1]", ""), "Ordner "},
        {"longer replacements grow the text", FormatText("[1][1][1]", "0123456789"),
         "012345678901234567890123456789"},
        {"marker inserted by an earlier argument is filled", FormatText("[1]!", "see [2]", "two"), "see two!"},
        {"inserted text is not searched for its own marker", FormatText("[1]", "[1][1]"), "[1][1]"},
        {"a later argument's marker stays in a later one", FormatText("[2]", "one", "[1]"), "[1]"},
        {"the list ends at the first null", FormatText("[1][2]", "a", nullptr, "c"), "a[2]"},
        {"strings and texts mix", FormatText("[1]/[2]", CString("dir"), "file"), "dir/file"},
        {"brackets that are no marker", FormatText("[0][9][x][", "a"), "[0][9][x]["},
        {"umlauts pass unchanged", FormatText("Gr\xf6\xdf" "e: [1]", "\xe4"), "Gr\xf6\xdf" "e: \xe4"},
    };
    for (const Row& r : rows) EXPECT_EQ(CString(r.expected), r.result) << r.name;
}

TEST(Texts, ReplaceAllInBufferCountsAndResumesBehindEachReplacement) {
    struct Row {
        const char* name;
        const char* text;
        const char* marker;
        const char* replacement;
        int count;
        const char* expected;
    } rows[] = {
        {"none", "abc", "[1]", "x", 0, "abc"},
        {"empty marker", "abc", "", "x", 0, "abc"},
        {"several", "[1]a[1]b[1]", "[1]", "xy", 3, "xyaxybxy"},
        {"replacement holds the marker", "[1]", "[1]", "[1][1]", 1, "[1][1]"},
        {"overlapping occurrences", "aaaa", "aa", "b", 2, "bb"},
        {"whole text", "[2]", "[2]", "", 1, ""},
    };
    for (const Row& r : rows) {
        CString buffer(r.text);
        EXPECT_EQ(r.count, ReplaceAllInBuffer(buffer, r.marker, r.replacement)) << r.name;
        EXPECT_EQ(CString(r.expected), buffer) << r.name;
    }
}

TEST(Texts, DecimalTextIsSignedDecimal) {
    EXPECT_EQ(CString("0"), DecimalText(0));
    EXPECT_EQ(CString("1048576"), DecimalText(1048576));
    EXPECT_EQ(CString("-12"), DecimalText(-12));
}

TEST(Texts, ContainsNoCaseGivesThePositionOfTheFirstOccurrence) {
    struct Row {
        const char* text;
        const char* part;
        int position;
    } rows[] = {
        {"/auto", "/auto", 0},
        {"/AUTO", "/auto", 0},
        {"/Auto /x", "/auto", 0},
        {"/x /auto", "/auto", 3},
        {"", "/auto", -1},
        {"/aut", "/auto", -1},
        {"C:\\<installdir>\\Bin", "<INSTALLDIR>", 3},
        {"\xe4" "nderung", "\xc4NDERUNG", 0},
        {"abc", "", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(r.position, ContainsNoCase(r.text, r.part)) << r.text << " / " << r.part;
}

TEST(Texts, ReplaceAllExactEndsForEveryInput) {
    struct Row {
        const char* name;
        const char* text;
        const char* searched;
        const char* replacement;
        const char* expected;
    } rows[] = {
        {"plain", "a<X>b<X>", "<X>", "yy", "ayybyy"},
        {"case-sensitive", "<x>", "<X>", "y", "<x>"},
        {"run of backslashes collapses", "C:\\\\\\\\Prog\\\\\\Bin", "\\\\", "\\", "C:\\Prog\\Bin"},
        {"shrinking forms new occurrences", "aab", "ab", "b", "b"},
        {"replacement holds the searched text", "<I>\\x", "<I>", "C:\\<I>\\", "C:\\<I>\\\\x"},
        {"replacement equal to the searched text", "abab", "ab", "ab", "abab"},
        {"empty searched text", "abc", "", "x", "abc"},
        {"empty text", "", "a", "b", ""},
        {"replacement empty", "xaxax", "a", "", "xxx"},
    };
    for (const Row& r : rows) {
        CString text(r.text);
        ReplaceAllExact(text, r.searched, r.replacement);
        EXPECT_EQ(CString(r.expected), text) << r.name;
    }
}

TEST(Texts, PlaceholdersExpandToTheFolders) {
    struct Row {
        const char* name;
        const char* path;
        const char* installDir;
        const char* expected;
    } rows[] = {
        {"install folder without backslash behind", "<INSTALLDIR>Bin", "C:\\Prog\\", "C:\\Prog\\Bin"},
        {"install folder with backslash behind", "<INSTALLDIR>\\Bin", "C:\\Prog\\", "C:\\Prog\\Bin"},
        {"install folder alone", "<INSTALLDIR>", "C:\\Prog\\", "C:\\Prog\\"},
        {"windows folder", "<WINDOWS>Fonts", "C:\\Prog\\", "C:\\Windows\\Fonts"},
        {"system folder", "<SYSTEM>\\drivers\\", "C:\\Prog\\", "C:\\Windows\\System32\\drivers\\"},
        {"all three", "<INSTALLDIR>a;<WINDOWS>b;<SYSTEM>c", "D:\\P\\", "D:\\P\\a;C:\\Windows\\b;C:\\Windows\\System32\\c"},
        {"lower case stays as written", "<installdir>Bin", "C:\\Prog\\", "<installdir>Bin"},
        {"mixed case stays as written", "<InstallDir>\\Bin", "C:\\Prog\\", "<InstallDir>\\Bin"},
        {"no placeholder, doubled backslashes collapse", "C:\\\\a\\\\\\b", "C:\\Prog\\", "C:\\a\\b"},
        {"network path keeps its two backslashes", "\\\\server\\\\share\\x", "C:\\Prog\\", "\\\\server\\share\\x"},
        {"three backslashes at the start become a network path", "\\\\\\server\\x", "C:\\Prog\\",
         "\\\\server\\x"},
        {"network install folder", "<INSTALLDIR>Bin", "\\\\server\\share\\", "\\\\server\\share\\Bin"},
        {"install folder typed with the placeholder in it", "<INSTALLDIR>Bin", "C:\\<INSTALLDIR>\\",
         "C:\\<INSTALLDIR>\\Bin"},
        {"install folder holding another placeholder", "<INSTALLDIR>x", "C:\\<WINDOWS>",
         "C:\\C:\\Windows\\x"},
    };
    for (const Row& r : rows) {
        CString path(r.path);
        ExpandPathPlaceholders(path, r.installDir, "C:\\Windows\\", "C:\\Windows\\System32\\");
        EXPECT_EQ(CString(r.expected), path) << r.name;
    }
}
