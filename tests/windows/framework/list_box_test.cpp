// CListBox on a real list box: adding in order, counting, the top index and clearing.
#include <gtest/gtest.h>

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

TEST_F(ListBox, AddsInArrivalOrderAndCounts) {
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.AddString("b\r\n"), 0);
    EXPECT_EQ(list.AddString("a\n"), 1);
    EXPECT_EQ(list.GetCount(), 2);
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, "b\r\n");
}

TEST_F(ListBox, SetTopIndexScrollsToTheItem) {
    for (int i = 0; i < 40; ++i) {
        CString line;
        line.Format("line %d", i);
        list.AddString(line);
    }
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_NE(list.SetTopIndex(10), LB_ERR);
    EXPECT_EQ(list.GetTopIndex(), 10);
    EXPECT_NE(list.SetTopIndex(0), LB_ERR);
    EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST_F(ListBox, ResetContentEmptiesIt) {
    list.AddString("x");
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
