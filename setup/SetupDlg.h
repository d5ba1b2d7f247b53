// CSetupDlg: the setup dialog. Up to three pages in one window (start, progress, last), laid out
// from the sizes in "Zembra.ini", with pictures, rich-text pages and the target folder. It is the
// setup run of a program with a window: the run's status line, bar and pages are its own, the rest of
// the run's host is CSetupRun's.
#pragma once

#include "framework/CDialog.h"
#include "framework/Controls.h"
#include "setup/PictureCtrl.h"
#include "setup/RtfView.h"
#include "setup/SetupRun.h"

class CSetupApp;

class CSetupDlg : public CDialog, private CSetupRun {
public:
    explicit CSetupDlg(CSetupApp& app);
    ~CSetupDlg() override;

    BOOL OnInitDialog() override;

private:
    // The name of page 1, 2 or 3's file in the program's folder, in the run's language.
    CString PageFile(int page);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnInstall();
    void OnTimer(UINT_PTR id);
    void OnNextPage();
    void OnPrevPage();
    void OnBrowse();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type, HBRUSH baseBrush);
    bool OnSysCommand(WPARAM id);
    bool OnPaint();
    // Shows the page that m_nRunState names.
    void UpdatePage();
    // The programs that the run recorded, when the dialog closes after a completed run.
    void StartFinishPrograms();

    void LayOut();
    // A control's window rectangle in client coordinates.
    RECT ControlRect(int id) const;
    void Place(int id, int x, int y, int width, int height);

    // The installation run's host: what the dialog shows (SetupDlgHost.cpp).
    void ShowStatus(const CString& text) override;
    void SetBarRange(int upper) override;
    void SetBarPos(long done, long total) override;
    void PumpMessages() override;
    void Sleep(unsigned milliseconds) override;
    void EnableCancel(bool enable) override;
    void CloseDialog() override;
    void ShowLastPage() override;
    void SetLibraryProgress(long done, long total) override;

    CWhitePanel m_PanelBand;
    CWhitePanel m_PanelTop;
    CPictureCtrl m_Pic3;
    CPictureCtrl m_Pic2;
    CPictureCtrl m_Pic1;
    CProgressCtrl m_Progress;
    CStatic m_FileInfo;  // the status line
    CRtfView m_View1;
    CRtfView m_View2;
    CRtfView m_View3;
    HICON m_hIcon = nullptr;

    long m_nDlgWidth = 0;
    long m_nPic1Height = 0;
    int m_nButtonBand = 40;
    long m_nPic1Width = 0;
    long m_nPic2Width = 0;
    long m_nPic2Height = 0;
    long m_nPic2Space = 0;

    int m_nRunState = 0;  // the page: 0 before the run, 1 while it goes on, 2 after a completed run
    bool m_bStartingPrograms = false;
};
