// CDialog run modally: initialisation, the message map in the dialog procedure, Default(), owner.
#include "dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "controls.h"
#include "dc.h"
#include "ddx.h"
#include "message_map.h"
#include "test_dialog.h"
#include "test_ids.h"
#include "winapp.h"

namespace {

constexpr UINT kFlush = 1012;
constexpr UINT kCount = 1016;

class ProbeDialog : public CDialog {
  public:
    explicit ProbeDialog(CWnd* pParent = nullptr) : CDialog(IDD_FRAMEWORK_TEST, pParent) {}

    CComboBox m_comboPort;
    CListBox m_listOutput;
    CButton m_btnGo;
    CString m_strPort = "COM2";

    std::function<void(ProbeDialog&)> script;  // runs at the end of OnInitDialog
    std::vector<std::string> log;
    int portItems = -1;
    int portSelection = -1;
    HWND owner = nullptr;
    bool paintHadDc = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        FillPortItems(m_hWnd);
        UpdateData(FALSE);
        portItems = static_cast<int>(m_comboPort.SendMessage(CB_GETCOUNT));
        portSelection = m_comboPort.GetCurSel();
        owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (script) script(*this);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TEST_LIST, m_listOutput);
        DDX_Control(pDX, IDC_TEST_PORT, m_comboPort);
        DDX_Control(pDX, IDC_TEST_BUTTON, m_btnGo);
        DDX_CBString(pDX, IDC_TEST_PORT, m_strPort);
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    void OnGo() {
        log.push_back("go");
        EndDialog(100);
    }
    void OnFlush() { log.push_back("flush"); }
    void OnCount() { log.push_back("count"); }
    void OnTimer(UINT_PTR nIDEvent) {
        CDialog::OnTimer(nIDEvent);  // the default handling first
        log.push_back("timer " + std::to_string(nIDEvent));
        KillTimer(nIDEvent);
        EndDialog(200 + static_cast<int>(nIDEvent));
    }
    void OnSysCommand(UINT nID, LPARAM lParam) {
        log.push_back("syscommand");
        CDialog::OnSysCommand(nID, lParam);
        log.push_back("after default");
    }
    void OnPaint() {
        CPaintDC dc(this);
        paintHadDc = dc.m_hDC != nullptr;
        log.push_back("paint");
    }
    HCURSOR OnQueryDragIcon() { return ::LoadCursorA(nullptr, IDC_ARROW); }

    static const mirl::MessageEntry<ProbeDialog> kMessageMap[];
};

using Map = mirl::MessageMap<ProbeDialog>;
const mirl::MessageEntry<ProbeDialog> ProbeDialog::kMessageMap[] = {
    Map::OnSysCommand(&ProbeDialog::OnSysCommand),
    Map::OnPaint(&ProbeDialog::OnPaint),
    Map::OnQueryDragIcon(&ProbeDialog::OnQueryDragIcon),
    Map::OnBnClicked(IDC_TEST_BUTTON, &ProbeDialog::OnGo),
    Map::OnCommand(kFlush, &ProbeDialog::OnFlush),
    Map::OnCommand(kCount, &ProbeDialog::OnCount),
    Map::OnTimer(&ProbeDialog::OnTimer),
};

// Defined after the table, where its size is known.
BOOL ProbeDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return mirl::DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, *pResult) ||
           CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

using Log = std::vector<std::string>;

TEST(Dialog, InitLoadsTheMembersIntoTheControls) {
    ProbeDialog dlg;
    dlg.script = [](ProbeDialog& d) { d.Post(WM_COMMAND, IDCANCEL); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.portItems, 4);
    EXPECT_EQ(dlg.portSelection, 2);  // "COM2"
    EXPECT_EQ(dlg.m_hWnd, nullptr);   // the window is gone after DoModal
}

TEST(Dialog, OkSavesTheControlsAndEndsWithIdOk) {
    ProbeDialog dlg;
    dlg.script = [](ProbeDialog& d) {
        d.m_comboPort.SetCurSel(3);
        d.Post(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.m_strPort, "COM25");
}

TEST(Dialog, AClickOnTheButtonReachesItsHandler) {
    ProbeDialog dlg;
    // BM_CLICK makes the button send BN_CLICKED with its own handle, as a mouse click does.
    dlg.script = [](ProbeDialog& d) { ::PostMessageA(d.m_btnGo.m_hWnd, BM_CLICK, 0, 0); };
    EXPECT_EQ(dlg.DoModal(), 100);
    std::erase(dlg.log, "paint");
    EXPECT_EQ(dlg.log, Log{"go"});
}

TEST(Dialog, CommandsSentFromAnotherThreadReachTheirHandlers) {
    ProbeDialog dlg;
    std::thread outside;
    dlg.script = [&outside](ProbeDialog& d) {
        HWND hWnd = d.m_hWnd;
        outside = std::thread([hWnd] {
            ::SendMessageA(hWnd, WM_COMMAND, kFlush, 0);
            ::SendMessageA(hWnd, WM_COMMAND, kCount, 0);
            ::SendMessageA(hWnd, WM_COMMAND, kFlush, 0);
            ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        });
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    outside.join();
    std::erase(dlg.log, "paint");  // the window may paint in between
    EXPECT_EQ(dlg.log, (Log{"flush", "count", "flush"}));
}

TEST(Dialog, TimerTicksReachOnTimerWithTheirId) {
    ProbeDialog dlg;
    dlg.script = [](ProbeDialog& d) { d.SetTimer(7, 10); };
    EXPECT_EQ(dlg.DoModal(), 207);
    std::erase(dlg.log, "paint");
    EXPECT_EQ(dlg.log, Log{"timer 7"});
}

TEST(Dialog, DefaultRunsTheDialogManagersHandlingOnceAndReturns) {
    ProbeDialog dlg;
    // The default for SC_CLOSE sends WM_CLOSE, for which the dialog manager posts IDCANCEL.
    dlg.script = [](ProbeDialog& d) { d.Post(WM_SYSCOMMAND, SC_CLOSE); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    std::erase(dlg.log, "paint");
    EXPECT_EQ(dlg.log, (Log{"syscommand", "after default"}));
}

TEST(Dialog, DragIconIsTheHandlersReturnValue) {
    ProbeDialog dlg;
    LRESULT answer = 0;
    dlg.script = [&answer](ProbeDialog& d) {
        answer = d.SendMessage(WM_QUERYDRAGICON);
        d.Post(WM_COMMAND, IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_EQ(answer, reinterpret_cast<LRESULT>(::LoadCursorA(nullptr, IDC_ARROW)));
}

TEST(Dialog, PaintGetsAPaintContext) {
    ProbeDialog dlg;
    dlg.script = [](ProbeDialog& d) {
        ::ShowWindow(d.m_hWnd, SW_SHOW);
        ::InvalidateRect(d.m_hWnd, nullptr, TRUE);
        ::UpdateWindow(d.m_hWnd);  // paints now, through the dialog procedure
        d.Post(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_FALSE(dlg.log.empty());
    EXPECT_EQ(dlg.log.front(), "paint");
    EXPECT_TRUE(dlg.paintHadDc);
}

TEST(Dialog, WithoutAParentTheAppsMainWindowIsTheOwner) {
    CWinApp app("owner test");
    TestDialogWindow mainWindow;
    CWnd mainWnd(mainWindow.get());
    app.m_pMainWnd = &mainWnd;
    ProbeDialog dlg;
    dlg.script = [](ProbeDialog& d) { d.Post(WM_COMMAND, IDCANCEL); };
    dlg.DoModal();
    EXPECT_EQ(dlg.owner, mainWindow.get());

    // The main dialog itself has no owner.
    ProbeDialog mainDlg;
    app.m_pMainWnd = &mainDlg;
    mainDlg.script = [](ProbeDialog& d) { d.Post(WM_COMMAND, IDCANCEL); };
    mainDlg.DoModal();
    EXPECT_EQ(mainDlg.owner, nullptr);
}

TEST(Dialog, AnExplicitParentIsTheOwner) {
    TestDialogWindow parentWindow;
    CWnd parent(parentWindow.get());
    ProbeDialog dlg(&parent);
    dlg.script = [](ProbeDialog& d) { d.Post(WM_COMMAND, IDCANCEL); };
    dlg.DoModal();
    EXPECT_EQ(dlg.owner, parentWindow.get());
}

TEST(Dialog, UnhandledCommandsGoOnToTheApplication) {
    class RecordingApp : public CWinApp {
      public:
        RecordingApp() : CWinApp("recording") {}
        std::vector<UINT> commands;
        BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
            if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
            return CWinApp::OnWndMsg(message, wParam, lParam, pResult);
        }
    } app;
    ProbeDialog dlg;
    dlg.script = [](ProbeDialog& d) {
        d.Post(WM_COMMAND, ID_HELP);
        d.Post(WM_COMMAND, kFlush);  // the dialog's own: not passed on
        // A control's notification stays with the dialog.
        d.Post(WM_COMMAND, MAKEWPARAM(IDC_TEST_PORT, CBN_DROPDOWN),
               reinterpret_cast<LPARAM>(d.m_comboPort.m_hWnd));
        d.Post(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(app.commands, std::vector<UINT>{ID_HELP});
}

TEST(Dialog, ASecondRunBindsTheControlsAgain) {
    ProbeDialog dlg;
    HWND first = nullptr;
    dlg.script = [&first](ProbeDialog& d) {
        first = d.m_comboPort.m_hWnd;
        d.Post(WM_COMMAND, IDCANCEL);
    };
    dlg.DoModal();
    HWND second = nullptr;
    dlg.script = [&second](ProbeDialog& d) {
        second = d.m_comboPort.m_hWnd;
        d.Post(WM_COMMAND, IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(dlg.portItems, 4);  // a new window each run
}

}  // namespace
