// Paths the system names in UTF-16, as the 8-bit interfaces carry them: the exact ANSI text, else the
// short form, else a reason naming the name at fault; and the conversions that decide it.
#include "framework/AnsiPath.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiPath, TheExactTextElseTheShortFormElseAReasonNamingTheName) {
    struct Row {
        const char* name;
        std::wstring path, shortPath;  // shortPath empty: the system gave none
        zembra::AnsiPathForm form;
        std::string ansi;
        std::vector<std::string> reason;  // parts of the problem (UTF-8)
    } rows[] = {
        {"ASCII", L"C:\\Programme\\Werkzeug", L"", zembra::AnsiPathForm::Exact, "C:\\Programme\\Werkzeug", {}},
        {"umlauts and the euro sign of code page 1252", L"C:\\Gr\u00FC\u00DFe\\\u20AC", L"",
         zembra::AnsiPathForm::Exact, "C:\\Gr\xFC\xDF" "e\\\x80", {}},
        {"Polish, whose best fit L is never taken", L"C:\\Users\\\u0141ukasz\\Downloads\\Setup.exe",
         L"C:\\Users\\LUKASZ~1\\DOWNLO~1\\Setup.exe", zembra::AnsiPathForm::Short,
         "C:\\Users\\LUKASZ~1\\DOWNLO~1\\Setup.exe", {}},
        {"Cyrillic", L"C:\\Users\\\u0418\u0432\u0430\u043D\\AppData\\Local\\Temp\\",
         L"C:\\Users\\8B9F~1\\AppData\\Local\\Temp\\", zembra::AnsiPathForm::Short,
         "C:\\Users\\8B9F~1\\AppData\\Local\\Temp\\", {}},
        {"CJK", L"Z:\\tmp\\\u738B\u4F1F\\run.log", L"Z:\\tmp\\__~1\\run.log", zembra::AnsiPathForm::Short,
         "Z:\\tmp\\__~1\\run.log", {}},
        {"short names switched off", L"C:\\Users\\\u0418\u0432\u0430\u043D\\Temp",
         L"C:\\Users\\\u0418\u0432\u0430\u043D\\Temp", zembra::AnsiPathForm::None, "",
         {"\"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\"", "abgeschaltet", "C:\\Users\\\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\\Temp"}},
        {"the short form names the one level that has none", L"C:\\\u0141ukasz\\\u738B\u4F1F",
         L"C:\\LUKASZ~1\\\u738B\u4F1F", zembra::AnsiPathForm::None, "",
         {"\"\xE7\x8E\x8B\xE4\xBC\x9F\"", "abgeschaltet"}},
        {"no short form from the system", L"D:\\\u738B\u4F1F\\Setup.exe", L"", zembra::AnsiPathForm::None, "",
         {"\"\xE7\x8E\x8B\xE4\xBC\x9F\"", "keinen kurzen Namen", "D:\\\xE7\x8E\x8B\xE4\xBC\x9F\\Setup.exe"}},
    };
    for (const Row& r : rows) {
        const zembra::AnsiPathChoice choice = zembra::ChooseAnsiPath(r.path, r.shortPath);
        EXPECT_EQ(r.form, choice.form) << r.name;
        EXPECT_EQ(r.ansi, choice.path) << r.name;
        EXPECT_EQ(r.reason.empty(), choice.problem.empty()) << r.name << ": " << choice.problem;
        for (const std::string& part : r.reason)
            EXPECT_NE(std::string::npos, choice.problem.find(part)) << r.name << ": " << part << "\n" << choice.problem;
    }
}

TEST(WideText, Utf8CarriesEveryNameThereAndBack) {
    struct Row {
        const char* name;
        std::wstring wide;
        std::string utf8;
    } rows[] = {
        {"Polish, Cyrillic, CJK", L"\u0141ukasz \u0418\u0432\u0430\u043D \u738B\u4F1F",
         "\xC5\x81ukasz \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xE7\x8E\x8B\xE4\xBC\x9F"},
        {"beyond the first plane", L"\U0001F600", "\xF0\x9F\x98\x80"},
        {"a lone surrogate keeps its three bytes", std::wstring(1, static_cast<wchar_t>(0xD800)), "\xED\xA0\x80"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.utf8, zembra::WideToUtf8(r.wide)) << r.name;
        EXPECT_EQ(r.wide, zembra::Utf8ToWide(r.utf8)) << r.name;
    }
    EXPECT_EQ(std::wstring(L"a\uFFFD\uFFFDb\uFFFD\uFFFD"), zembra::Utf8ToWide("a\xC0\xAF" "b\xE7\x8E"))
        << "no overlong or cut form";
    EXPECT_EQ("C:\\?ukasz\\\xFC", zembra::Utf8AsShownAnsi("C:\\\xC5\x81ukasz\\\xC3\xBC")) << "shown, never best fit";
}

}  // namespace
