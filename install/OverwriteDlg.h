// COverwriteDlg: asks whether an existing target file is to be overwritten. Four choices as radio
// buttons and one confirm button whose label always describes the checked choice; the wording comes
// from the package's numbered texts 5 to 9.
#pragma once

#include "framework/CDialog.h"

class CProfileDocument;

class COverwriteDlg : public CDialog {
public:
    // Choices in radio-button order.
    enum { Overwrite = 0, OverwriteAll = 1, Keep = 2, KeepAll = 3 };

    explicit COverwriteDlg(CWnd* parent = nullptr);
    ~COverwriteDlg() override;

    int m_nChoice = 0;
    CString m_strText;  // the question while the dialog opens, then the confirm button's label
    CString m_strPath;
    CProfileDocument* m_pProfile = nullptr;  // the numbered texts; not owned

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void UpdateConfirmLabel();
    void OnConfirm();
};
