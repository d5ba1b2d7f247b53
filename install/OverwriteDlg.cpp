#include "install/OverwriteDlg.h"

#include "framework/DataExchange.h"
#include "install/OverwriteIds.h"
#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "profile/CProfileDocument.h"

COverwriteDlg::COverwriteDlg(CWnd* parent) : CDialog(IDD_OVERWRITE, parent) {}

COverwriteDlg::~COverwriteDlg() = default;

void COverwriteDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CHOICE0, m_nChoice);
}

BOOL COverwriteDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_strText = m_pProfile ? FormatText(GetText(*m_pProfile, 9), m_strPath) : CString();
    SetDlgItemText(IDC_QUESTION, m_strText);
    const zembra::SetupText choices[] = {zembra::SetupText::ChoiceOverwrite, zembra::SetupText::ChoiceOverwriteAll,
                                         zembra::SetupText::ChoiceKeep, zembra::SetupText::ChoiceKeepAll};
    for (int i = 0; i < 4; ++i) SetDlgItemText(IDC_CHOICE0 + i, zembra::Text(choices[i]).c_str());
    UpdateConfirmLabel();
    return TRUE;
}

void COverwriteDlg::UpdateConfirmLabel() {
    UpdateData(true);
    if (m_pProfile && m_nChoice >= Overwrite && m_nChoice <= KeepAll) m_strText = GetText(*m_pProfile, 5 + m_nChoice);
    SetDlgItemText(IDC_CONFIRM, m_strText);
}

void COverwriteDlg::OnConfirm() {
    UpdateData(true);
    CDialog::OnOK();
}

bool COverwriteDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_CHOICE0:
        case IDC_CHOICE1:
        case IDC_CHOICE2:
        case IDC_CHOICE3:
            UpdateConfirmLabel();
            result = 0;
            return true;
        case IDC_CONFIRM:
            OnConfirm();
            result = 0;
            return true;
        default:
            break;
        }
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
