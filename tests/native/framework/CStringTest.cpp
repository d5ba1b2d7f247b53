#include "framework/CString.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CString, EmptyStringsShareNothingAndCompareEqual) {
    CString a, b("");
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a, b);
    EXPECT_STREQ("", static_cast<const char*>(a));
    a += "x";
    EXPECT_TRUE(b.IsEmpty());
}

TEST(CString, AppendingPartOfItselfKeepsTheText) {
    CString s("abcdef");
    for (int i = 0; i < 6; ++i) s += static_cast<const char*>(s);  // forces reallocation from its own buffer
    EXPECT_EQ(6 * 64, s.GetLength());
    EXPECT_EQ(0, std::strncmp(s, "abcdefabcdef", 12));
}

TEST(CString, ReleaseBufferRemeasuresUpToFirstZero) {
    CString s("C:\\Temp\\");
    char* p = s.GetBuffer(20);
    std::memcpy(p, "C:\\Temp\\\0junk", 13);
    s.ReleaseBuffer();
    EXPECT_EQ(CString("C:\\Temp\\"), s);
    EXPECT_EQ(8, s.GetLength());
}

TEST(CString, SubstringsClampTheirRanges) {
    CString s("Setup.exe");
    EXPECT_EQ(CString("Setup"), s.Left(5));
    EXPECT_EQ(CString("exe"), s.Right(3));
    EXPECT_EQ(CString(".exe"), s.Mid(5));
    EXPECT_EQ(CString(""), s.Mid(20));
    EXPECT_EQ(CString("Setup.exe"), s.Left(100));
    EXPECT_EQ(5, s.Find('.'));
    EXPECT_EQ(-1, s.Find('.', 6));
    EXPECT_EQ(6, s.Find("exe"));
    EXPECT_EQ(5, s.ReverseFind('.'));
}

TEST(CString, FoldsLatin1LettersOfTheAnsiCodePage) {
    struct Row { const char* a; const char* b; bool equal; } rows[] = {
        {"PFile0", "pfile0", true},
        {"\xc4nderung", "\xe4NDERUNG", true},  // Ä / ä
        {"Stra\xdf" "e", "STRASSE", false},     // ß has no single-byte capital
        {"a", "b", false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.equal, CString(r.a).CompareNoCase(r.b) == 0) << r.a << " vs " << r.b;
    }
    CString upper("gr\xf6\xdf" "e");
    upper.MakeUpper();
    EXPECT_EQ(CString("GR\xd6\xdf" "E"), upper);
}

TEST(CString, FormatsIntoAnyLength) {
    CString s;
    s.Format("PFile%ld", 123456L);
    EXPECT_EQ(CString("PFile123456"), s);
    CString big;
    big.Format("%s%s", CString('x', 5000).operator const char*(), "y");
    EXPECT_EQ(5001, big.GetLength());
}
