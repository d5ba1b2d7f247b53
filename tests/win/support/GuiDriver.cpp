#include "tests/win/support/GuiDriver.h"

#include <cstdio>
#include <cstring>

namespace gui {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return condition();
        ::Sleep(stepMs);
    }
}

std::string WindowText(HWND window) {
    char text[4096] = {};
    DWORD_PTR length = 0;
    // WM_GETTEXT is carried across processes; a hung program only costs the time-out.
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                               5000, &length))
        return std::string();
    return std::string(text, length);
}

long TextLength(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return -1;
    return static_cast<long>(length);
}

bool SetText(HWND window, const std::string& text) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                                 5000, &result) != 0;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

bool IsVisible(HWND window) { return window && ::IsWindowVisible(window); }

RECT ClientRectOf(HWND child) {
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool ClickAndWait(HWND dialog, int id, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)), SMTO_NORMAL, timeoutMs,
                                 &ignored) != 0;
}

namespace {
// The screen area as 24-bit rows, top row first.
std::vector<unsigned char> Capture(const RECT& area, int& width, int& height) {
    width = area.right - area.left;
    height = area.bottom - area.top;
    std::vector<unsigned char> pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        ::GdiFlush();
        int stride = (width * 3 + 3) & ~3;
        pixels.resize(static_cast<size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y) {
            const unsigned char* row = static_cast<const unsigned char*>(bits) + static_cast<size_t>(y) * stride;
            for (int x = 0; x < width; ++x) {  // BGR to RGB
                unsigned char* out = &pixels[(static_cast<size_t>(y) * width + x) * 3];
                out[0] = row[x * 3 + 2];
                out[1] = row[x * 3 + 1];
                out[2] = row[x * 3];
            }
        }
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

unsigned long Crc32(const unsigned char* data, size_t length, unsigned long crc = 0) {
    crc = ~crc & 0xFFFFFFFFul;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320ul & (0ul - (crc & 1)));
    }
    return ~crc & 0xFFFFFFFFul;
}

void PutBig32(std::string& out, unsigned long value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    PutBig32(png, static_cast<unsigned long>(data.size()));
    std::string body = std::string(type, 4) + data;
    png += body;
    PutBig32(png, Crc32(reinterpret_cast<const unsigned char*>(body.data()), body.size()));
}
}  // namespace

COLORREF ScreenPixel(int x, int y) {
    RECT area = {x, y, x + 1, y + 1};
    int width, height;
    std::vector<unsigned char> pixels = Capture(area, width, height);
    if (pixels.size() < 3) return CLR_INVALID;
    return RGB(pixels[0], pixels[1], pixels[2]);
}

bool SaveWindowPng(HWND window, const std::string& path) {
    int width, height;
    std::vector<unsigned char> pixels = Capture(ScreenRect(window), width, height);
    if (pixels.empty()) return false;

    // zlib stream of stored (uncompressed) deflate blocks: each row is filter byte 0 and RGB.
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(&pixels[static_cast<size_t>(y) * width * 3]),
                   static_cast<size_t>(width) * 3);
    }
    std::string z = "\x78\x01";
    unsigned long a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        bool last = pos + n >= raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw, pos, n);
        pos += n;
        if (last) break;
    }
    PutBig32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBig32(header, static_cast<unsigned long>(width));
    PutBig32(header, static_cast<unsigned long>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", std::string());

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}

Process::~Process() {
    Kill();
}

bool Process::Start(const std::string& exe, const std::string& tail, const std::string& folder) {
    const auto wide = [](const std::string& text) {
        std::wstring result(text.size(), L'\0');
        result.resize(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0],
                                            static_cast<int>(result.size())));
        return result;
    };
    return Start(wide(exe), wide(tail), wide(folder));
}

bool Process::Start(const std::wstring& exe, const std::wstring& tail, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!tail.empty()) commandLine += L" " + tail;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &m_info))
        return false;
    ::WaitForInputIdle(m_info.hProcess, 5000);
    return true;
}

bool Process::Running() const {
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* code) {
    if (!m_info.hProcess) return false;
    if (::WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (code) ::GetExitCodeProcess(m_info.hProcess, code);
    return true;
}

void Process::Kill() {
    if (!m_info.hProcess) return;
    if (Running()) {
        ::TerminateProcess(m_info.hProcess, 99);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hProcess);
    ::CloseHandle(m_info.hThread);
    m_info = PROCESS_INFORMATION();
}

std::vector<HWND> Process::Windows(bool visibleOnly) const {
    struct Search {
        DWORD pid;
        bool visibleOnly;
        std::vector<HWND> found;
    } search = {m_info.dwProcessId, visibleOnly, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            Search* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            if (pid == s->pid && (!s->visibleOnly || ::IsWindowVisible(window))) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Process::WaitForWindow(const std::string& title, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : Windows())
                if (WindowText(window) == title) {
                    found = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

HWND Process::WaitForOtherDialog(const std::vector<HWND>& known, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : Windows()) {
                bool isKnown = false;
                for (HWND k : known) isKnown = isKnown || k == window;
                if (!isKnown && ClassName(window) == "#32770") {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::string MessageBoxText(HWND box) { return WindowText(::GetDlgItem(box, 0xFFFF)); }

bool AnswerMessageBox(HWND box, int id, DWORD timeoutMs) {
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return WaitUntil([&] { return !::IsWindow(box); }, timeoutMs);
}

}  // namespace gui
