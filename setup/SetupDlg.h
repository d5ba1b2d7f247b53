// CSetupDlg: the setup dialog. Up to three pages in one window (start, progress, last), laid out
// from the sizes in "Zembra.ini", with pictures, rich-text pages and the target folder.
#pragma once

#include "framework/CDialog.h"
#include "framework/Controls.h"
#include "install/EntryFlags.h"
#include "profile/CNyStringArray.h"
#include "profile/CProfileDocument.h"
#include "setup/PictureCtrl.h"
#include "setup/RtfView.h"

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(CWnd* parent = nullptr);
    ~CSetupDlg() override;

    BOOL OnInitDialog() override;

    // Shows the page that m_nRunState names.
    void UpdatePage();

    CWhitePanel m_PanelBand;
    CWhitePanel m_PanelTop;
    CPictureCtrl m_Pic3;
    CPictureCtrl m_Pic2;
    CPictureCtrl m_Pic1;
    CProgressCtrl m_Progress;
    CString m_strTargetDir;
    CString m_strListDir;
    CString m_strProName;
    CString m_strProVersion;
    CString m_strWindowsDir;
    CString m_strSystemDir;
    CString m_strRegVersion;
    bool m_bPathChange = false;
    bool m_bWriteFileList = false;

    // State of the installation run; the driver owns their meaning.
    bool m_bCancelled = false;
    bool m_bPaused = false;
    bool m_bFinished = false;
    int m_nRebootCount = 0;
    CString m_strStatus;
    CString m_strCurFile;
    CString m_strCurFolder;
    CString m_strSideFile;
    char m_szDrive[3] = {};  // the target split for its side file, as _splitpath fills them
    char m_szDir[256] = {};
    char m_szFName[256] = {};

    CRtfView m_View1;
    CRtfView m_View2;
    CRtfView m_View3;
    CProfileDocument m_Profile;
    int m_nRunState = 0;
    long m_nDlgWidth = 0;
    long m_nPic1Height = 0;
    int m_nButtonBand = 40;
    long m_nPic1Width = 0;
    long m_nPic2Width = 0;
    long m_nPic2Height = 0;
    long m_nPic2Space = 0;
    long m_nUpdateRegVersion = 0;
    HICON m_hIcon = nullptr;

protected:
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

    // The installation run (SetupDlgRun.cpp, SetupDlgEntry.cpp, SetupDlgFinish.cpp).
    void RunInstallation();
    // The entry steps for section PFile<index>; false when the run is to stop.
    bool InstallEntry(unsigned long index);
    // Steps 14 and 15 of an entry: the file written, or put aside for the restart, or given up.
    enum class Outcome { Installed, Scheduled, NotInstalled };
    Outcome ExpandEntry(const EntryFlags& flags, const CString& key, const CString& target, DWORD attributes);
    bool ScheduleSideFile(const CString& key, const CString& target);
    void WaitBeforeRetry();
    void CancelSequence();
    void EndRun();
    void UpdateFileList();
    void StartFinishPrograms();

private:
    // Values of one run, reset when it starts.
    long m_nTotal = 0;
    long m_nDone = 0;
    bool m_bOverwriteRemembered = false;
    int m_nOverwriteChoice = 0;
    int m_nLockAnswer = 0;  // a target in use: 0 ask, 1 always retry, 2 always give up
    long m_nProgramCount = 0;
    CNyStringArray m_arrScheduledSideFiles;  // side files that this run has handed to the restart
    bool m_bStartingPrograms = false;

    bool CheckRights(long securityNTAuthority);
    void LayOut();
    // A control's window rectangle in client coordinates.
    RECT ControlRect(int id) const;
    void Place(int id, int x, int y, int width, int height);
};
