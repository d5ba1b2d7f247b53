// Whole runs under Wine: zembra-pack's product mode makes a single-file Setup.exe from the runtime that
// this build produced, and the installer is run unattended as a user's script would run it. What was
// installed, the list file, the registry version and the removed working folder are read afterwards.
#include "tests/native/support/TempFolder.h"
#include "tests/win/support/GuiDriver.h"
#include "tests/win/support/UnixCommand.h"
#include "tools/pack/PackCommand.h"
#include "tools/pack/ProductPack.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using testing_support::TempFolder;

namespace {

std::string WindowsPath(const char* path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return full;
}

std::string Profile(const std::string& file, const char* section, const std::string& key) {
    char value[2048] = {};
    GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, file.c_str());
    return value;
}

// The list file's names: two letters A..P per byte, the low half first.
std::string DecodeName(const std::string& letters) {
    std::string name;
    for (size_t i = 0; i + 1 < letters.size(); i += 2)
        name.push_back(static_cast<char>((letters[i + 1] - 'A') * 16 + (letters[i] - 'A')));
    return name;
}

std::set<std::string> ListedNames(const std::string& list, const char* section, const char* countKey, const char* prefix) {
    std::set<std::string> names;
    const int count = GetPrivateProfileIntA("Doc", countKey, 0, list.c_str());
    for (int i = 0; i < count; ++i) names.insert(DecodeName(Profile(list, section, prefix + std::to_string(i))));
    return names;
}

std::string RegistryString(HKEY root, const std::string& key, const char* value) {
    char data[512] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return "<none>";
    return data;
}

// The setup's working folders go to a temporary folder of the test's own.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& folder) {
        GetEnvironmentVariableA("TMP", m_tmp, MAX_PATH);
        GetEnvironmentVariableA("TEMP", m_temp, MAX_PATH);
        SetEnvironmentVariableA("TMP", folder.c_str());
        SetEnvironmentVariableA("TEMP", folder.c_str());
    }
    ~TemporaryFolder() {
        SetEnvironmentVariableA("TMP", m_tmp);
        SetEnvironmentVariableA("TEMP", m_temp);
    }

private:
    char m_tmp[MAX_PATH] = {}, m_temp[MAX_PATH] = {};
};

// Runs the installer with /auto; its exit code, 99 when it did not end.
DWORD RunUnattended(const std::string& setup, const std::string& folder, const std::string& temp, std::string* box) {
    TemporaryFolder scope(temp);
    gui::Process process;
    if (!process.Start(setup, "/auto", folder)) return 99;
    // An unattended run that stops to ask or complain would hang: its box is read and closed.
    const bool ended = gui::WaitUntil([&] {
        if (!process.Running()) return true;
        HWND other = FindWindowA("#32770", nullptr);
        if (other && GetDlgItem(other, 0xFFFF)) {
            *box = gui::MessageBoxText(other);
            gui::AnswerMessageBox(other, IDOK);
        }
        return false;
    }, 120000, 50);
    DWORD code = 99;
    if (ended) process.WaitForExit(1000, &code);
    return code;
}

TEST(InstallEndToEnd, SingleFileSetupInstallsUnattendedAndLeavesNoWorkingFolder) {
    TempFolder root;
    const std::string temp = root.Path("temp"), target = root.Path("Ziel");
    std::filesystem::create_directories(temp);
    std::filesystem::create_directories(root.Path("produkt/daten"));
    const std::string runtime = WindowsPath(ZEMBRA_RUNTIME_DIR);
    std::filesystem::copy_file(runtime + "\\zv_1_2_3_4.dll", root.Path("produkt/werkzeug.dll"));
    root.Write("produkt/liesmich.txt", "Lies mich.\r\n");
    root.Write("produkt/daten/werte.csv", std::string(300000, '4'));
    root.Write("produkt/t1.rtf", "{\\rtf1 Willkommen}");
    std::filesystem::copy_file(WindowsPath(ZEMBRA_PICTURES "/gfx1.bmp"), root.Path("produkt/gfx1.bmp"));
    const std::string registryKey = "Software\\Zembra E2E " + std::to_string(GetCurrentProcessId());
    std::string description =
        "[Product]\nProName=E2E Produkt\nProVersion=2.5\nUpdateRegVersion=1\nRegVersion=HKEY_CURRENT_USER\\" +
        registryKey + "\\Version\n"
        "[Layout]\nDlgWidth=500\nPic1Width=60\nPic1Height=200\n"
        "[Placement]\nTargetPath=2\nTargetPathUser=2\nTargetPathEx=" + target + "\n"
        "[Texts]\n0=Paket fehlt\n1=Abbrechen?\n10=[1] [2] [3]\n11=Fertig\n12=Abbrechen\n13=Installieren\n"
        "[Pages]\n1=t1.rtf\n"
        "[Pictures]\n1=gfx1.bmp\n"
        "[Files]\n"
        "werkzeug.dll = <INSTALLDIR>\\Bin | 11001000\n"
        "liesmich.txt = <INSTALLDIR> | 11100000\n"
        "daten/werte.csv = <INSTALLDIR>\\Daten | 10000000\n";
    root.Write("produkt/produkt.ini", description);
    zembra::ProductPackOptions options;
    options.description = root.Path("produkt/produkt.ini");
    options.runtimeFolder = runtime;
    options.output = root.Path("Setup.exe");
    std::string error;
    ASSERT_TRUE(zembra::PackProduct(options, &error)) << error;

    // Every name the staged files of earlier versions could take (16 bits) is taken in the target folder.
    std::filesystem::create_directories(target);
    ASSERT_TRUE(unix_command::Run("/bin/sh -c \"cd '" + unix_command::UnixPath(target) +
                                      "' && printf '~zem%04X.tmp\\n' $(seq 0 65535) | xargs touch\"",
                                  [&] { return TempFolder::Exists(target + "\\~zemFFFF.tmp"); }, 60000));
    std::string box;
    const DWORD code = RunUnattended(options.output, root.Path(), temp, &box);
    EXPECT_EQ("", box) << "no message during an unattended run";
    EXPECT_EQ(0u, code);
    EXPECT_EQ(65536 + 4, std::distance(std::filesystem::directory_iterator(target), {}))
        << "the planted names, untouched, beside liesmich.txt, the list, Bin and Daten";
    struct Row {
        const char* installed;
        const char* source;
    } rows[] = {
        {"Bin\\werkzeug.dll", "produkt/werkzeug.dll"},
        {"liesmich.txt", "produkt/liesmich.txt"},
        {"Daten\\werte.csv", "produkt/daten/werte.csv"},
    };
    std::set<std::string> installed;
    for (const Row& r : rows) {
        const std::string path = target + "\\" + r.installed;
        installed.insert(path);
        ASSERT_TRUE(TempFolder::Exists(path)) << r.installed;
        EXPECT_TRUE(TempFolder::Read(path) == TempFolder::Read(root.Path(r.source))) << r.installed;
    }
    const std::string list = target + "\\UnZembra.ini";
    ASSERT_TRUE(TempFolder::Exists(list));
    EXPECT_NE(0u, GetFileAttributesA(list.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    std::set<std::string> listed;
    for (const std::string& name : ListedNames(list, "FName", "FileCount", "File")) listed.insert(name);
    EXPECT_EQ(installed, listed);
    const std::set<std::string> folders = ListedNames(list, "FDir", "DirCount", "Dir");
    EXPECT_EQ(1u, folders.count(target + "\\Bin") + folders.count(target + "\\Bin\\")) << "created folders are listed";
    EXPECT_EQ("2.5", RegistryString(HKEY_CURRENT_USER, registryKey, "Version"));
    EXPECT_TRUE(std::filesystem::is_empty(temp)) << "the working folder is gone";
    RegDeleteKeyA(HKEY_CURRENT_USER, registryKey.c_str());
}

}  // namespace

namespace {

// The README's three commands: --init on a folder, --product, and the installer as a user meets it,
// with every caption, page and picture from the defaults; then the same installer unattended.
TEST(InstallEndToEnd, InitAndProductMakeAnInstallerThatShowsItsDefaultsAndInstalls) {
    namespace fs = std::filesystem;
    TempFolder root;
    const std::string temp = root.Path("temp"), runtime = WindowsPath(ZEMBRA_RUNTIME_DIR);
    fs::create_directories(temp);
    fs::create_directories(root.Path("produkt/daten"));
    fs::copy_file(runtime + "\\zv_1_2_3_4.dll", root.Path("produkt/werkzeug.dll"));
    std::ofstream(fs::path(root.Path("produkt/daten")) / fs::u8path("Gr\xC3\xB6\xC3\x9F" "en.txt")) << "S M L";
    const std::string name = "Zembra Minimal " + std::to_string(GetCurrentProcessId());
    std::ostringstream out, err;
    ASSERT_EQ(0, zembra::RunPackCommand({"--init", root.Path("produkt.ini"), "--from", root.Path("produkt"), "--name",
                                         name}, out, err)) << err.str();
    ASSERT_EQ(0, zembra::RunPackCommand({"--product", root.Path("produkt.ini"), "--runtime", runtime, "-o",
                                         root.Path("Setup.exe")}, out, err)) << err.str();
    EXPECT_EQ("", err.str()) << "no warning";

    std::string target;
    {
        TemporaryFolder scope(temp);
        gui::Process setup;
        ASSERT_TRUE(setup.Start(root.Path("Setup.exe"), "", root.Path()));
        HWND dialog = nullptr;  // the setup program's, a child of the installer
        gui::WaitUntil([&] { return (dialog = FindWindowA(nullptr, (name + " V1.2").c_str())) && gui::IsVisible(dialog); },
                       60000);
        ASSERT_NE(nullptr, dialog);
        const auto text = [&](int id) { return gui::WindowText(GetDlgItem(dialog, id)); };
        target = text(1035);
        struct Row {
            const char* what;
            int id;
            std::string expected;
        } rows[] = {
            {"Install button", 1047, "Installieren"},
            {"Cancel button", IDCANCEL, "Abbrechen"},
            {"folder label", 1034, "Pfad:"},
            {"waiting text", 1038, "Bitte warten Sie, w\xE4hrend " + name + " installiert wird \x85"},
        };
        for (const Row& r : rows) EXPECT_EQ(r.expected, text(r.id)) << r.what;
        EXPECT_NE(std::string::npos, text(1048).find("Willkommen bei " + name + " 1.2")) << text(1048);
        const RECT picture = gui::ScreenRect(GetDlgItem(dialog, 1031));
        EXPECT_TRUE(gui::WaitUntil([&] {
            const COLORREF c = gui::ScreenPixel((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
            return GetBValue(c) > GetRValue(c) + 40;
        }, 10000)) << "the generated picture shows";

        gui::Click(dialog, 1047);
        ASSERT_TRUE(gui::WaitUntil([&] { return gui::IsVisible(GetDlgItem(dialog, 1050)); }, 120000));
        EXPECT_EQ("Schlie\xDF" "en", text(IDCANCEL));
        EXPECT_NE(std::string::npos, text(1049).find(name + " wird installiert")) << text(1049);
        EXPECT_NE(std::string::npos, text(1050).find(name + " 1.2 ist jetzt installiert")) << text(1050);
        gui::Click(dialog, IDCANCEL);
        EXPECT_TRUE(setup.WaitForExit(60000));
    }
    ASSERT_NE(std::string::npos, target.find("\\" + name + "\\")) << target << ": under Program Files, named after the product";
    const auto installed = [&] {
        return TempFolder::Read(target + "werkzeug.dll") == TempFolder::Read(root.Path("produkt/werkzeug.dll")) &&
               GetFileAttributesA((target + "daten\\Gr\xF6\xDF" "en.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    EXPECT_TRUE(installed()) << "installed by the run a user started";
    fs::remove_all(target);
    std::string box;
    EXPECT_EQ(0u, RunUnattended(root.Path("Setup.exe"), root.Path(), temp, &box));
    EXPECT_EQ("", box) << "no message during an unattended run";
    EXPECT_TRUE(installed()) << "installed unattended";
    EXPECT_TRUE(fs::is_empty(temp)) << "the working folders are gone";
    fs::remove_all(target);
}

}  // namespace
