// CWnd subclassing a live control: its messages reach the map first, the rest and Default() reach
// the control's own procedure, and the control gets its procedure back however the pair ends.
#include <gtest/gtest.h>

#include <memory>

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
    const BOOL unicode = ::IsWindowUnicode(list);
    CWnd parent(dialog.get());
    ASSERT_TRUE(typing.SubclassDlgItem(IDC_TEST_LIST, &parent));
    EXPECT_EQ(typing.m_hWnd, list);
    EXPECT_EQ(::IsWindowUnicode(list), unicode);

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
