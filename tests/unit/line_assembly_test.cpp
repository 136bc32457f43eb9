// The receive buffer and the turning of its bytes into display lines.
#include "line_assembly.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "receive_buffer.h"

namespace mirl {
namespace {

class LineAssemblyTest : public ::testing::Test {
  protected:
    void Store(const std::string& bytes) {
        for (const char c : bytes) ASSERT_TRUE(buffer.StoreByte(static_cast<std::uint8_t>(c)));
    }
    std::vector<std::string> Move() { return assembler.MoveToLines(buffer); }
    using Lines = std::vector<std::string>;

    ReceiveBuffer buffer;
    LineAssembler assembler;
};

TEST_F(LineAssemblyTest, EmptyMoveOnlyStartsTheIndex) {
    EXPECT_EQ(buffer.MoveIndex(), -1);
    EXPECT_EQ(Move(), Lines{});
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(buffer.MoveIndex(), 0);
    EXPECT_EQ(Move(), Lines{});
    EXPECT_EQ(buffer.Count(), 0);
}

TEST_F(LineAssemblyTest, FirstMoveEndsASingleByteWithALineFeed) {
    Store("A");
    EXPECT_EQ(Move(), Lines{"A\n"});
    EXPECT_EQ(buffer.Count(), 2);
    EXPECT_EQ(buffer.MoveIndex(), 2);
    EXPECT_EQ(assembler.PendingLine(), "");
}

TEST_F(LineAssemblyTest, SingleByteAfterAnEmptyMoveWaits) {
    EXPECT_EQ(Move(), Lines{});
    Store("A");
    EXPECT_EQ(Move(), Lines{});
    EXPECT_EQ(buffer.Count(), 1);
    EXPECT_EQ(assembler.PendingLine(), "A");
}

TEST_F(LineAssemblyTest, SteadyStateNeedsTwoNewBytesForALineFeed) {
    Store("x\n");
    EXPECT_EQ(Move(), (Lines{"x\n", "\n"}));  // two unmoved bytes: a line feed of their own
    Store("B");
    EXPECT_EQ(Move(), Lines{});
    EXPECT_EQ(assembler.PendingLine(), "B");
    Store("C");
    EXPECT_EQ(Move(), Lines{});  // B was moved already: only C is new
    EXPECT_EQ(assembler.PendingLine(), "BC");
    Store("DE");
    EXPECT_EQ(Move(), Lines{"BCDE\n"});
}

TEST_F(LineAssemblyTest, TwoNewBytesGiveOneLine) {
    Move();
    Store("BC");
    EXPECT_EQ(Move(), Lines{"BC\n"});
    EXPECT_EQ(buffer.Count(), 3);
}

TEST_F(LineAssemblyTest, CarriageReturnsAndLineFeedsStayInTheText) {
    Store("12\r\n34");
    EXPECT_EQ(Move(), (Lines{"12\r\n", "34\n"}));
    EXPECT_EQ(buffer.Count(), 7);
}

TEST_F(LineAssemblyTest, DataEndingInALineFeedStillGetsOneInserted) {
    Store("ab\r\ncd\r\n");
    EXPECT_EQ(Move(), (Lines{"ab\r\n", "cd\r\n", "\n"}));
}

TEST_F(LineAssemblyTest, ZeroBytesAreCountedButNotShown) {
    Store(std::string("a\0b", 3));
    EXPECT_EQ(buffer.Count(), 3);
    EXPECT_EQ(Move(), Lines{"ab\n"});
    EXPECT_EQ(buffer.Count(), 4);
}

TEST_F(LineAssemblyTest, ClearKeepsThePendingLine) {
    Move();
    Store("Q");
    Move();
    EXPECT_EQ(assembler.PendingLine(), "Q");
    buffer.Clear();
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(buffer.MoveIndex(), -1);
    Store("R");
    EXPECT_EQ(Move(), Lines{"QR\n"});
}

TEST_F(LineAssemblyTest, EveryByteValueSurvivesTheMove) {
    for (int value = 0; value < 256; ++value) {
        ReceiveBuffer freshBuffer;
        LineAssembler freshAssembler;
        freshBuffer.StoreByte(static_cast<std::uint8_t>(value));
        freshBuffer.StoreByte('z');
        const Lines shown = freshAssembler.MoveToLines(freshBuffer);
        std::string expected;
        if (value != 0) expected += static_cast<char>(value);
        expected += 'z';
        if (value == '\n') {
            EXPECT_EQ(shown, (Lines{"\n", "z\n"})) << value;
        } else {
            EXPECT_EQ(shown, Lines{expected + "\n"}) << value;
        }
    }
}

// However the stream is split between ticks, no byte is lost, doubled or reordered; the only
// difference is where line feeds were inserted.
TEST_F(LineAssemblyTest, EverySplitPointKeepsTheStream) {
    const std::string stream = "$GPGGA,1*7A\r\n$GPRMC,2*11\r\nno end";
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        ReceiveBuffer freshBuffer;
        LineAssembler freshAssembler;
        std::string shown;
        const auto move = [&] {
            for (const std::string& line : freshAssembler.MoveToLines(freshBuffer)) shown += line;
        };
        for (const char c : stream.substr(0, split)) freshBuffer.StoreByte(c);
        move();
        for (const char c : stream.substr(split)) freshBuffer.StoreByte(c);
        move();
        shown += freshAssembler.PendingLine();
        // Everything held in the buffer, in order, is what was shown.
        std::string held;
        for (int i = 0; i < freshBuffer.Count(); ++i) held += static_cast<char>(freshBuffer.At(i));
        EXPECT_EQ(shown, held) << "split at " << split;
        std::string withoutInserted;
        std::size_t next = 0;
        for (const char c : held) {
            if (next < stream.size() && c == stream[next]) {
                withoutInserted += c;
                ++next;
            }
        }
        EXPECT_EQ(withoutInserted, stream) << "split at " << split;
        EXPECT_LE(freshBuffer.Count() - static_cast<int>(stream.size()), 2) << split;
    }
}

// The limit counts inserted line feeds: 1999 received bytes end at 2000 with the line feed.
TEST_F(LineAssemblyTest, InsertedLineFeedCountsTowardTheLimit) {
    Store(std::string(1999, 'x'));
    Move();
    EXPECT_EQ(buffer.Count(), 2000);
    EXPECT_EQ(buffer.Count(), kMaxRead);
}

TEST_F(LineAssemblyTest, LimitWithTwoUnmovedBytesReachesTheMaximum) {
    Move();
    Store(std::string(2000, 'y'));
    const Lines shown = Move();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::string(2000, 'y') + "\n");
    EXPECT_EQ(buffer.Count(), kMaxCount);
}

TEST_F(LineAssemblyTest, StoreNeverWritesAtOrBeyondTheCapacity) {
    for (int i = 0; i < kBufferSize; ++i) ASSERT_TRUE(buffer.StoreByte('a'));
    EXPECT_FALSE(buffer.StoreByte('b'));
    EXPECT_EQ(buffer.Count(), kBufferSize);
    EXPECT_FALSE(buffer.InsertLineFeedIfUnmoved());
    EXPECT_EQ(buffer.Count(), kBufferSize);
    Move();
    EXPECT_EQ(assembler.PendingLine().size(), static_cast<std::size_t>(kBufferSize));
}

}  // namespace
}  // namespace mirl
