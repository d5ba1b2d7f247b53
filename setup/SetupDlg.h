// CSetupDlg: the setup dialog. Up to three pages in one window (start, progress, last), laid out
// from the sizes in "Zembra.ini", with pictures, rich-text pages and the target folder. It owns the
// installation run and is its host: the driver's status line, bar, questions, messages and library
// calls end up here.
#pragma once

#include "framework/CDialog.h"
#include "framework/Controls.h"
#include "install/InstallDriver.h"
#include "install/InstallHost.h"
#include "profile/CProfileDocument.h"
#include "setup/PictureCtrl.h"
#include "setup/RtfView.h"

class CSetupApp;

class CSetupDlg : public CDialog, private CInstallHost {
public:
    explicit CSetupDlg(CSetupApp& app);
    ~CSetupDlg() override;

    BOOL OnInitDialog() override;

private:
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

    bool CheckRights(long securityNTAuthority);
    void LayOut();
    // A control's window rectangle in client coordinates.
    RECT ControlRect(int id) const;
    void Place(int id, int x, int y, int width, int height);

    // The installation run's host (SetupDlgHost.cpp).
    void ShowStatus(const CString& text) override;
    void SetBarRange(int upper) override;
    void SetBarPos(long done, long total) override;
    void PumpMessages() override;
    void Sleep(unsigned milliseconds) override;
    void EnableCancel(bool enable) override;
    void CloseDialog() override;
    void ShowLastPage() override;
    void Tell(const CString& text, bool failure) override;
    bool AskRetry(const CString& text) override;
    bool ControlKeyDown() override;
    int AskOverwrite(const CString& target) override;
    bool AskCancel(const CString& text) override;
    void SetLibraryProgress(long done, long total) override;
    int Expand(const CString& folder, const CString& key, const CString& fileName) override;
    void CancelLibrary() override;
    int CheckVersion(const CString& target, uint32_t high, uint32_t low) override;
    bool ReplaceFileOnReboot(const CString& target) override;
    void SetRegEntry(const CString& path, const CString& value) override;
    uint32_t Attributes(const CString& path) override;
    void SetAttributes(const CString& path, uint32_t attributes) override;
    void RemoveFile(const CString& path) override;
    bool CreateFolderPath(const CString& folder, bool checkDrive, bool* abort) override;
    void RecordProgram(long n, const CString& path, const CString& parameters, bool hide, bool wait) override;

    CSetupApp& m_App;
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

    CProfileDocument m_Profile;
    CString m_strTargetDir;
    CString m_strListDir;
    CString m_strProName;
    CString m_strProVersion;
    CString m_strWindowsDir;
    CString m_strSystemDir;
    CString m_strRegVersion;
    bool m_bPathChange = false;
    long m_nUpdateRegVersion = 0;  // also: the list file is written
    long m_nDlgWidth = 0;
    long m_nPic1Height = 0;
    int m_nButtonBand = 40;
    long m_nPic1Width = 0;
    long m_nPic2Width = 0;
    long m_nPic2Height = 0;
    long m_nPic2Space = 0;

    int m_nRunState = 0;  // the page: 0 before the run, 1 while it goes on, 2 after a completed run
    CInstallDriver m_Driver;
    bool m_bStartingPrograms = false;
};
