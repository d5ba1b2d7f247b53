#include "tests/win/install/InstallRun.h"

#include "tools/pack/PackageWriter.h"

#include <cstdio>
#include <cstring>

namespace inst {

const char* const kTexts[18] = {
    "Das Paket fehlt.",
    "Installation wirklich abbrechen?",
    "Der Ordner [1] lässt sich nicht anlegen.",
    " wird benutzt. Nochmal versuchen?",
    " wurde nicht installiert.",
    "Diese Datei überschreiben",
    "Alle Dateien überschreiben",
    "Diese Datei behalten",
    "Alle Dateien behalten",
    "Die Datei [1] gibt es schon.",
    "Ordner:\t[1]\x06" "Datei:\t[2]\x06" "Größe:\t[3]",
    "Fertig",
    "Abbrechen",
    "Installieren",
    "Bitte warten",
    "Ziel:",
    "Keine Rechte.",
    "Einige Dateien werden beim nächsten Neustart ersetzt.",
};

std::string WinPath(const char* unixPath) {
    std::string path = unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path[0] == '\\' ? "Z:" + path : path;
}

std::string ReadFile(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }
DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

std::string HelperProgram() { return ReadFile(WinPath(INSTALL_HELPER_EXE)); }
std::string VersionDll(const char* name) { return ReadFile(WinPath(VERSION_DLL_DIR) + "\\" + name); }

std::string DecodeName(const std::string& encoded) {
    std::string name;
    for (size_t i = 0; i + 1 < encoded.size(); i += 2)
        name += static_cast<char>(((encoded[i + 1] - 'A') << 4) | (encoded[i] - 'A'));
    return name;
}

Installation::Installation() : m_root(m_folder.Path()) {
    static unsigned counter = 0;
    m_target = m_root + "ziel\\";
    ::CreateDirectoryA(SetupFolder().c_str(), nullptr);
    m_regKey = "Software\\ZembraInstallTest\\Run" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(++counter);
    regVersion = "HKEY_CURRENT_USER\\" + m_regKey + "\\Version";
}

Installation::~Installation() {
    m_process.Kill();
    ::Sleep(100);  // let Wine release the program's files
    ::RegDeleteKeyA(HKEY_CURRENT_USER, m_regKey.c_str());
}

std::string Installation::IniText() const {
    long total = 0;
    for (const Entry& e : entries) total += e.size >= 0 ? e.size : static_cast<long>(e.data.size());
    std::string target = m_target;
    std::string ini = "[Doc]\r\nProName=Testprodukt\r\nProVersion=3.1\r\nDlgWidth=600\r\nPic1Width=160\r\n"
                      "Pic1Height=320\r\nPic2Width=120\r\nPic2Height=90\r\nPic2Space=15\r\n"
                      "TargetPath=2\r\nTargetPathUser=2\r\nTargetPathEx=" + target + "\r\n";
    ini += "UpdateRegVersion=" + std::string(writeList ? "1" : "0") + "\r\nRegVersion=" + regVersion + "\r\n";
    for (int n = 0; n < 18; ++n) ini += "Text" + std::to_string(n) + "=" + kTexts[n] + "\r\n";
    ini += "FileCount=" + std::to_string(entries.size()) + "\r\nDataSize=" + std::to_string(total) + "\r\n";
    ini += docExtra;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        std::string key = e.key.empty() ? "K" + std::to_string(i) : e.key;
        long size = e.size >= 0 ? e.size : static_cast<long>(e.data.size());
        ini += "[PFile" + std::to_string(i) + "]\r\nFFlags=" + e.flags + "\r\nFName=" + e.name + "\r\nFDir=" + e.dir +
               "\r\nFPName=" + key + "\r\nFSize=" + std::to_string(size) + "\r\n" + e.extra;
    }
    return ini;
}

bool Installation::Prepare() {
    std::string setup = SetupFolder();
    std::string package = setup + "paket.dat";
    if (!packageOverride.empty()) {
        if (!WriteFile(package, packageOverride)) return false;
    } else {
        zembra::PackageWriter writer;
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            if (!e.packaged) continue;
            std::string key = e.key.empty() ? "K" + std::to_string(i) : e.key;
            writer.AddData(key, e.data, e.stored ? zembra::EntryMode::Stored : zembra::EntryMode::Gzip, e.level);
        }
        std::string error;
        if (!writer.Write(package, &error)) {
            std::fprintf(stderr, "package: %s\n", error.c_str());
            return false;
        }
    }
    bool ok = WriteFile(setup + "Zembra.ini", IniText()) &&
              WriteFile(setup + "ny.tmp", "[PARA]\r\nSetup=" + package + "\r\n") &&
              ::CopyFileA(WinPath(ZEMBRA_SETUP_EXE).c_str(), (setup + "Zembra.exe").c_str(), FALSE) &&
              ::CopyFileA(WinPath(ZEMBRA_REAL_DLL).c_str(), (setup + "zembra1.dll").c_str(), FALSE);
    m_prepared = ok;
    return ok;
}

bool Installation::Start(const std::string& tail) {
    if (!m_prepared && !Prepare()) return false;
    return m_process.Start(SetupFolder() + "Zembra.exe", tail, SetupFolder());
}

HWND Installation::WaitForDialog() {
    m_dialog = m_process.WaitForWindow("Testprodukt V3.1", gui::kEventWaitMs);
    return m_dialog;
}

bool Installation::Finished() const { return m_dialog && ItemText(IDCANCEL) == kTexts[11]; }

Question Installation::NextQuestion(DWORD timeoutMs) {
    Question question;
    gui::WaitUntil(
        [&] {
            if (!m_process.Running()) return true;
            for (HWND window : m_process.Windows()) {
                if (window == m_dialog || gui::ClassName(window) != "#32770") continue;
                question.window = window;
                return true;
            }
            return false;
        },
        timeoutMs);
    if (!question.window) return question;
    ::Sleep(100);  // until the box has its texts
    question.caption = gui::WindowText(question.window);
    HWND overwriteText = ::GetDlgItem(question.window, kQuestion);
    question.overwriteDialog = overwriteText && ::GetDlgItem(question.window, kConfirm);
    question.text = gui::WindowText(question.overwriteDialog ? overwriteText : ::GetDlgItem(question.window, 0xFFFF));
    return question;
}

bool Installation::Answer(const Question& question, int button) {
    return gui::AnswerMessageBox(question.window, button);
}

std::vector<Question> Installation::AnswerUntilFinished(const std::function<int(const Question&)>& answer,
                                                        DWORD timeoutMs) {
    std::vector<Question> asked;
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (!m_process.Running() || Finished()) break;
        Question question = NextQuestion(200);
        if (!question.window) continue;
        asked.push_back(question);
        if (!Answer(question, answer(question))) break;
    }
    return asked;
}

Installation::List Installation::ReadList() const {
    List list;
    std::string path = m_target + "UnZembra.ini";
    list.attributes = Attributes(path);
    list.exists = list.attributes != INVALID_FILE_ATTRIBUTES;
    if (!list.exists) return list;
    auto get = [&](const char* section, const std::string& key) {
        char value[2048] = {};
        ::GetPrivateProfileStringA(section, key.c_str(), "<none>", value, sizeof(value), path.c_str());
        return std::string(value);
    };
    list.fileCount = std::atol(get("Doc", "FileCount").c_str());
    list.dirCount = std::atol(get("Doc", "DirCount").c_str());
    for (long i = 0; i < list.fileCount; ++i) list.files.push_back(DecodeName(get("FName", "File" + std::to_string(i))));
    for (long i = 0; i < list.dirCount; ++i) list.dirs.push_back(DecodeName(get("FDir", "Dir" + std::to_string(i))));
    return list;
}

std::map<std::string, std::string> Installation::RunKeys() const {
    std::map<std::string, std::string> keys;
    std::string path = SetupFolder() + "ny.tmp";
    char names[4096] = {};
    DWORD length = ::GetPrivateProfileStringA("Run", nullptr, "", names, sizeof(names), path.c_str());
    for (const char* name = names; name < names + length && *name; name += std::strlen(name) + 1) {
        char value[1024] = {};
        ::GetPrivateProfileStringA("Run", name, "", value, sizeof(value), path.c_str());
        keys[name] = value;
    }
    return keys;
}

std::string Installation::RegistryVersion() const {
    char value[256] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueA(HKEY_CURRENT_USER, m_regKey.c_str(), "Version", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "<none>";
    return value;
}

FileHolder::FileHolder(const std::string& path) {
    static unsigned counter = 0;
    std::string base = "ZembraHold-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    m_held = ::CreateEventA(nullptr, TRUE, FALSE, (base + "-held").c_str());
    m_release = ::CreateEventA(nullptr, TRUE, FALSE, (base + "-release").c_str());
    std::string commandLine = "\"" + WinPath(INSTALL_HELPER_EXE) + "\" hold \"" + path + "\" " + base + "-held " +
                              base + "-release";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (m_held && m_release &&
        ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
        HANDLE waits[2] = {m_held, m_process.hProcess};
        m_holding = ::WaitForMultipleObjects(2, waits, FALSE, 15000) == WAIT_OBJECT_0;
    }
}

void FileHolder::Release() {
    if (m_release) ::SetEvent(m_release);
    if (m_process.hProcess) {
        ::WaitForSingleObject(m_process.hProcess, 10000);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
        m_process = PROCESS_INFORMATION();
    }
    if (m_held) ::CloseHandle(m_held);
    if (m_release) ::CloseHandle(m_release);
    m_held = m_release = nullptr;
    m_holding = false;
}

namespace {
// Runs the Linux key tool through Wine and waits for it.
void XKey(const char* how) {
    std::string commandLine = WinPath(ZEMBRA_XKEY_TOOL) + " " + how;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
}
}  // namespace

CtrlKeyDown::CtrlKeyDown() {
    XKey("down");
    // The program with the focus passes the press on to the system's key state.
    m_pressed = gui::WaitUntil([] { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }, gui::kEventWaitMs);
}

CtrlKeyDown::~CtrlKeyDown() {
    XKey("up");
    gui::WaitUntil([] { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }, gui::kEventWaitMs);
}

}  // namespace inst
