#include "framework/TextLines.h"

#include "framework/CFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::TempFolder;

using namespace std::string_literals;

TEST(TextLines, LinesAreWhatTheRuntimesTextModeDelivers) {
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } rows[] = {
        {"empty file", "", {}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"last line without end", "a\nb", {"a", "b"}},
        {"empty lines count", "\n\na\n", {"", "", "a"}},
        {"lone CR stays", "a\rb\n", {"a\rb"}},
        {"CR CR LF keeps one CR", "a\r\r\n", {"a\r"}},
        {"CR at the end of the file stays", "a\r", {"a\r"}},
        {"Ctrl-Z ends the file", "a\nb\x1a" "c\nd\n", {"a", "b"}},
        {"Ctrl-Z at a line start", "a\n\x1a" "b\n", {"a"}},
        {"Ctrl-Z first", "\x1a" "a\n", {}},
        {"CR before Ctrl-Z stays", "a\r\x1a", {"a\r"}},
        {"zero byte cuts the line", "ab\0cd\nef\n"s, {"ab", "ef"}},
        {"zero byte before CR LF", "ab\0\r\n"s, {"ab"}},
        {"CR then zero byte", "ab\r\0x\r\n"s, {"ab\r"}},
        {"line of zero bytes is an empty line", "\0\0\nx"s, {"", "x"}},
    };
    for (const Row& r : rows) {
        CTextLines lines(r.bytes.data(), r.bytes.size());
        std::vector<std::string> got;
        const char* line;
        size_t length;
        while (lines.Next(line, length)) got.push_back(std::string(line, length));
        EXPECT_EQ(r.lines, got) << r.name;
    }
}

TEST(TextLines, AWholeFileIsReadToItsEnd) {
    TempFolder dir;
    std::string path = dir.Path("t.txt");
    std::string content(200000, 'b');
    content += "\r\nend";
    dir.Write(path, content);
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    std::vector<char> bytes{'x'};
    ASSERT_TRUE(file.ReadToEnd(bytes));
    EXPECT_EQ("x" + content, std::string(bytes.begin(), bytes.end()));
}

TEST(TextLines, FoldersAndMissingFilesDoNotOpen) {
    TempFolder dir;
    CFile file;
    EXPECT_FALSE(file.Open(dir.Path().c_str(), CFile::modeRead));
    EXPECT_FALSE(file.Open(dir.Path("missing").c_str(), CFile::modeRead));
    EXPECT_TRUE(CFile::Exists(dir.Path().c_str()));
    EXPECT_FALSE(CFile::Exists(dir.Path("missing").c_str()));
    EXPECT_FALSE(CFile::Remove(dir.Path().c_str()));
}
