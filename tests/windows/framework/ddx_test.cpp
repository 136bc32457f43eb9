// Data exchange with real controls: DDX_Control binding and DDX_CBString's prefix selection.
#include "ddx.h"

#include <gtest/gtest.h>

#include "controls.h"
#include "test_dialog.h"
#include "test_ids.h"
#include "wnd.h"

namespace {

// A window that exchanges its port text and binds its combo box, as a dialog would.
class PortForm : public CWnd {
  public:
    explicit PortForm(HWND hWnd) : CWnd(hWnd) {}
    CComboBox m_comboPort;
    CString m_strPort;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_TEST_PORT, m_comboPort);
        DDX_CBString(pDX, IDC_TEST_PORT, m_strPort);
    }
};

class DataExchange : public ::testing::Test {
  protected:
    TestDialogWindow dialog;
    PortForm form{dialog.get()};

    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr);
        ASSERT_EQ(::SendMessageA(dialog.item(IDC_TEST_PORT), CB_GETCOUNT, 0, 0), 4);
    }

    int SelectedPort() const {
        return static_cast<int>(::SendMessageA(dialog.item(IDC_TEST_PORT), CB_GETCURSEL, 0, 0));
    }

    int LoadPort(const char* text) {
        form.m_strPort = text;
        form.UpdateData(FALSE);
        return SelectedPort();
    }
};

TEST_F(DataExchange, ControlBindsTheMemberToTheChildWindow) {
    EXPECT_EQ(form.m_comboPort.m_hWnd, nullptr);
    form.UpdateData(FALSE);
    EXPECT_EQ(form.m_comboPort.m_hWnd, dialog.item(IDC_TEST_PORT));
}

TEST_F(DataExchange, LoadSelectsTheFirstItemThatBeginsWithTheText) {
    // Items in template order: COM1, COM10, COM2, COM25.
    EXPECT_EQ(LoadPort("COM1"), 0);  // COM1, not COM10
    EXPECT_EQ(LoadPort("COM10"), 1);
    EXPECT_EQ(LoadPort("COM2"), 2);  // COM2, not COM25
    EXPECT_EQ(LoadPort("COM25"), 3);
    EXPECT_EQ(LoadPort("COM"), 0);
}

TEST_F(DataExchange, LoadIgnoresCase) {
    EXPECT_EQ(LoadPort("com10"), 1);
    EXPECT_EQ(LoadPort("Com2"), 2);
}

TEST_F(DataExchange, LoadWithoutAMatchLeavesADropDownListAsItWas) {
    LoadPort("COM10");
    EXPECT_EQ(LoadPort("COM5"), 1);
    CString text;
    form.m_comboPort.GetWindowText(text);
    EXPECT_STREQ(text, "COM10");
}

TEST_F(DataExchange, SaveReadsTheSelectedText) {
    ::SendMessageA(dialog.item(IDC_TEST_PORT), CB_SETCURSEL, 3, 0);
    form.UpdateData(TRUE);
    EXPECT_STREQ(form.m_strPort, "COM25");
    ::SendMessageA(dialog.item(IDC_TEST_PORT), CB_SETCURSEL, 0, 0);
    form.UpdateData(TRUE);
    EXPECT_STREQ(form.m_strPort, "COM1");
}

TEST_F(DataExchange, ComboBoxWrapperReadsItems) {
    form.UpdateData(FALSE);
    CString item;
    form.m_comboPort.GetLBText(1, item);
    EXPECT_STREQ(item, "COM10");
    form.m_comboPort.GetLBText(9, item);
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_EQ(form.m_comboPort.SetCurSel(2), 2);
    EXPECT_EQ(form.m_comboPort.GetCurSel(), 2);
    EXPECT_EQ(form.m_comboPort.AddString("COM3"), 4);
}

TEST_F(DataExchange, GetDlgItemGivesOneLastingWrapperPerControl) {
    CWnd* button = form.GetDlgItem(IDC_TEST_BUTTON);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->m_hWnd, dialog.item(IDC_TEST_BUTTON));
    EXPECT_EQ(form.GetDlgItem(IDC_TEST_PORT), form.GetDlgItem(IDC_TEST_PORT));
    EXPECT_EQ(form.GetDlgItem(IDC_TEST_BUTTON), button);
    EXPECT_EQ(form.GetDlgItem(4242), nullptr);

    form.GetDlgItem(IDC_TEST_PORT)->EnableWindow(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(dialog.item(IDC_TEST_PORT)));
    form.GetDlgItem(IDC_TEST_PORT)->EnableWindow(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(dialog.item(IDC_TEST_PORT)));
}

TEST_F(DataExchange, WindowTextAndSystemMenu) {
    CButton button;
    button.Attach(dialog.item(IDC_TEST_BUTTON));
    button.SetWindowText("Disconnect");
    CString text;
    button.GetWindowText(text);
    EXPECT_STREQ(text, "Disconnect");

    CMenu* menu = form.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    const int before = ::GetMenuItemCount(menu->m_hMenu);
    EXPECT_TRUE(menu->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu->AppendMenu(MF_STRING, 0x0010, "Inf&o"));
    EXPECT_EQ(::GetMenuItemCount(menu->m_hMenu), before + 2);
    EXPECT_EQ(::GetMenuItemID(menu->m_hMenu, before + 1), 0x0010u);
    EXPECT_EQ(form.GetSystemMenu(FALSE), menu);
}

}  // namespace
