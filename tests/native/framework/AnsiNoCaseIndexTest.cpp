#include "framework/AnsiNoCaseIndex.h"

#include "framework/AnsiText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(AnsiNoCaseIndex, NamesThatCompareEqualShareTheirHash) {
    // Every pair of bytes, alone and inside a name: the comparison decides, the hash must follow.
    for (int a = 1; a < 256; ++a) {
        for (int b = 1; b < 256; ++b) {
            const std::string x = "C:\\" + std::string(1, char(a)) + "x", y = "C:\\" + std::string(1, char(b)) + "x";
            if (AnsiCompareNoCase(x.c_str(), y.c_str()) != 0) continue;
            ASSERT_EQ(AnsiNoCaseIndex::Hash(x.c_str()), AnsiNoCaseIndex::Hash(y.c_str())) << a << " " << b;
        }
    }
    EXPECT_NE(AnsiNoCaseIndex::Hash("datei17.txt"), AnsiNoCaseIndex::Hash("datei18.txt"));
    EXPECT_NE(AnsiNoCaseIndex::Hash("abc"), AnsiNoCaseIndex::Hash("abd"));
}

TEST(AnsiNoCaseIndex, FindsTheFirstIdOfANameWhateverItsCase) {
    const std::vector<std::string> names = {"Liesmich.txt", "\xc4nderung", "LIESMICH.TXT", "\xe4NDERUNG", "x"};
    auto nameOf = [&](uint32_t i) { return names[i].c_str(); };
    AnsiNoCaseIndex index;
    const uint32_t kNone = AnsiNoCaseIndex::kNone;
    std::vector<uint32_t> inserted;
    for (uint32_t i = 0; i < names.size(); ++i) inserted.push_back(index.Insert(i, names[i].c_str(), nameOf));
    EXPECT_EQ((std::vector<uint32_t>{kNone, kNone, 0, 1, kNone}), inserted);
    EXPECT_EQ(3u, index.Size());
    struct Row {
        const char* name;
        uint32_t id;
    } rows[] = {{"liesmich.TXT", 0}, {"\xc4NDERUNG", 1}, {"X", 4}, {"y", kNone}, {"", kNone}};
    for (const Row& r : rows) EXPECT_EQ(r.id, index.Find(r.name, nameOf)) << r.name;
    index.Clear();
    EXPECT_EQ(kNone, index.Find("x", nameOf));
}
