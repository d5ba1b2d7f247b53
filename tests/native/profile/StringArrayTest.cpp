#include "profile/CNyStringArray.h"

#include "framework/CArchive.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using testing_support::TempFolder;

namespace {

// Opens the protected slot count for the growth rule.
class InspectedArray : public CNyStringArray {
public:
    int Capacity() const { return m_nMaxSize; }
    int GrowBy() const { return m_nGrowBy; }
};

std::vector<std::string> Strings(const CNyNEWStringArray& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetSize(); ++i) out.push_back(list.GetAt(i).c_str());
    return out;
}

}  // namespace

TEST(StringArray, ClassRecordsNameSchemaBaseAndCreation) {
    struct Row {
        const CRuntimeClass* cls;
        const char* name;
        const CRuntimeClass* base;
    } rows[] = {
        {&CNyNEWStringArray::s_runtimeClass, "CNyNEWStringArray", &CObject::s_runtimeClass},
        {&CNyStringArray::s_runtimeClass, "CNyStringArray", &CNyNEWStringArray::s_runtimeClass},
    };
    for (const Row& r : rows) {
        EXPECT_STREQ(r.name, r.cls->m_lpszClassName);
        EXPECT_EQ(0x80000002u, r.cls->m_nSchema) << r.name;
        EXPECT_EQ(r.base, r.cls->m_pBaseClass) << r.name;
        std::unique_ptr<CObject> made(r.cls->CreateObject());
        ASSERT_NE(nullptr, made) << r.name;
        EXPECT_EQ(r.cls, made->GetRuntimeClass()) << r.name;
        EXPECT_TRUE(made->IsKindOf(&CObject::s_runtimeClass)) << r.name;
        EXPECT_EQ(0, static_cast<CNyNEWStringArray*>(made.get())->GetSize()) << r.name;
    }
    CNyStringArray list;
    EXPECT_TRUE(list.IsKindOf(&CNyNEWStringArray::s_runtimeClass));
    CNyNEWStringArray base;
    EXPECT_FALSE(base.IsKindOf(&CNyStringArray::s_runtimeClass));
    EXPECT_EQ(nullptr, CObject::s_runtimeClass.CreateObject());
}

TEST(StringArray, AutomaticGrowthStepRisesWithTheSize) {
    struct Row {
        int adds;
        int capacity;
    } rows[] = {
        {1, 1}, {2, 5}, {5, 5}, {6, 9}, {9, 9}, {10, 13},
        {33, 33},  // size 32 before the step: 32 / 8 = 4 still
        {34, 37},
        {41, 41},
        {42, 46},  // size 41: step 5
        {9000, 9703},
    };
    for (const Row& r : rows) {
        InspectedArray list;
        for (int i = 0; i < r.adds; ++i) EXPECT_EQ(i, list.Add("x")) << r.adds;
        EXPECT_EQ(r.adds, list.GetSize()) << r.adds;
        EXPECT_EQ(r.capacity, list.Capacity()) << r.adds;
    }
}

TEST(StringArray, StepsAboveTheCapLimitTo1024) {
    InspectedArray list;
    list.SetSize(10000);
    list.Add("one more");
    EXPECT_EQ(10000 + 1024, list.Capacity());
    EXPECT_EQ(CString("one more"), list.GetAt(10000));
}

TEST(StringArray, SetSizeKeepsStringsAndHonoursAFixedStep) {
    InspectedArray list;
    list.SetSize(0, 10);
    EXPECT_EQ(10, list.GrowBy());
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(11, list.Capacity());  // first storage is exact, then the fixed step
    list.SetSize(1);
    EXPECT_EQ(std::vector<std::string>{"a"}, Strings(list));
    list.SetSize(3, -1);
    EXPECT_EQ(10, list.GrowBy());
    EXPECT_EQ((std::vector<std::string>{"a", "", ""}), Strings(list));
    list.SetSize(-5);
    EXPECT_EQ(3, list.GetSize());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetSize());
    EXPECT_EQ(0, list.Capacity());
}

TEST(StringArray, SetAtGrowFillsTheGapWithEmptyStrings) {
    struct Row {
        const char* name;
        std::vector<const char*> before;
        int index;
        std::vector<std::string> after;
    } rows[] = {
        {"index 5 of an empty list", {}, 5, {"", "", "", "", "", "new"}},
        {"inside the list replaces", {"a", "b"}, 0, {"new", "b"}},
        {"just behind the end appends", {"a"}, 1, {"a", "new"}},
        {"negative index does nothing", {"a"}, -1, {"a"}},
    };
    for (const Row& r : rows) {
        CNyStringArray list;
        for (const char* s : r.before) list.Add(s);
        list.SetAtGrow(r.index, "new");
        EXPECT_EQ(r.after, Strings(list)) << r.name;
    }
}

TEST(StringArray, AddUniqueComparesWithoutRegardToCase) {
    struct Row {
        const char* name;
        const char* added;
        bool result;
        int size;
    } rows[] = {
        {"new name", "C:\\Prog\\b.dll", true, 3},
        {"same spelling", "C:\\Prog\\a.exe", false, 2},
        {"other case", "c:\\PROG\\A.EXE", false, 2},
        {"umlaut in other case", "C:\\\xdc" "BER\\x", false, 2},
        {"differs in one letter", "C:\\Prog\\a.ex", true, 3},
    };
    for (const Row& r : rows) {
        CNyStringArray list;
        list.Add("C:\\Prog\\a.exe");
        list.Add("C:\\\xfc" "ber\\x");
        EXPECT_EQ(r.result, list.AddUnique(r.added)) << r.name;
        EXPECT_EQ(r.size, list.GetSize()) << r.name;
        EXPECT_TRUE(list.Contains(r.added)) << r.name;
        EXPECT_EQ(CString("C:\\Prog\\a.exe"), list.GetAt(0)) << r.name;
    }
}

TEST(StringArray, AListStoredAndLoadedComesBackTheSame) {
    struct Row {
        const char* name;
        std::vector<std::string> strings;
    } rows[] = {
        {"empty", {}},
        {"a few", {"C:\\Prog\\a.exe", "", "\xfc" "ber"}},
        {"a long string", {std::string(70000, 'q'), "x"}},
        {"many", std::vector<std::string>(70000, "s")},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("list.bin");
        CNyStringArray out;
        for (const std::string& s : r.strings) out.Add(s.c_str());
        {
            CFile file;
            ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
            CArchive ar(&file, CArchive::store);
            out.Serialize(ar);
            EXPECT_TRUE(ar.Close()) << r.name;
            EXPECT_TRUE(file.Close()) << r.name;
        }
        CNyStringArray in;
        in.Add("dropped by the load");
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        in.Serialize(ar);
        EXPECT_FALSE(ar.IsFailed()) << r.name;
        EXPECT_EQ(r.strings, Strings(in)) << r.name;
    }
}

TEST(StringArray, DamagedArchivesLoadAsAnEmptyList) {
    struct Row {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"nothing at all", ""},
        {"count cut short", "\x02"},
        {"count larger than the data", std::string("\x05\x00\x01\x00" "a", 5)},
        {"huge count", std::string("\xff\xff\xff\xff\xff\x7f", 6)},
        {"string cut short", std::string("\x01\x00\x09\x00" "abc", 7)},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("bad.bin");
        dir.Write(path, r.bytes);
        CNyStringArray in;
        in.Add("old");
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        in.Serialize(ar);
        EXPECT_TRUE(ar.IsFailed()) << r.name;
        EXPECT_EQ(0, in.GetSize()) << r.name;
    }
}

TEST(StringArray, ManyNamesKeepTheirOrderAndOneSpellingEach) {
    // Folders and files with umlauts, each added first as it is and then in other letter case; the
    // list keeps the first spelling, in the order of first adding.
    std::vector<std::string> expected;
    CNyStringArray list;
    for (int i = 0; i < 3000; ++i) {
        std::string name = "C:\\Programme\\\xc4nderung" + std::to_string(i % 40) + "\\gr\xf6\xdf" "e" + std::to_string(i);
        std::string other = name;
        for (char& c : other) c = c == '\xc4' ? '\xe4' : c == '\xf6' ? '\xd6' : (c >= 'a' && c <= 'z') ? char(c - 32) : c;
        expected.push_back(name);
        EXPECT_TRUE(list.AddUnique(name.c_str()));
        EXPECT_FALSE(list.AddUnique(other.c_str())) << other;
    }
    EXPECT_EQ(expected, Strings(list));
    // Replacing and removing strings is seen by the next search.
    list.SetAtGrow(0, "neu");
    EXPECT_FALSE(list.Contains(expected[0].c_str()));
    EXPECT_TRUE(list.Contains("NEU"));
    list.RemoveAll();
    EXPECT_TRUE(list.AddUnique(expected[1].c_str()));
}
