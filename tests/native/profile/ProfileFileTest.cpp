#include "profile/CProfileDocument.h"

#include "support/MessageBoxRecorder.h"
#include "support/ProfileDump.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

using testing_support::TempFolder;

using namespace std::string_literals;

namespace {

struct Loaded {
    bool result;
    std::string dump;
    std::vector<std::string> messages;
};

Loaded LoadBytes(const std::string& bytes) {
    TempFolder dir;
    std::string path = dir.Path("Zembra.ini");
    dir.Write(path, bytes);
    MessageBoxRecorder boxes;
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    bool result = doc.Load();
    return {result, DumpProfile(doc), boxes.Texts()};
}

std::string SaveToBytes(CProfileDocument& doc) {
    TempFolder dir;
    std::string path = dir.Path("out.ini");
    doc.m_strPath = path.c_str();
    EXPECT_TRUE(doc.Save());
    return TempFolder::Read(path);
}

std::string BadLineMessage(const std::string& path, int line) {
    return "Die Datei\n" + path + "\nhat einen falschen Datentyp in\nZeile " + std::to_string(line);
}

}  // namespace

TEST(ProfileFile, LinesAreToldApartByTheFirstOfTheirMarks) {
    struct Row {
        const char* name;
        std::string file;
        std::string dump;
    } rows[] = {
        {"header and keys", "[Doc]\nA=1\nB=2\n", "S:Doc\nK:A=1\nK:B=2\n"},
        {"value keeps later marks", "[S]\nPath=C:\\a;C:\\b#x[y]=z\n", "S:S\nK:Path=C:\\a;C:\\b#x[y]=z\n"},
        {"semicolon before '=' makes a comment", "[S]\nk=1\nx;y=2\n[T]\n", "S:S\nK:k=1\nC:x;y=2\nS:T\n"},
        {"nothing is trimmed", "[ S ]\n k = v \n", "S: S \nK: k = v \n"},
        {"text around a header is ignored", "x[Name]y\nk=v\n", "S:Name\nK:k=v\n"},
        {"header with ']' only before '[' is ignored", "[S]\n]x[\nk=v\n", "S:S\nK:k=v\n"},
        {"'[' without ']' is ignored", "[S]\n[broken\nk=v\n", "S:S\nK:k=v\n"},
        {"empty brackets name the empty section", "[]\nk=v\n", "S:\nK:k=v\n"},
        {"keys before any header go to the empty name", "k=v\n[S]\nj=w\n", "S:\nK:k=v\nS:S\nK:j=w\n"},
        {"plain lines are ignored", "[S]\njust text\nk=v\n", "S:S\nK:k=v\n"},
        {"empty key name", "[S]\n=v\n", "S:S\nK:=v\n"},
        {"line starting with a space", "[S]\n k=v\n", "S:S\nK: k=v\n"},
        {"repeated key is kept twice", "[S]\nk=1\nk=2\n", "S:S\nK:k=1\nK:k=2\n"},
        {"repeated header makes another section", "[S]\nk=1\n[T]\n[s]\nk=2\n", "S:S\nK:k=1\nS:T\nS:s\nK:k=2\n"},
        {"umlaut at the start of a key", "[S]\n\xe4nderung=1\n", "S:S\nK:\xe4nderung=1\n"},
        {"byte-order mark before the first header", "\xef\xbb\xbf[S]\nk=v\n", "S:S\nK:k=v\n"},
    };
    for (const Row& r : rows) {
        Loaded got = LoadBytes(r.file);
        EXPECT_TRUE(got.result) << r.name;
        EXPECT_EQ(r.dump, got.dump) << r.name;
        EXPECT_TRUE(got.messages.empty()) << r.name;
    }
}

TEST(ProfileFile, LinesAreReadInTextMode) {
    struct Row {
        const char* name;
        std::string file;
        std::string dump;
    } rows[] = {
        {"CR LF line ends", "[S]\r\nk=v\r\nj=w\r\n", "S:S\nK:k=v\nK:j=w\n"},
        {"no line end at the end", "[S]\nk=v", "S:S\nK:k=v\n"},
        {"lone CR at the very end", "[S]\nk=v\r", "S:S\nK:k=v\n"},
        {"CR CR LF loses both", "[S]\nk=v\r\r\n", "S:S\nK:k=v\n"},
        {"CR inside a line stays", "[S]\nk=a\rb\n", "S:S\nK:k=a\rb\n"},
        {"Ctrl-Z ends the file", "[S]\nk=v\n\x1a[T]\nj=w\n", "S:S\nK:k=v\n"},
        {"Ctrl-Z in a line ends it there", "[S]\nk=v\x1aw\nj=x\n", "S:S\nK:k=v\n"},
        {"zero byte ends the line's text", "[S]\nk=v\0junk\nj=w\n"s, "S:S\nK:k=v\nK:j=w\n"},
        {"zero byte at the start makes an empty line", "[S]\n\0\nk=v\n"s, "S:S\nK:k=v\n"},
    };
    for (const Row& r : rows) {
        Loaded got = LoadBytes(r.file);
        EXPECT_TRUE(got.result) << r.name;
        EXPECT_EQ(r.dump, got.dump) << r.name;
    }
}

TEST(ProfileFile, CommentsGoToTheHeaderOrToTheNextSection) {
    struct Row {
        const char* name;
        std::string file;
        std::string saved;
    } rows[] = {
        {"before the first key, even just above a header", ";top\n\n;above\n[S]\nk=v\n",
         ";top\r\n;above\r\n\r\n[S]\r\nk=v\r\n"},
        {"repeated header comment written once", ";c\n;C\n;d\n[S]\nk=v\n", ";c\r\n;d\r\n\r\n[S]\r\nk=v\r\n"},
        {"same comment before two sections written before both", "[A]\nk=v\n;c\n[B]\nk=v\n;c\n[C]\n",
         "\r\n[A]\r\nk=v\r\n\r\n;c\r\n[B]\r\nk=v\r\n\r\n;c\r\n[C]\r\n"},
        {"repeated within one gap written once", "[A]\nk=v\n#x\n;y\n#X\n[B]\n", "\r\n[A]\r\nk=v\r\n\r\n#x\r\n;y\r\n[B]\r\n"},
        {"after the last key dropped", "[A]\nk=v\n;end\n", "\r\n[A]\r\nk=v\r\n"},
        {"after an empty key name back to the header", "[A]\nk=v\n=x\n;c\n[B]\n",
         ";c\r\n\r\n[A]\r\nk=v\r\n=x\r\n\r\n[B]\r\n"},
        {"text before the comment mark is kept", "[A]\nk=v\nnote; here\n[B]\n", "\r\n[A]\r\nk=v\r\n\r\nnote; here\r\n[B]\r\n"},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("in.ini");
        dir.Write(path, r.file);
        CProfileDocument doc;
        doc.SetPath(path.c_str());
        EXPECT_TRUE(doc.Load()) << r.name;
        EXPECT_EQ(r.saved, SaveToBytes(doc)) << r.name;
    }
}

TEST(ProfileFile, SaveWritesTheExactLayoutAndLoadReadsItBack) {
    CProfileDocument doc;
    doc.SetPath("unused");
    CProfileDocument::AddCommentLine(doc.m_HeaderComments, "; Zembra");
    CProfileDocument::AddCommentLine(doc.m_HeaderComments, "# made by a test");
    doc.SetString("", "loose", "key");
    doc.SetString("Doc", "ProName", "Demo 1.0");
    doc.SetInt("Doc", "FileCount", 2);
    doc.SetString("PFile0", "FName", "a=b;c");
    doc.SetString("PFile0", "FDir", "<INSTALLDIR>\\Bin");
    doc.SetString("PFile0", "Empty", "");
    CProfileDocument::AddCommentLine(doc.FindSection("PFile0")->m_Comments, ";first file");
    doc.AddSection("Doc");  // a second section of the same name, kept apart
    doc.SetString("PFile1", "FName", "\xfc" "ber.txt");
    const std::string expected =
        "; Zembra\r\n# made by a test\r\n"
        "\r\n[]\r\nloose=key\r\n"
        "\r\n[Doc]\r\nProName=Demo 1.0\r\nFileCount=2\r\n"
        "\r\n;first file\r\n[PFile0]\r\nFName=a=b;c\r\nFDir=<INSTALLDIR>\\Bin\r\nEmpty=\r\n"
        "\r\n[Doc]\r\n"
        "\r\n[PFile1]\r\nFName=\xfc" "ber.txt\r\n";

    TempFolder dir;
    std::string path = dir.Path("Zembra.ini");
    doc.m_strPath = path.c_str();
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(expected, TempFolder::Read(path));

    CProfileDocument back;
    back.SetPath(path.c_str());
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(DumpProfile(doc), DumpProfile(back));
    back.m_strPath = dir.Path("again.ini").c_str();
    ASSERT_TRUE(back.Save());
    EXPECT_EQ(expected, TempFolder::Read(dir.Path("again.ini")));
}

TEST(ProfileFile, EmptyDocumentSavesAnEmptyFile) {
    CProfileDocument doc;
    doc.SetPath("unused");
    EXPECT_EQ("", SaveToBytes(doc));
}

TEST(ProfileFile, LoadAddsToTheDocumentAndThenReplacesKeysInPlace) {
    TempFolder dir;
    std::string path = dir.Path("Zembra.ini");
    dir.Write(path, ";c\n[Doc]\nA=1\nB=2\n");
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    ASSERT_TRUE(doc.Load());
    ASSERT_TRUE(doc.Load());
    EXPECT_EQ("H:;c\nS:Doc\nK:A=1\nK:B=2\nS:Doc\nK:A=1\nK:B=2\n", DumpProfile(doc));
    EXPECT_TRUE(doc.m_bUniqueKeys);
    EXPECT_EQ(nullptr, doc.m_pCurrentSection);
    doc.SetString("Doc", "A", "9");
    EXPECT_EQ("H:;c\nS:Doc\nK:A=9\nK:B=2\nS:Doc\nK:A=1\nK:B=2\n", DumpProfile(doc));
}

TEST(ProfileFile, FilesWithoutSectionsLoadAsFalseWithoutAMessage) {
    struct Row {
        const char* name;
        const char* file;  // null: no file at all
    } rows[] = {
        {"missing file", nullptr},
        {"empty file", ""},
        {"only comments", ";one\n#two\n"},
        {"only plain lines and broken headers", "text\n[broken\n\n"},
        {"Ctrl-Z before the first header", "\x1a[S]\nk=v\n"},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("Zembra.ini");
        if (r.file) dir.Write(path, r.file);
        MessageBoxRecorder boxes;
        CProfileDocument doc;
        doc.SetPath(path.c_str());
        EXPECT_FALSE(doc.Load()) << r.name;
        EXPECT_TRUE(boxes.Boxes().empty()) << r.name;
        EXPECT_EQ(0, doc.m_nSectionCount) << r.name;
    }
}

TEST(ProfileFile, ALineStartingWithAControlCharacterStopsTheLoad) {
    struct Row {
        const char* name;
        std::string file;
        int line;
        std::string dumpBefore;
    } rows[] = {
        {"tab at the start", "[S]\nk=v\n\tj=w\n[T]\n", 3, "S:S\nK:k=v\n"},
        {"empty lines count", "\n\n[S]\r\n\r\n\x01x=1\n", 5, "S:S\n"},
        {"first line", "\x1b[S]\n", 1, ""},
        {"delete character", "[S]\n\x7f=1\n", 2, "S:S\n"},
        {"CR alone at the start of a line", "[S]\n\rk=v\n", 2, "S:S\n"},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("Zembra.ini");
        dir.Write(path, r.file);
        MessageBoxRecorder boxes;
        CProfileDocument doc;
        doc.SetPath(path.c_str());
        EXPECT_FALSE(doc.Load()) << r.name;
        ASSERT_EQ(1u, boxes.Boxes().size()) << r.name;
        EXPECT_EQ(BadLineMessage(path, r.line), boxes.Boxes()[0].text) << r.name;
        EXPECT_EQ("Error!", boxes.Boxes()[0].caption) << r.name;
        EXPECT_EQ(unsigned(BoxIconError | BoxTaskModal), boxes.Boxes()[0].style) << r.name;
        EXPECT_EQ(r.dumpBefore, DumpProfile(doc)) << r.name;
        EXPECT_FALSE(doc.m_bUniqueKeys) << r.name;  // later sets append
    }
}

TEST(ProfileFile, AFolderInThePlaceOfTheFileIsReportedAsNotFound) {
    TempFolder dir;
    std::string path = dir.Path("Zembra.ini");
    ASSERT_EQ(0, mkdir(path.c_str(), 0700));
    MessageBoxRecorder boxes;
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    EXPECT_FALSE(doc.Load());
    EXPECT_EQ(std::vector<std::string>{"Die Datei\n" + path + "\nnicht gefunden"}, boxes.Texts());
}

TEST(ProfileFile, SaveReportsEveryFailureAndKeepsTheEarlierFile) {
    struct Row {
        const char* name;
        bool makeFolderAtPath;
        bool missingFolder;
        long sizeLimit;  // 0: none; otherwise writes beyond it fail as on a full disk
    } rows[] = {
        {"folder does not exist", false, true, 0},
        {"a folder has the file's name", true, false, 0},
        {"disk full while writing", false, false, 4096},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = r.missingFolder ? dir.Path("nowhere/UnZembra.ini") : dir.Path("UnZembra.ini");
        if (r.makeFolderAtPath) ASSERT_EQ(0, mkdir(path.c_str(), 0700));
        else if (!r.missingFolder) dir.Write(path, "[Old]\nk=v\n");

        CProfileDocument doc;
        doc.SetPath(path.c_str());
        for (int i = 0; i < 2000; ++i) doc.SetString("FName", ("File" + std::to_string(i)).c_str(), "ABCDEFGHIJKLMNOP");

        MessageBoxRecorder boxes;
        bool saved;
        if (r.sizeLimit) {
            struct rlimit old, limit;
            getrlimit(RLIMIT_FSIZE, &old);
            limit = old;
            limit.rlim_cur = static_cast<rlim_t>(r.sizeLimit);
            auto previous = std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &limit);
            saved = doc.Save();
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, previous);
        } else {
            saved = doc.Save();
        }
        EXPECT_FALSE(saved) << r.name;
        EXPECT_EQ(std::vector<std::string>{"Die Datei\n" + path + "\nließ sich nicht speichern"}, boxes.Texts()) << r.name;
        if (!boxes.Boxes().empty()) {
            EXPECT_EQ("Error!", boxes.Boxes()[0].caption) << r.name;
        }
        if (!r.makeFolderAtPath && !r.missingFolder) {
            EXPECT_EQ("[Old]\nk=v\n", TempFolder::Read(path)) << r.name;
        }
        EXPECT_FALSE(TempFolder::Exists(path + ".$$$")) << r.name;
    }
}

TEST(ProfileFile, SaveReplacesAnExistingFileWhole) {
    TempFolder dir;
    std::string path = dir.Path("UnZembra.ini");
    dir.Write(path, std::string(100000, 'x'));
    CProfileDocument doc;
    doc.SetPath(path.c_str());
    doc.SetInt("Doc", "FileCount", 0);
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ("\r\n[Doc]\r\nFileCount=0\r\n", TempFolder::Read(path));
    EXPECT_FALSE(TempFolder::Exists(path + ".$$$"));
}

TEST(ProfileFile, WithoutRoomBesideItTheFileIsWrittenInPlace) {
    struct Row {
        const char* name;
        long sizeLimit;  // 0: none
        bool saved;
        bool fileLeft;
    } rows[] = {
        {"written whole", 0, true, true},
        {"disk full: the partial file is removed", 4096, false, false},
    };
    for (const Row& r : rows) {
        TempFolder dir;
        std::string path = dir.Path("UnZembra.ini");
        dir.Write(path, "[Old]\nk=v\n");
        ASSERT_EQ(0, mkdir((path + ".$$$").c_str(), 0700));  // the name beside it is taken
        CProfileDocument doc;
        doc.SetPath(path.c_str());
        for (int i = 0; i < 2000; ++i) doc.SetString("FName", ("File" + std::to_string(i)).c_str(), "ABCDEFGHIJKLMNOP");
        std::string expected = "\r\n[FName]\r\n";
        for (int i = 0; i < 2000; ++i) expected += "File" + std::to_string(i) + "=ABCDEFGHIJKLMNOP\r\n";

        MessageBoxRecorder boxes;
        struct rlimit old, limit;
        getrlimit(RLIMIT_FSIZE, &old);
        limit = old;
        if (r.sizeLimit) limit.rlim_cur = static_cast<rlim_t>(r.sizeLimit);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        bool saved = doc.Save();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);

        EXPECT_EQ(r.saved, saved) << r.name;
        EXPECT_EQ(r.saved ? 0u : 1u, boxes.Boxes().size()) << r.name;
        EXPECT_EQ(r.fileLeft, TempFolder::Exists(path)) << r.name;
        if (r.saved) {
            EXPECT_EQ(expected, TempFolder::Read(path)) << r.name;
        }
    }
}
