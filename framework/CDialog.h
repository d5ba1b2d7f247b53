// CDialog: a modal dialog from a template resource.
//
// The modal run is one DialogBoxParamA call with the object in the init parameter; the dialog
// procedure finds it again through DWLP_USER. Derived dialogs see every message in OnMessage, a
// plain dispatch that returns false for what it declines, and call the base for the rest.
#pragma once

#include "framework/CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    INT_PTR DoModal();
    void EndDialog(int result);
    // save true: controls into members; false: members into controls. No exchange checks its data.
    void UpdateData(bool save = true);

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // The message map. True when handled, with the message's result in result.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
