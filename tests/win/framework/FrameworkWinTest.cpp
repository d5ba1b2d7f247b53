// The Win32 layer of the framework in this process: modal run, message map results, data exchange,
// attaching to controls, the command-line tail.
#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "framework/Controls.h"
#include "framework/DataExchange.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Counts the messages an attached control receives.
class CountingStatic : public CStatic {
public:
    int m_nPaints = 0;
    int m_nPreSubclass = 0;

protected:
    void PreSubclassWindow() override { ++m_nPreSubclass; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PAINT) ++m_nPaints;
        return CStatic::WindowProc(msg, wParam, lParam);
    }
};

class TestDlg : public CDialog {
public:
    TestDlg() : CDialog(200) {}

    CString m_strText;
    int m_nChoice = 0;
    CountingStatic m_Static;
    std::function<void(TestDlg&)> m_onInit;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_onInit) m_onInit(*this);
        return TRUE;
    }
    bool Checked(int id) const { return ::SendMessageA(GetDlgItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Check(int id, bool on) { ::SendMessageA(GetDlgItem(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 305, m_Static);
        DDX_Text(pDX, 300, m_strText);
        DDX_Radio(pDX, 301, m_nChoice);
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_CTLCOLORSTATIC) {
            result = reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
            return true;
        }
        if (msg == WM_APP) {
            result = 1234;
            return true;
        }
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
};

}  // namespace

TEST(FrameworkDialog, ModalRunEndsWithTheResultGiven) {
    struct Row {
        const char* name;
        std::function<void(TestDlg&)> act;
        INT_PTR result;
        const char* text;  // m_strText after the run
    } rows[] = {
        {"EndDialog", [](TestDlg& d) { d.EndDialog(42); }, 42, "vorher"},
        {"OK saves the controls", [](TestDlg& d) {
             d.SetDlgItemText(300, "gespeichert");
             d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
         }, IDOK, "gespeichert"},
        {"Cancel leaves the members", [](TestDlg& d) {
             d.SetDlgItemText(300, "verworfen");
             d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
         }, IDCANCEL, "vorher"},
        {"close box is Cancel", [](TestDlg& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL, "vorher"},
    };
    for (const Row& row : rows) {
        TestDlg dlg;
        dlg.m_strText = "vorher";
        dlg.m_onInit = row.act;
        EXPECT_EQ(row.result, dlg.DoModal()) << row.name;
        EXPECT_STREQ(row.text, dlg.m_strText) << row.name;
        EXPECT_EQ(nullptr, dlg.m_hWnd) << row.name;
    }
}

TEST(FrameworkDialog, HandledMessagesReturnTheirResults) {
    LRESULT brush = 0, app = 0, unhandled = -1;
    TestDlg dlg;
    dlg.m_onInit = [&](TestDlg& d) {
        HDC dc = ::GetDC(d.m_hWnd);
        // Colour messages return the brush itself, others go through DWLP_MSGRESULT.
        brush = d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(d.GetDlgItem(305)));
        ::ReleaseDC(d.m_hWnd, dc);
        app = d.SendMessage(WM_APP);
        unhandled = d.SendMessage(WM_APP + 1);
        d.EndDialog(IDOK);
    };
    dlg.DoModal();
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)), brush);
    EXPECT_EQ(1234, app);
    EXPECT_EQ(0, unhandled);
}

TEST(FrameworkDataExchange, TextAndRadioGroupBothWays) {
    struct Row {
        const char* name;
        int choiceIn;
        std::function<void(TestDlg&)> user;  // what the user does before the save
        int choiceOut;
    } rows[] = {
        {"first button", 0, nullptr, 0},
        {"third button", 2, nullptr, 2},
        {"user picks the second", 0, [](TestDlg& d) { d.Check(301, false); d.Check(302, true); }, 1},
        {"none checked", 1, [](TestDlg& d) { d.Check(302, false); }, -1},
        {"out of range checks none", 7, nullptr, -1},
    };
    for (const Row& row : rows) {
        bool shown[4] = {}, otherGroup = true, otherAfterStatic = true;
        TestDlg dlg;
        dlg.m_strText = "Text mit Ümlaut";
        dlg.m_nChoice = row.choiceIn;
        CString edit;
        dlg.m_onInit = [&](TestDlg& d) {
            for (int i = 0; i < 3; ++i) shown[i] = d.Checked(301 + i);
            d.Check(304, true);
            d.Check(306, true);
            if (row.user) row.user(d);
            d.UpdateData(true);
            otherGroup = d.Checked(304);
            otherAfterStatic = d.Checked(306);
            edit = d.m_strText;
            d.EndDialog(IDOK);
        };
        dlg.DoModal();
        for (int i = 0; i < 3; ++i) EXPECT_EQ(i == row.choiceIn, shown[i]) << row.name << ": button " << i;
        EXPECT_EQ(row.choiceOut, dlg.m_nChoice) << row.name;
        EXPECT_TRUE(otherGroup && otherAfterStatic) << row.name << ": buttons of the next group untouched";
        EXPECT_STREQ("Text mit Ümlaut", edit) << row.name;
    }
}

TEST(FrameworkWindow, AttachedControlSeesItsMessagesAndLetsGoWithItsWindow) {
    TestDlg dlg;
    int paintsWhileShown = 0;
    HWND attached = nullptr;
    dlg.m_onInit = [&](TestDlg& d) {
        attached = d.m_Static.m_hWnd;
        d.ShowWindow(SW_SHOW);
        ::RedrawWindow(d.m_Static.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        paintsWhileShown = d.m_Static.m_nPaints;
        // A second exchange does not attach again.
        d.UpdateData(false);
        d.EndDialog(IDOK);
    };
    dlg.DoModal();
    EXPECT_NE(nullptr, attached);
    EXPECT_GE(paintsWhileShown, 1);
    EXPECT_EQ(1, dlg.m_Static.m_nPreSubclass);
    EXPECT_EQ(nullptr, dlg.m_Static.m_hWnd) << "detached when its window went";
}
