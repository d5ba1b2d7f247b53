// Dialog data exchange: one call per control in a dialog's DoDataExchange, in one direction at a time.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: controls into members
};

void DDX_Text(CDataExchange* pDX, int id, CString& value);
// The index of the checked button in the radio group that starts at id; -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// Attaches the control's window to the object, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The same for a control that is only sent messages: they do not pass through the object, which
// spares every one of them the lookup of the object (a bar moved for each installed file).
void DDX_Handle(CDataExchange* pDX, int id, CWnd& control);
