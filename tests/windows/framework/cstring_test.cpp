// CString: string-table loading into the ANSI code page.
#include "cstring.h"

#include <gtest/gtest.h>

#include "test_ids.h"

namespace {

TEST(CString, LoadStringReadsTheStringTable) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_GREETING));
    EXPECT_STREQ(s, "Hello, %s: %d");
}

TEST(CString, LoadStringConvertsToTheAnsiCodePage) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_UMLAUT));
    char expected[16] = {};
    ::WideCharToMultiByte(CP_ACP, 0, L"Inf&o \u00fcber", -1, expected, sizeof expected, nullptr,
                          nullptr);
    EXPECT_STREQ(s, expected);
    EXPECT_EQ(s.GetLength(), 10);  // one byte for the u-umlaut
}

TEST(CString, LoadStringOfAMissingIdFailsAndLeavesItEmpty) {
    CString s("old");
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
