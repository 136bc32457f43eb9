// CListBox on a real list box: adding in order, counting, the top index and clearing.
#include <gtest/gtest.h>

#include <string>

#include "controls.h"
#include "test_dialog.h"
#include "test_ids.h"

namespace {

class ListBox : public ::testing::Test {
  protected:
    TestDialogWindow dialog;
    CListBox list;

    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr);
        list.Attach(dialog.item(IDC_TEST_LIST));
    }
};

// The list's own answers, asked directly rather than through the wrapper under test.
std::string ItemText(HWND list, int index) {
    char text[64] = {};
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

int TopIndex(HWND list) {
    return static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
}

TEST_F(ListBox, AddsInArrivalOrderAndCounts) {
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.AddString("b\r\n"), 0);
    EXPECT_EQ(list.AddString("a\n"), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(ItemText(list, 0), "b\r\n");
}

TEST_F(ListBox, SetTopIndexScrollsToTheItem) {
    list.InitStorage(40, 40 * 8);
    for (int i = 0; i < 40; ++i) list.AddString(("line " + std::to_string(i)).c_str());
    EXPECT_EQ(TopIndex(list), 0);
    EXPECT_NE(list.SetTopIndex(10), LB_ERR);
    EXPECT_EQ(TopIndex(list), 10);
    EXPECT_NE(list.SetTopIndex(0), LB_ERR);
    EXPECT_EQ(TopIndex(list), 0);
}

TEST_F(ListBox, ResetContentEmptiesIt) {
    list.AddString("x");
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
