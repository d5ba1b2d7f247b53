#include "tools/uninstall/ProgressWindow.h"

#include "framework/MessagePump.h"

namespace zembra {
namespace {

constexpr char kClassName[] = "ZembraUninstallProgress";
constexpr int kWidth = 440, kHeight = 120, kMargin = 14, kBarHeight = 18;

}  // namespace

ProgressWindow::~ProgressWindow() {
    if (m_window) DestroyWindow(m_window);
}

bool ProgressWindow::Create(const std::string& title) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_WAIT);
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    RECT area = {0, 0, kWidth, kHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
    AdjustWindowRect(&area, style, FALSE);
    const int width = area.right - area.left, height = area.bottom - area.top;
    m_window = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, title.c_str(), style,
                               (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                               width, height, nullptr, nullptr, instance, this);
    if (!m_window) return false;
    m_label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, kMargin,
                              kMargin + 8, kWidth - 2 * kMargin, 20, m_window, nullptr, instance, nullptr);
    SendMessageA(m_label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    PumpMessages();
    return true;
}

void ProgressWindow::Show(const std::string& status, size_t done, size_t total) {
    if (!m_window) return;
    SetWindowTextA(m_label, status.c_str());
    m_done = done;
    m_total = total;
    InvalidateRect(m_window, nullptr, FALSE);
    PumpMessages();
}

void ProgressWindow::PaintBar(HDC dc) const {
    RECT bar = {kMargin, kHeight - kMargin - kBarHeight - 10, kWidth - kMargin, kHeight - kMargin - 10};
    FrameRect(dc, &bar, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&bar, -1, -1);
    RECT filled = bar;
    const long inner = bar.right - bar.left;
    filled.right = bar.left + (m_total ? static_cast<long>(inner * static_cast<double>(m_done) / m_total) : 0);
    FillRect(dc, &filled, GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT rest = bar;
    rest.left = filled.right;
    FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK ProgressWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        self->PaintBar(dc);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_CLOSE) return 0;  // removal goes on to its end
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace zembra
