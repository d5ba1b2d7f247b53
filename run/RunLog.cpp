#include "run/RunLog.h"

#include "run/LogLine.h"

#include <windows.h>

#include <vector>

namespace zembra {

RunLog::RunLog(const std::string& file, const std::string& program) : m_program(program) {
    if (file.empty()) return;
    const DWORD need = GetFullPathNameA(file.c_str(), 0, nullptr, nullptr);
    std::vector<char> full(need + 1);
    const DWORD got = need ? GetFullPathNameA(file.c_str(), need + 1, full.data(), nullptr) : 0;
    m_path = got > 0 && got <= need ? std::string(full.data(), got) : file;
}

void RunLog::Write(const std::string& ansiText) const {
    if (m_path.empty()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LogTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string line = FormatLogLine(time, m_program, ansiText);
    // Append-only access: the system puts every write at the end, also between other writers' lines.
    HANDLE file = CreateFileA(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace zembra
