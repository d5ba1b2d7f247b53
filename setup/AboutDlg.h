// CAboutDlg: the About box, reached through the setup dialog's system menu, in the run's language.
#pragma once

#include "framework/CDialog.h"
#include "setup/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
    BOOL OnInitDialog() override;
};
