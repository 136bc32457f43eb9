// CWnd subclassing a live control: its messages reach the map first, the rest and Default() reach
// the control's own procedure, and the control gets its procedure back however the pair ends.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls.h"
#include "message_map.h"
#include "test_dialog.h"
#include "test_ids.h"

namespace {

class TypingList : public CListBox {
  public:
    int typed = 0;
    bool passOn = false;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnChar(UINT, UINT, UINT) {
        ++typed;
        if (passOn) Default();
    }
    static const mirl::MessageEntry<TypingList> kMessageMap[];
};

const mirl::MessageEntry<TypingList> TypingList::kMessageMap[] = {
    mirl::MessageMap<TypingList>::OnChar(&TypingList::OnChar),
};

BOOL TypingList::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return mirl::DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, *pResult);
}

class Subclassing : public ::testing::Test {
  protected:
    TestDialogWindow dialog;
    HWND list = nullptr;
    LONG_PTR ownProcedure = 0;

    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr);
        list = dialog.item(IDC_TEST_LIST);
        for (const char* item : {"alpha", "bravo"})
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        ownProcedure = ::GetWindowLongPtrA(list, GWLP_WNDPROC);
    }
    int Selected() const { return static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0)); }
};

TEST_F(Subclassing, TheMapComesFirstAndDefaultReachesTheControl) {
    TypingList typing;
    CWnd parent(dialog.get());
    ASSERT_TRUE(typing.SubclassDlgItem(IDC_TEST_LIST, &parent));
    EXPECT_EQ(typing.m_hWnd, list);

    // Handled and kept: the list's own search by first letter does not run.
    ::SendMessageA(list, WM_CHAR, 'b', 1);
    EXPECT_EQ(typing.typed, 1);
    EXPECT_EQ(Selected(), LB_ERR);
    // Handled and passed on.
    typing.passOn = true;
    ::SendMessageA(list, WM_CHAR, 'b', 1);
    EXPECT_EQ(typing.typed, 2);
    EXPECT_EQ(Selected(), 1);
    // Not in the map: the list answers by itself.
    EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
}

// Other programs read the lines with wide messages; a line longer than any conversion buffer
// must come back whole that way and through GetText, high bytes as the ANSI code page has them.
TEST_F(Subclassing, ALongLineReadsBackWholeInWideFormAndThroughGetText) {
    TypingList typing;
    ASSERT_TRUE(typing.SubclassWindow(list));
    const std::string line = std::string(1500, 'x') + "\xe4\r\n";
    ASSERT_EQ(::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())), 2);
    ASSERT_EQ(::SendMessageW(list, LB_GETTEXTLEN, 2, 0), 1503);
    std::wstring wide(1504, L'\0');
    ASSERT_EQ(::SendMessageW(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(wide.data())), 1503);
    wide.resize(1503);
    std::wstring expected(1503, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, line.data(), 1503, expected.data(), 1503);
    EXPECT_EQ(wide, expected);
    CString text;
    typing.GetText(2, text);
    EXPECT_EQ(text.str(), line);
    typing.GetText(3, text);
    EXPECT_TRUE(text.IsEmpty()) << "no such line";
}

TEST_F(Subclassing, TheControlGetsItsProcedureBackWhenTheObjectGoesFirst) {
    auto typing = std::make_unique<TypingList>();
    ASSERT_TRUE(typing->SubclassWindow(list));
    EXPECT_NE(::GetWindowLongPtrA(list, GWLP_WNDPROC), ownProcedure);
    typing.reset();
    EXPECT_EQ(::GetWindowLongPtrA(list, GWLP_WNDPROC), ownProcedure);
    ::SendMessageA(list, WM_CHAR, 'b', 1);
    EXPECT_EQ(Selected(), 1);
}

TEST_F(Subclassing, TheObjectLetsGoWhenTheWindowGoesFirst) {
    TypingList typing;
    ASSERT_TRUE(typing.SubclassWindow(list));
    ::DestroyWindow(list);
    EXPECT_EQ(typing.m_hWnd, nullptr);
    EXPECT_EQ(typing.UnsubclassWindow(), nullptr);
}

TEST_F(Subclassing, UnsubclassingHandsTheWindowBack) {
    TypingList typing;
    ASSERT_TRUE(typing.SubclassWindow(list));
    EXPECT_EQ(typing.UnsubclassWindow(), list);
    EXPECT_EQ(typing.m_hWnd, nullptr);
    EXPECT_EQ(::GetWindowLongPtrA(list, GWLP_WNDPROC), ownProcedure);
}

}  // namespace
