// CRtfView: a read-only rich-edit page that shows RTF, or plain text when the file is not RTF. It never
// keeps the keyboard focus, shows no caret, leaves the mouse pointer alone and has no context menu.
#pragma once

#include "framework/Controls.h"

class CRtfView : public CRichEditCtrl {
public:
    // richEdit10: the rich-edit 1.0 library was loaded instead of 2.0.
    BOOL Create(CWnd* parent, UINT id, bool richEdit10);
    // The file's bytes up to the first zero byte; empty when it cannot be opened.
    static CString ReadTextFile(const char* path);
    void StreamText(CString text);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnSetFocus(HWND lost);
    static DWORD CALLBACK StreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done);
};
