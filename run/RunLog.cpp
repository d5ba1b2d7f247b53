#include "run/RunLog.h"

#include "framework/AnsiText.h"
#include "run/LogLine.h"

#include <windows.h>

#include <vector>

namespace zembra {
namespace {

// Where an open file or folder really is, links resolved; empty when the system cannot tell.
std::string FinalPath(HANDLE handle) {
    char path[2 * MAX_PATH] = {};
    const DWORD got = GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    std::string final = got > 0 && got < sizeof path ? std::string(path, got) : std::string();
    while (!final.empty() && final.back() == '\\') final.pop_back();
    return final;
}

// Whether the open file is the entry of that name in the folder asked for. Some platforms follow a link
// even when asked to open it as itself; the file reached then lies elsewhere or has another name.
bool WhereAskedFor(HANDLE file, const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    char longPath[2 * MAX_PATH] = {};
    const DWORD got = GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    const std::string name = got > 0 && got < sizeof longPath ? std::string(longPath, got) : path;
    if (slash == std::string::npos || name.find_last_of('\\') == std::string::npos) return false;
    const Win32Handle folder(CreateFileA(path.substr(0, slash + 1).c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const std::string expected = FinalPath(folder.Get()) + name.substr(name.find_last_of('\\'));
    return folder.IsValid() && AnsiCompareNoCase(FinalPath(file).c_str(), expected.c_str()) == 0;
}

// The file itself, or nothing when a link, a junction, a folder or a second name of another file stands
// in its place.
HANDLE OpenPlainFile(const std::string& path) {
    // Append-only access: the system puts every write at the end, also between other writers' lines.
    Win32Handle file(CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!file.IsValid() || !GetFileInformationByHandle(file.Get(), &info)) return nullptr;
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
    if (info.nNumberOfLinks > 1 || !WhereAskedFor(file.Get(), path)) return nullptr;
    return file.Release();
}

}  // namespace

RunLog::RunLog(const std::string& file, const std::string& program) : m_program(program) {
    if (file.empty()) return;
    const DWORD need = GetFullPathNameA(file.c_str(), 0, nullptr, nullptr);
    std::vector<char> full(need + 1);
    const DWORD got = need ? GetFullPathNameA(file.c_str(), need + 1, full.data(), nullptr) : 0;
    m_path = got > 0 && got <= need ? std::string(full.data(), got) : file;
    m_file = std::make_shared<Win32Handle>(OpenPlainFile(m_path));
}

void RunLog::Write(const std::string& ansiText) const {
    if (!m_file || !m_file->IsValid()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LogTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string line = FormatLogLine(time, m_program, ansiText);
    DWORD written = 0;
    WriteFile(m_file->Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace zembra
