#include "setup/SetupDlg.h"

#include "framework/DataExchange.h"
#include "install/SetupTexts.h"
#include "install/Texts.h"
#include "setup/AboutDlg.h"
#include "setup/SetupApp.h"
#include "setup/SetupUtils.h"
#include "setup/resource.h"

#include <io.h>

CSetupDlg::CSetupDlg(CSetupApp& app) : CDialog(IDD_ZEMBRASETUP_DIALOG), CSetupRun(app) {
    m_hIcon = ::LoadIconA(m_App.m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CSetupDlg::~CSetupDlg() = default;

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PANEL_BAND, m_PanelBand);
    DDX_Control(pDX, IDC_PANEL_TOP, m_PanelTop);
    DDX_Control(pDX, IDC_PIC3, m_Pic3);
    DDX_Control(pDX, IDC_PIC2, m_Pic2);
    DDX_Control(pDX, IDC_PIC1, m_Pic1);
    DDX_Handle(pDX, IDC_PROGRESS, m_Progress);
    DDX_Handle(pDX, IDC_FILE_INFO, m_FileInfo);
    DDX_Text(pDX, IDC_PATH, m_strTargetDir);
}

BOOL CSetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    HMENU sysMenu = GetSystemMenu(FALSE);
    if (sysMenu) {
        ::AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, zembra::Text(zembra::SetupText::AboutMenu).c_str());
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    if (!Prepare()) {
        EndDialog(IDCANCEL);
        return FALSE;
    }

    const CString& appDir = m_App.m_strAppDir;
    CString text1 = CRtfView::ReadTextFile(appDir + PageFile(1));
    CString text2 = CRtfView::ReadTextFile(appDir + PageFile(2));
    CString text3 = CRtfView::ReadTextFile(appDir + PageFile(3));

    m_nDlgWidth = m_Profile.GetInt("Doc", "DlgWidth", 0);
    m_nPic1Width = m_Profile.GetInt("Doc", "Pic1Width", 0);
    m_nPic1Height = m_Profile.GetInt("Doc", "Pic1Height", 0);
    m_nPic2Width = m_Profile.GetInt("Doc", "Pic2Width", 0);
    m_nPic2Height = m_Profile.GetInt("Doc", "Pic2Height", 0);
    m_nPic2Space = m_Profile.GetInt("Doc", "Pic2Space", 0);

    int frame = ::GetSystemMetrics(SM_CYDLGFRAME);
    int caption = ::GetSystemMetrics(SM_CYCAPTION);
    MoveWindow(0, 0, m_nDlgWidth, m_nButtonBand + m_nPic1Height + caption + 2 * frame);
    CenterWindow();

    m_Pic1.SetPictureFile(appDir + "gfx1.bmp");
    m_Pic2.SetPictureFile(appDir + "gfx2.bmp");
    m_Pic2.m_bKeepX = false;
    m_Pic2.m_bAlignRight = true;
    m_Pic2.m_crBack = RGB(255, 255, 255);
    CString pic3 = appDir + "gfx3.bmp";
    m_Pic3.SetPictureFile(_access(pic3, 0) == 0 ? pic3 : appDir + "gfx1.bmp");

    m_View1.Create(this, IDC_VIEW1, m_App.m_bRichEdit10);
    m_View2.Create(this, IDC_VIEW2, m_App.m_bRichEdit10);
    m_View3.Create(this, IDC_VIEW3, m_App.m_bRichEdit10);
    m_View1.StreamText(text1);
    m_View2.StreamText(text2);
    m_View3.StreamText(text3);

    LayOut();

    SetWindowText(m_strProName + " V" + m_strProVersion);

    SetDlgItemText(IDC_FILE_INFO, "");
    SetDlgItemText(IDCANCEL, GetText(m_Profile, 12));
    SetDlgItemText(IDC_INSTALL, GetText(m_Profile, 13));
    SetDlgItemText(IDC_WAIT_TEXT, GetText(m_Profile, 14));
    SetDlgItemText(IDC_PATH_LABEL, GetText(m_Profile, 15));

    UpdateData(false);
    UpdatePage();

    if (m_App.m_bAuto) SetTimer(1000, 400);
    return TRUE;
}

bool CSetupDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_CTLCOLORSTATIC: {
        // The base brush and colours first, as the system's dialog handling gives them.
        HBRUSH base = reinterpret_cast<HBRUSH>(::DefWindowProcA(m_hWnd, msg, wParam, lParam));
        result = reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CTLCOLOR_STATIC, base));
        return true;
    }
    case WM_TIMER:
        OnTimer(wParam);
        result = 0;
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) break;
        switch (LOWORD(wParam)) {
        case IDC_NEXT: OnNextPage(); return true;
        case IDC_PREV: OnPrevPage(); return true;
        case IDC_BROWSE: OnBrowse(); return true;
        case IDC_INSTALL: OnInstall(); return true;
        default: break;
        }
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

bool CSetupDlg::OnSysCommand(WPARAM id) {
    if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;  // move, close, minimise: the system's
    CAboutDlg about;
    about.DoModal();
    return true;
}

bool CSetupDlg::OnPaint() {
    if (!IsIconic()) return false;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &ps);
    return true;
}
