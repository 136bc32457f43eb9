// CString: formatting, string-table loading, concatenation and comparison.
#include "cstring.h"

#include <gtest/gtest.h>

#include <string>

#include "test_ids.h"

namespace {

TEST(CString, FormatIsPrintfStyle) {
    CString s;
    s.Format("%d bytes, %s, %02X, %u", 2000, "COM1", 0x0A, 4294967295u);
    EXPECT_STREQ(s, "2000 bytes, COM1, 0A, 4294967295");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, FormatHandlesLongResults) {
    std::string wide(5000, 'x');
    CString s;
    s.Format("[%s]", wide.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.str(), "[" + wide + "]");
}

TEST(CString, FormatTakesAStringThroughItsPointer) {
    CString port("COM7");
    CString s;
    s.Format("port %s", static_cast<LPCSTR>(port));
    EXPECT_EQ(s, "port COM7");
}

TEST(CString, LoadStringReadsTheStringTable) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_GREETING));
    EXPECT_EQ(s, "Hello, %s: %d");
    CString formatted;
    formatted.Format(s, "you", 3);
    EXPECT_EQ(formatted, "Hello, you: 3");
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

TEST(CString, AppendsAndConcatenates) {
    CString s = "ab";
    s += "\r\n";
    s += 'c';
    s += CString("de");
    EXPECT_EQ(s, "ab\r\ncde");
    EXPECT_EQ(s.GetLength(), 7);
    EXPECT_EQ(CString("x") + "y" + 'z', "xyz");
    EXPECT_EQ("1" + CString("2"), "12");
}

TEST(CString, KeepsEmbeddedBytesAndConvertsToConstCharPointer) {
    CString s(static_cast<char>(0xFC), 2);
    const char* p = s;
    EXPECT_EQ(static_cast<unsigned char>(p[0]), 0xFC);
    EXPECT_EQ(p[2], '\0');
    EXPECT_EQ(s[1], static_cast<char>(0xFC));
}

TEST(CString, ComparesAndSlices) {
    CString s("Disconnect");
    EXPECT_TRUE(s == "Disconnect");
    EXPECT_TRUE(s != "disconnect");
    EXPECT_EQ(s.CompareNoCase("DISCONNECT"), 0);
    EXPECT_EQ(s.Left(3), "Dis");
    EXPECT_EQ(s.Mid(3), "connect");
    EXPECT_EQ(s.Mid(3, 4), "conn");
    EXPECT_EQ(s.Right(4), "nect");
    EXPECT_EQ(s.Find('c'), 3);
    EXPECT_EQ(s.Find("nect"), 6);
    EXPECT_EQ(s.Find('z'), -1);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(CString(static_cast<const char*>(nullptr)), "");
}

}  // namespace
