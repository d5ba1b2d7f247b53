#include "run/RunLog.h"

#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "run/LogLine.h"

#include <windows.h>

namespace zembra {
namespace {

// Where an open file or folder really is, links resolved; empty when the system cannot tell.
std::wstring FinalPath(HANDLE handle) {
    wchar_t path[2 * MAX_PATH] = {};
    const DWORD got = GetFinalPathNameByHandleW(handle, path, 2 * MAX_PATH, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    std::wstring final = got > 0 && got < 2 * MAX_PATH ? std::wstring(path, got) : std::wstring();
    while (!final.empty() && final.back() == L'\\') final.pop_back();
    return final;
}

// Whether the open file is the entry of that name in the folder asked for. Some platforms follow a link
// even when asked to open it as itself; the file reached then lies elsewhere or has another name.
bool WhereAskedFor(HANDLE file, const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    wchar_t longPath[2 * MAX_PATH] = {};
    const DWORD got = GetLongPathNameW(path.c_str(), longPath, 2 * MAX_PATH);
    const std::wstring name = got > 0 && got < 2 * MAX_PATH ? std::wstring(longPath, got) : path;
    if (slash == std::wstring::npos || name.find_last_of(L'\\') == std::wstring::npos) return false;
    const Win32Handle folder(CreateFileW(path.substr(0, slash + 1).c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const std::wstring expected = FinalPath(folder.Get()) + name.substr(name.find_last_of(L'\\'));
    const std::wstring final = FinalPath(file);
    return folder.IsValid() && CompareStringOrdinal(final.c_str(), static_cast<int>(final.size()), expected.c_str(),
                                                    static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

// The file itself, or nothing when a link, a junction, a folder or a second name of another file stands
// in its place.
HANDLE OpenPlainFile(const std::wstring& path) {
    // Append-only access: the system puts every write at the end, also between other writers' lines.
    Win32Handle file(CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
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
    // Opened through its wide name: no name is beyond the log, whatever the ANSI code page lacks.
    const std::wstring full = FullPathName(Utf8ToWide(file));
    m_path = WideToUtf8(full);
    m_file = std::make_shared<Win32Handle>(OpenPlainFile(full));
}

void RunLog::Write(const std::string& ansiText) const { WriteUtf8(AnsiAsUtf8(ansiText)); }

void RunLog::WriteUtf8(const std::string& utf8Text) const {
    if (!m_file || !m_file->IsValid()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LogTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string line = FormatUtf8LogLine(time, m_program, utf8Text);
    DWORD written = 0;
    WriteFile(m_file->Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace zembra
