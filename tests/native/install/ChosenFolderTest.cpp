// The folder of /DIR=: what the setup program installs into, and what it refuses before anything is done.
#include "install/ChosenFolder.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderSwitch, AFullFolderIsTakenAndAnythingElseIsRefusedWithItsReason) {
    const std::string longName(240, 'x');
    const std::string longest = "C:\\" + std::string(kMaxChosenFolder - 3, 'x');
    // Polish, Cyrillic and CJK names in UTF-8.
    const std::string scripts = "C:\\\xC5\x81ukasz\\\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\\\xE7\x8E\x8B\xE4\xBC\x9F";
    std::string cyrillic;  // as long as a folder may be, in characters; twice as long in bytes
    for (size_t i = 3; i < kMaxChosenFolder; ++i) cyrillic += "\xD0\x98";
    struct Row {
        const char* name;
        std::string text;
        bool pathChange;
        std::string folder;  // empty: refused
        const char* reason;  // part of the problem
    } rows[] = {
        {"a drive path with blanks and umlauts", "C:\\Meine Programme\\Gr\xF6\xDF" "e", true,
         "C:\\Meine Programme\\Gr\xF6\xDF" "e\\", ""},
        {"slashes read as backslashes", "C:/Programme/Werkzeug/", true, "C:\\Programme\\Werkzeug\\", ""},
        {"a drive's root", "C:\\", true, "C:\\", ""},
        {"a network share", "\\\\server\\teil\\Werkzeug", true, "\\\\server\\teil\\Werkzeug\\", ""},
        {"the package allows no other folder", "C:\\Werkzeug", false, "", "PathChange=0"},
        {"a relative folder", "Werkzeug\\Bin", true, "", "kein vollständiger Pfad"},
        {"a server without a share", "\\\\server", true, "", "leeren Namen"},
        {"a step up", "C:\\Eins\\..\\Zwei", true, "", "\"..\""},
        {"a question mark", "C:\\??\\Werkzeug", true, "", "nicht erlaubt"},
        {"a name ending with a dot", "C:\\Werkzeug.\\Bin", true, "", "Punkt oder Leerzeichen"},
        {"a device name with an extension", "C:\\Daten\\nul.txt", true, "", "Gerätenamen"},
        {"longer than a folder may be", "C:\\" + longName + "\\Werkzeug", true, "", "234 Zeichen"},
        {"as long as a folder may be", longest, true, longest + "\\", ""},
        {"one character longer", longest + "y", true, "", "234 Zeichen"},
        {"names from three scripts", scripts, true, scripts + "\\", ""},
        {"characters beyond ASCII counted as characters", "C:\\" + cyrillic, true, "C:\\" + cyrillic + "\\", ""},
        {"and refused with one more", "C:\\" + cyrillic + "x", true, "", "234 Zeichen"},
    };
    for (const Row& r : rows) {
        std::string folder = "unchanged", problem;
        const bool taken = TakeFolderSwitch(r.text, r.pathChange, &folder, &problem);
        EXPECT_EQ(!r.folder.empty(), taken) << r.name << ": " << problem;
        EXPECT_EQ(taken ? r.folder : "unchanged", folder) << r.name;
        if (!taken) {
            EXPECT_NE(std::string::npos, problem.find(zembra::AnsiAsUtf8(r.reason))) << r.name << ": " << problem;
            EXPECT_NE(std::string::npos, problem.find(r.text)) << r.name << ": the folder is named";
        }
    }
}

}  // namespace
