// What the output list draws of a line: in wide characters, and in the ANSI bytes it measures.
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
    EXPECT_EQ(ShownTextOfLine(L"\n"sv), L""sv);  // a lone line feed is an empty line
    // Other control characters, and line ends before the last, are drawn as received.
    EXPECT_EQ(ShownTextOfLine(L"a\r\r\n"sv), L"a\r"sv);
    EXPECT_EQ(ShownTextOfLine(L"\ta\x01\r"sv), L"\ta\x01\r"sv);
    EXPECT_EQ(ShownTextOfLine(L"\n\r"sv), L"\n\r"sv);
    EXPECT_EQ(ShownTextOfLine("\x8d\x8a\xff\r\n"sv), "\x8d\x8a\xff"sv);
}

}  // namespace
