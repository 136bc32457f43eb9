// What the output list draws of a line, in the wide characters it draws and in the ANSI bytes
// its horizontal extent is measured on.
#include "shown_text.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using mirl::ShownTextOfLine;
using namespace std::string_view_literals;

TEST(ShownTextTest, OnlyTheFinalLineEndIsLeftOutOfTheDrawing) {
    EXPECT_EQ(ShownTextOfLine(L"$GPGGA,1*5B\r\n"sv), L"$GPGGA,1*5B"sv);
    EXPECT_EQ(ShownTextOfLine(L"cd\n"sv), L"cd"sv);
    EXPECT_EQ(ShownTextOfLine(L"connected."sv), L"connected."sv);
    // A lone line feed, as the line-feed rule makes them, is an empty line.
    EXPECT_EQ(ShownTextOfLine(L"\n"sv), L""sv);
    EXPECT_EQ(ShownTextOfLine(L"\r\n"sv), L""sv);
    // Other control characters, and line ends before the last, are drawn as received.
    EXPECT_EQ(ShownTextOfLine(L"a\r\r\n"sv), L"a\r"sv);
    EXPECT_EQ(ShownTextOfLine(L"a\n\n"sv), L"a\n"sv);
    EXPECT_EQ(ShownTextOfLine(L"\ta\x01\r"sv), L"\ta\x01\r"sv);
    EXPECT_EQ(ShownTextOfLine(L"\n\r"sv), L"\n\r"sv);
    // The ANSI form drops the same: bytes at and above 0x80 are no line ends.
    EXPECT_EQ(ShownTextOfLine("\x8d\x8a\xff\r\n"sv), "\x8d\x8a\xff"sv);
}

}  // namespace
