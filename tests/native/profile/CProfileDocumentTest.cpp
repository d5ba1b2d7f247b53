#include "profile/CProfileDocument.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Keys added in order to one section, the way Load appends them.
void AddKeys(CProfileDocument& doc, const char* section, const std::vector<std::pair<const char*, const char*>>& keys) {
    CProfileEntry* s = doc.FindSection(section);
    if (!s) s = doc.AddSection(section);
    for (const auto& k : keys) doc.AddKey(s, k.first, k.second);
}

int IndexOf(const CProfileEntry* section, const CProfileEntry* key) {
    return key ? static_cast<int>(key - section->m_Keys.data()) : -1;
}

}  // namespace

TEST(ProfileDocument, NamesMatchWhateverTheCaseButKeepTheirSpaces) {
    struct Row {
        const char* name;
        const char* section;  // as stored
        const char* key;
        const char* lookupSection;
        const char* lookupKey;
        bool found;
    } rows[] = {
        {"lower-case header, capital lookup", "doc", "ProName", "Doc", "PRONAME", true},
        {"umlauts fold in the code page", "\xc4nderung", "Gr\xf6\xdf" "e", "\xe4NDERUNG", "GR\xd6\xdf" "E", true},
        {"space before '=' belongs to the name", "Doc", "ProName ", "Doc", "ProName", false},
        {"space in the section name", " Doc", "k", "Doc", "k", false},
        {"empty section name", "", "k", "", "K", true},
        {"different name", "Doc", "Text1", "Doc", "Text10", false},
    };
    for (const Row& r : rows) {
        CProfileDocument doc;
        AddKeys(doc, r.section, {{r.key, "value"}});
        EXPECT_EQ(r.found, doc.LookupKey(r.lookupSection, r.lookupKey) != nullptr) << r.name;
        EXPECT_EQ(CString(r.found ? "value" : "dflt"), doc.GetString(r.lookupSection, r.lookupKey, "dflt")) << r.name;
    }
}

TEST(ProfileDocument, TheCursorDecidesWhichDuplicateKeyIsFound) {
    // Section S: a b dup c other dup (duplicates at 2 and 5); T: x at 1 and 6.
    struct Step {
        const char* section;
        const char* key;
        int index;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
    } rows[] = {
        {"fresh cursor finds the first", {{"S", "dup", 2}}},
        {"after a key at 4 the later duplicate", {{"S", "other", 4}, {"S", "dup", 5}}},
        {"at the later one it stays there", {{"S", "other", 4}, {"S", "dup", 5}, {"S", "dup", 5}}},
        {"a key before the cursor wraps to the start", {{"S", "other", 4}, {"S", "a", 0}, {"S", "dup", 2}}},
        {"changing section resets the cursor", {{"S", "other", 4}, {"T", "x", 1}, {"S", "dup", 2}}},
        {"a miss resets the cursor", {{"S", "other", 4}, {"S", "none", -1}, {"S", "dup", 2}}},
        {"a missing section keeps the current one", {{"S", "other", 4}, {"Q", "dup", -1}, {"S", "dup", 2}}},
    };
    for (const Row& r : rows) {
        CProfileDocument doc;
        AddKeys(doc, "S", {{"a", ""}, {"b", ""}, {"dup", "first"}, {"c", ""}, {"other", ""}, {"dup", "second"}});
        AddKeys(doc, "T", {{"y", ""}, {"x", ""}, {"y", ""}, {"y", ""}, {"y", ""}, {"y", ""}, {"x", ""}});
        for (const Step& step : r.steps) {
            CProfileEntry* key = doc.LookupKey(step.section, step.key);
            EXPECT_EQ(step.index, IndexOf(doc.FindSection(step.section), key)) << r.name << ": " << step.key;
        }
    }
}

TEST(ProfileDocument, LargeSectionsFindKeysByNameAndKeepTheCursorRuleForRepeatedOnes) {
    CProfileDocument doc;
    CProfileEntry* big = doc.AddSection("Big");
    for (int i = 0; i < 40; ++i) doc.AddKey(big, ("File" + std::to_string(i)).c_str(), "");
    for (int i : {39, 0, 17, 5}) EXPECT_EQ(i, IndexOf(big, doc.LookupKey("big", ("FILE" + std::to_string(i)).c_str())));
    EXPECT_EQ(5, doc.m_nLastKeyIndex);
    EXPECT_EQ(nullptr, doc.LookupKey("Big", "File40"));
    EXPECT_EQ(-1, doc.m_nLastKeyIndex);
    doc.AddKey(big, "file3", "again");  // a repeated name: the cursor decides again
    EXPECT_EQ(3, IndexOf(big, doc.LookupKey("Big", "File3")));
    EXPECT_EQ(30, IndexOf(big, doc.LookupKey("Big", "File30")));
    EXPECT_EQ(40, IndexOf(big, doc.LookupKey("Big", "File3")));
}

TEST(ProfileDocument, SettingKeepsTheCursorAcrossSectionsWhileReadingResetsIt) {
    CProfileDocument doc;
    AddKeys(doc, "S", {{"a", ""}, {"b", ""}, {"c", ""}, {"d", ""}, {"other", ""}});
    AddKeys(doc, "T", {{"y", ""}, {"x", "one"}, {"y", ""}, {"y", ""}, {"y", ""}, {"y", ""}, {"x", "two"}});
    doc.LookupKey("S", "other");  // cursor 4
    ASSERT_EQ(4, doc.m_nLastKeyIndex);
    doc.SetString("T", "x", "set");  // the set path searches T from the cursor left by S
    EXPECT_EQ(CString("one"), doc.FindSection("T")->m_Keys[1].m_strValue);
    EXPECT_EQ(CString("set"), doc.FindSection("T")->m_Keys[6].m_strValue);

    doc.LookupKey("S", "other");
    EXPECT_EQ(CString("one"), doc.GetString("T", "x", ""));  // the read path starts T afresh
}

TEST(ProfileDocument, TheFirstSectionOfANameAnswersLookupsAndSets) {
    CProfileDocument doc;
    AddKeys(doc, "A", {{"k", "1"}});
    doc.AddSection("B");
    CProfileEntry* second = doc.AddSection("a");
    doc.AddKey(second, "k", "2");
    doc.AddKey(second, "j", "3");

    EXPECT_EQ(CString("1"), doc.GetString("A", "k", ""));
    EXPECT_EQ(CString("none"), doc.GetString("A", "j", "none"));
    doc.SetString("a", "j", "new");
    EXPECT_EQ(2, doc.FindSection("A")->m_nKeyCount);
    EXPECT_EQ(&doc.m_Sections[0], doc.FindSection("a"));
    EXPECT_EQ(CString("3"), second->m_Keys[1].m_strValue);
}

TEST(ProfileDocument, SetsReplaceInPlaceOrAppend) {
    struct Row {
        const char* name;
        bool uniqueKeys;
        const char* section;
        const char* key;
        const char* expected;  // sections and keys afterwards
    } rows[] = {
        {"existing key keeps its place", true, "S", "b", "S:a=1 b=new c=3 |T:x=9 |"},
        {"other case, same key", true, "s", "B", "S:a=1 b=new c=3 |T:x=9 |"},
        {"new key goes to the end of its section", true, "S", "d", "S:a=1 b=2 c=3 d=new |T:x=9 |"},
        {"new section goes to the end of the document", true, "U", "k", "S:a=1 b=2 c=3 |T:x=9 |U:k=new |"},
        {"without unique keys a set appends", false, "S", "b", "S:a=1 b=2 c=3 b=new |T:x=9 |"},
    };
    for (const Row& r : rows) {
        CProfileDocument doc;
        AddKeys(doc, "S", {{"a", "1"}, {"b", "2"}, {"c", "3"}});
        AddKeys(doc, "T", {{"x", "9"}});
        doc.m_bUniqueKeys = r.uniqueKeys;
        EXPECT_TRUE(doc.SetString(r.section, r.key, "new")) << r.name;
        std::string shape;
        for (int s = 0; s < doc.m_nSectionCount; ++s) {
            shape += std::string(doc.m_Sections[s].m_strName.c_str()) + ":";
            for (const CProfileEntry& k : doc.m_Sections[s].m_Keys)
                shape += std::string(k.m_strName.c_str()) + "=" + k.m_strValue.c_str() + " ";
            shape += "|";
        }
        EXPECT_EQ(r.expected, shape) << r.name;
    }
}

TEST(ProfileDocument, ANewSectionFromASetDoesNotBecomeCurrent) {
    CProfileDocument doc;
    AddKeys(doc, "S", {{"a", "1"}});
    doc.GetString("S", "a", "");
    CProfileEntry* current = doc.m_pCurrentSection;
    ASSERT_NE(nullptr, current);
    doc.SetString("New", "k", "v");
    EXPECT_EQ(current, doc.m_pCurrentSection);
    doc.SetString("New", "k", "w");  // found now, and current from here on
    EXPECT_EQ(doc.FindSection("New"), doc.m_pCurrentSection);
    EXPECT_EQ(1, doc.FindSection("New")->m_nKeyCount);
}

TEST(ProfileDocument, GetIntReadsAsAtolDoes) {
    struct Row {
        const char* name;
        const char* value;  // null: no such key
        int32_t expected;
    } rows[] = {
        {"missing key gives the default", nullptr, 77},
        {"plain number", "1234", 1234},
        {"digits then letters", "42abc", 42},
        {"no leading digit", "abc12", 0},
        {"empty value is 0, not the default", "", 0},
        {"leading blanks and a tab", " \t 15", 15},
        {"minus sign", "-17", -17},
        {"plus sign", "+5", 5},
        {"sign without digits", "-x", 0},
        {"blank between sign and digits", "- 3", 0},
        {"largest unsigned value written by SetInt", "4294967295", -1},
        {"just beyond the signed range", "2147483648", INT32_MIN},
        {"largest signed value", "2147483647", INT32_MAX},
    };
    for (const Row& r : rows) {
        CProfileDocument doc;
        AddKeys(doc, "Doc", {{"Other", "5"}});
        if (r.value) doc.SetString("Doc", "Value", r.value);
        EXPECT_EQ(r.expected, doc.GetInt("Doc", "Value", 77)) << r.name;
    }
}

TEST(ProfileDocument, SetIntWritesUnsignedDecimal) {
    struct Row {
        uint32_t value;
        const char* text;
    } rows[] = {{0, "0"}, {17, "17"}, {2147483648u, "2147483648"}, {static_cast<uint32_t>(-1), "4294967295"}};
    for (const Row& r : rows) {
        CProfileDocument doc;
        EXPECT_TRUE(doc.SetInt("Doc", "FileCount", r.value));
        EXPECT_EQ(CString(r.text), doc.GetString("Doc", "FileCount", "")) << r.text;
        EXPECT_EQ(static_cast<int32_t>(r.value), doc.GetInt("Doc", "FileCount", 5)) << r.text;
    }
}

TEST(ProfileDocument, SlotsGrowInTheirStepsAndAStepDropsTheCurrentSection) {
    struct Row {
        const char* name;
        int sectionsBefore;
        int slotsAfterAdding;
        bool currentDropped;
    } sectionRows[] = {
        {"first section of a document (nothing current yet)", 0, 1000, false},
        {"the 991st still fits", 990, 1000, false},
        {"the 992nd makes room for 2000", 991, 2000, true},
        {"the 1992nd makes room for 3000", 1991, 3000, true},
    };
    for (const Row& r : sectionRows) {
        CProfileDocument doc;
        for (int i = 0; i < r.sectionsBefore; ++i) doc.AddSection("S" + CString('x', i % 7));
        if (r.sectionsBefore > 0) doc.GetString("S", "k", "");  // makes the first section current
        CProfileEntry* before = doc.m_pCurrentSection;
        doc.AddSection("Last");
        EXPECT_EQ(r.slotsAfterAdding, doc.m_nSectionSlots) << r.name;
        EXPECT_EQ(r.currentDropped, before != nullptr && doc.m_pCurrentSection == nullptr) << r.name;
        if (!r.currentDropped && before) {
            EXPECT_EQ(before, doc.m_pCurrentSection) << r.name;
        }
    }

    struct KeyRow {
        const char* name;
        int keysBefore;
        int slotsAfterAdding;
    } keyRows[] = {
        {"a new section has 20", 0, 20},
        {"the 11th key still fits", 10, 20},
        {"the 12th makes room for 120", 11, 120},
        {"the 111th still fits", 110, 120},
        {"the 112th makes room for 220", 111, 220},
    };
    for (const KeyRow& r : keyRows) {
        CProfileDocument doc;
        CProfileEntry* s = doc.AddSection("S");
        for (int i = 0; i < r.keysBefore; ++i) doc.AddKey(s, "k", "v");
        doc.AddKey(s, "last", "v");
        EXPECT_EQ(r.slotsAfterAdding, s->m_nKeySlots) << r.name;
        EXPECT_EQ(r.keysBefore + 1, s->m_nKeyCount) << r.name;
    }
}

TEST(ProfileDocument, ManySectionsKeepTheirOrderAndFirstNameWins) {
    CProfileDocument doc;
    for (int i = 0; i < 5000; ++i) {
        CString name;
        name.Format("PFile%d", i % 2500);  // every name twice
        doc.AddKey(doc.AddSection(name), "FName", name + (i < 2500 ? "a" : "b"));
    }
    for (int i = 0; i < 2500; i += 97) {
        CString name;
        name.Format("pfile%d", i);
        CProfileEntry* found = doc.FindSection(name);
        ASSERT_NE(nullptr, found) << i;
        EXPECT_EQ(&doc.m_Sections[static_cast<size_t>(i)], found) << i;
        EXPECT_EQ(CString(CString("PFile") + name.Mid(5) + "a"), doc.GetString(name, "fname", "")) << i;
    }
    EXPECT_EQ(nullptr, doc.FindSection("PFile2500"));
}

TEST(ProfileDocument, SetPathPreparesTheHeaderCommentsOnce) {
    CProfileDocument doc;
    EXPECT_TRUE(doc.m_bUniqueKeys);
    EXPECT_EQ(-1, doc.m_nLastKeyIndex);
    doc.SetPath("a.ini");
    ASSERT_EQ(2000u, doc.m_HeaderComments.size());
    CProfileDocument::AddCommentLine(doc.m_HeaderComments, ";one");
    doc.SetPath("b.ini");
    EXPECT_EQ(2001u, doc.m_HeaderComments.size());
    EXPECT_EQ(CString(";one"), doc.m_HeaderComments.back());
}

TEST(ProfileDocument, CommentLinesAreAddedOnceWhateverTheirCase) {
    struct Row {
        const char* name;
        std::vector<const char*> lines;
        std::vector<const char*> expected;
    } rows[] = {
        {"distinct lines in order", {";a", "#b", ";c"}, {";a", "#b", ";c"}},
        {"repeated line once", {";a", ";b", ";a"}, {";a", ";b"}},
        {"other case is the same line", {"; Hello", "; HELLO"}, {"; Hello"}},
        {"spaces make a difference", {";a", "; a"}, {";a", "; a"}},
    };
    for (const Row& r : rows) {
        std::vector<CString> list;
        for (const char* line : r.lines) CProfileDocument::AddCommentLine(list, line);
        std::vector<std::string> got;
        for (const CString& c : list) got.push_back(c.c_str());
        EXPECT_EQ(std::vector<std::string>(r.expected.begin(), r.expected.end()), got) << r.name;
    }
}
