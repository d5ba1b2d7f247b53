#include "setup/PictureCtrl.h"

CPictureCtrl::~CPictureCtrl() {
    if (m_pPicture) m_pPicture->Release();
}

bool CPictureCtrl::SetPictureFile(const char* path) {
    m_strFile = path;
    if (LoadPicture(path)) Invalidate(TRUE);
    return true;
}

bool CPictureCtrl::LoadPicture(const char* path) {
    HANDLE file = ::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = ::GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) {
        ::CloseHandle(file);
        return false;
    }
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) {
        ::CloseHandle(file);
        return false;
    }
    void* data = ::GlobalLock(memory);
    if (!data) {
        ::GlobalUnlock(memory);
        ::GlobalFree(memory);  // no stream owns it yet
        ::CloseHandle(file);
        return false;
    }
    DWORD read = 0;
    BOOL ok = ::ReadFile(file, data, size, &read, nullptr);
    ::GlobalUnlock(memory);
    ::CloseHandle(file);
    if (!ok) {
        ::GlobalFree(memory);
        return false;
    }

    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        if (stream) stream->Release();
        else ::GlobalFree(memory);
        return false;
    }
    if (m_pPicture) {
        m_pPicture->Release();
        m_pPicture = nullptr;
    }
    HRESULT hr = ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(&m_pPicture));
    bool loaded = SUCCEEDED(hr) && m_pPicture;
    if (!loaded && m_pPicture) {
        m_pPicture->Release();
        m_pPicture = nullptr;
    }
    stream->Release();
    return loaded;
}

LRESULT CPictureCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        OnPaint();
        return 0;
    }
    return CStatic::WindowProc(msg, wParam, lParam);
}

void CPictureCtrl::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rect;
    GetClientRect(&rect);
    HRGN clip = ::CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    ::SelectClipRgn(dc, clip);
    ::DeleteObject(clip);
    if (dc && m_hWnd && m_pPicture) {
        m_sizeHimetric.cx = m_sizeHimetric.cy = 0;
        m_pPicture->get_Width(&m_sizeHimetric.cx);
        m_pPicture->get_Height(&m_sizeHimetric.cy);
        // HIMETRIC (0.01 mm) to the device context's units.
        int cx = ::MulDiv(m_sizeHimetric.cx, ::GetDeviceCaps(dc, LOGPIXELSX), 2540);
        int cy = ::MulDiv(m_sizeHimetric.cy, ::GetDeviceCaps(dc, LOGPIXELSY), 2540);

        int x, yb;
        if (m_bCenter) {
            x = rect.left + (rect.right - rect.left) / 2 - cx / 2;
            yb = rect.top + (rect.bottom - rect.top) / 2 - cy / 2 + cy;
        } else {
            x = rect.left;
            yb = rect.top + cy;
        }
        if (!m_bKeepX) x = rect.right - cx;
        if (m_bAlignRight) x = rect.right - cx;

        HBRUSH back = ::CreateSolidBrush(m_crBack);
        ::FillRect(dc, &rect, back);
        ::DeleteObject(back);
        // Drawn upward from yb, so that the picture stands upright.
        m_pPicture->Render(dc, x, yb, cx, -cy, 0, 0, m_sizeHimetric.cx, m_sizeHimetric.cy, nullptr);
    }
    ::EndPaint(m_hWnd, &ps);
}
