#include "setup/RtfView.h"

#include "framework/CFile.h"

#include <cstring>

BOOL CRtfView::Create(CWnd* parent, UINT id, bool richEdit10) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                        ES_READONLY | ES_WANTRETURN;
    RECT rect = {0, 0, 100, 100};
    return CreateEx(0, richEdit10 ? "RICHEDIT" : "RichEdit20A", "", style, rect, parent, id);
}

CString CRtfView::ReadTextFile(const char* path) {
    CString text;
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return text;
    int64_t length = file.GetLength();
    if (length > 0 && length < 0x7FFFFFFF) {
        char* buffer = text.GetBufferSetLength(static_cast<int>(length));
        int read = file.Read(buffer, static_cast<unsigned>(length));
        buffer[read > 0 ? read : 0] = '\0';
        text.ReleaseBuffer();  // up to the first zero byte
    }
    file.Close();
    return text;
}

DWORD CALLBACK CRtfView::StreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    CString& rest = *reinterpret_cast<CString*>(cookie);
    if (rest.GetLength() < count) {
        std::memcpy(buffer, rest.c_str(), rest.GetLength());
        *done = rest.GetLength();
        rest.Empty();
    } else {
        std::memcpy(buffer, rest.c_str(), count);
        *done = count;
        rest = rest.Mid(count);
    }
    return 0;
}

void CRtfView::StreamText(CString text) {
    if (!m_hWnd) return;
    CString saved = text;  // the RTF attempt eats what it reads
    LimitText(65535);
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&text);
    stream.pfnCallback = StreamCallback;
    if (StreamIn(SF_RTF, stream) == 0) {
        text = saved;
        stream.dwError = 0;
        StreamIn(SF_TEXT, stream);
    }
}

void CRtfView::OnSetFocus(HWND lost) {
    SetSel(0, 0);  // the control's own focus handling is skipped: no caret
    if (!lost) return;
    if (lost == ::GetParent(m_hWnd)) {
        // The next sibling that can take the focus: a hidden one (another page's view) would hand it
        // straight back and the two would trade it without end.
        HWND next = ::GetWindow(m_hWnd, GW_HWNDNEXT);
        while (next && !(::IsWindowVisible(next) && ::IsWindowEnabled(next))) next = ::GetWindow(next, GW_HWNDNEXT);
        if (next) ::SetFocus(next);
    } else {
        ::SetFocus(lost);
    }
}

LRESULT CRtfView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_SETCURSOR:
        return TRUE;  // the pointer keeps its shape
    case WM_CONTEXTMENU:
        return 0;
    default:
        return CRichEditCtrl::WindowProc(msg, wParam, lParam);
    }
}
