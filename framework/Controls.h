// Wrappers of the standard controls: a window handle and one message per member.
#pragma once

#include "framework/CWnd.h"

#include <commctrl.h>
#include <richedit.h>

class CStatic : public CWnd {};

class CEdit : public CWnd {};

class CButton : public CWnd {};

class CProgressCtrl : public CWnd {};

class CRichEditCtrl : public CWnd {
public:
    void LimitText(long limit) { SendMessage(EM_EXLIMITTEXT, 0, limit); }
    void SetSel(long start, long end) {
        CHARRANGE range = {start, end};
        SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    // Characters read, as the control reports them.
    long StreamIn(int format, EDITSTREAM& stream) {
        return static_cast<long>(SendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream)));
    }
};
