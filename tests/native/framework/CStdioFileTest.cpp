#include "framework/CFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

TEST(StdioFile, ReadsLinesAsTheRuntimesTextModeDelivers) {
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
        {"CR before Ctrl-Z", "a\r\x1a", {"a\r"}},
        {"zero byte cuts the line", "ab\0cd\nef\n"s, {"ab", "ef"}},
        {"line of zero bytes is an empty line", "\0\0\nx"s, {"", "x"}},
    };
    for (const Row& r : rows) {
        TempDir dir;
        std::string path = dir.File("t.txt");
        TempDir::Write(path, r.bytes);
        CStdioFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead)) << r.name;
        std::vector<std::string> lines;
        CString line;
        while (file.ReadString(line)) lines.push_back(line.c_str());
        EXPECT_FALSE(file.HasReadError()) << r.name;
        EXPECT_EQ(r.lines, lines) << r.name;
    }
}

TEST(StdioFile, LinesCrossingTheReadBufferStayWhole) {
    // A CR LF pair split across two reads, and a line longer than the buffer.
    std::string first(65535, 'a');
    std::string longLine(200000, 'b');
    TempDir dir;
    std::string path = dir.File("t.txt");
    TempDir::Write(path, first + "\r\n" + longLine + "\r\nend");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(first, line.c_str());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(longLine, line.c_str());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ("end", std::string(line.c_str()));
    EXPECT_FALSE(file.ReadString(line));
}

TEST(StdioFile, FoldersAndMissingFilesDoNotOpen) {
    TempDir dir;
    CFile file;
    EXPECT_FALSE(file.Open(dir.Path().c_str(), CFile::modeRead));
    EXPECT_FALSE(file.Open(dir.File("missing").c_str(), CFile::modeRead));
    EXPECT_TRUE(CFile::Exists(dir.Path().c_str()));
    EXPECT_FALSE(CFile::Exists(dir.File("missing").c_str()));
    EXPECT_FALSE(CFile::Remove(dir.Path().c_str()));
}
