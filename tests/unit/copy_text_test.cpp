// The copy texts of the output list: one line without its line end, all lines with theirs.
#include "copy_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mirl::CopyTextOfAllLines;
using mirl::CopyTextOfLine;

TEST(CopyTextTest, ALineLosesOnlyItsFinalLineEnd) {
    EXPECT_EQ(CopyTextOfLine("$GPGGA,1*5B\r\n"), "$GPGGA,1*5B");
    EXPECT_EQ(CopyTextOfLine("cd\n"), "cd");
    EXPECT_EQ(CopyTextOfLine("connected."), "connected.");
    // Only the last one goes; a carriage return without a line feed after it is a shown byte.
    EXPECT_EQ(CopyTextOfLine("a\r\r\n"), "a\r");
    EXPECT_EQ(CopyTextOfLine("a\n\n"), "a\n");
    EXPECT_EQ(CopyTextOfLine("a\r"), "a\r");
    EXPECT_EQ(CopyTextOfLine("\x01\xff\r\n"), "\x01\xff");
}

TEST(CopyTextTest, ALineOfOnlyALineEndCopiesAsNothing) {
    EXPECT_EQ(CopyTextOfLine("\n"), "");
    EXPECT_EQ(CopyTextOfLine("\r\n"), "");
    EXPECT_EQ(CopyTextOfLine(""), "");
}

TEST(CopyTextTest, AllLinesKeepTheirOwnLineEndsAndTheOthersGetCrLf) {
    const std::vector<std::string> lines = {"connected.", "ab\r\n", "cd\r\n",
                                            "\n",         "QRS\n",  "disconnect."};
    EXPECT_EQ(CopyTextOfAllLines(lines), "connected.\r\nab\r\ncd\r\n\nQRS\ndisconnect.\r\n");
    EXPECT_EQ(CopyTextOfAllLines(std::vector<std::string>{"x\r"}), "x\r\r\n");
}

TEST(CopyTextTest, AnEmptyListCopiesAsNothing) {
    EXPECT_EQ(CopyTextOfAllLines({}), "");
}

}  // namespace
