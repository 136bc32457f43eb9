// The background reader: one-byte reads into the buffer, its stop request and its limit.
#include "reader_thread.h"

#include <gtest/gtest.h>

#include <thread>

#include "fake_serial_port.h"
#include "line_assembly.h"

namespace mirl {
namespace {

using namespace std::chrono_literals;
using test::FakeSerialPort;

class ReaderThreadTest : public ::testing::Test {
  protected:
    void SetUp() override { port.Open(R"(\\.\COM1)"); }

    std::thread StartReader() {
        state.store(ReaderStatus::Reading);
        return std::thread([this] { ReaderThreadProc(buffer, state, port); });
    }
    void StopAndJoin(std::thread& reader) {
        state.store(ReaderStatus::Stop);
        reader.join();
    }

    ReceiveBuffer buffer;
    ReaderState state{ReaderStatus::Idle};
    FakeSerialPort port;
};

TEST_F(ReaderThreadTest, SilentPortKeepsReadingUntilAskedToStop) {
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 5ms);
    std::thread reader = StartReader();
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(state.load(), ReaderStatus::Reading);
    StopAndJoin(reader);
    EXPECT_GE(port.ReadCalls(), 2);
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

TEST_F(ReaderThreadTest, StoresEveryByteInOrder) {
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 5ms);
    std::string sent;
    for (int value = 0; value < 256; ++value) sent += static_cast<char>(value);
    port.Feed(sent);
    std::thread reader = StartReader();
    ASSERT_TRUE(port.WaitUntilDrained(5s));
    StopAndJoin(reader);
    ASSERT_EQ(buffer.Count(), 256);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(buffer.At(i), i);
}

// A device that went away fails every read at once: the reader must not spin a core on it.
TEST_F(ReaderThreadTest, FailingReadsPauseInsteadOfSpinning) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Fail, 0ms);
    std::thread reader = StartReader();
    std::this_thread::sleep_for(450ms);
    StopAndJoin(reader);
    // About one read every 100 ms; a spinning loop would make many thousands.
    EXPECT_GE(port.ReadCalls(), 2);
    EXPECT_LE(port.ReadCalls(), 10);
    EXPECT_EQ(buffer.Count(), 0);
}

TEST_F(ReaderThreadTest, StopIsHonouredDuringTheFailedReadPause) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Fail, 0ms);
    std::thread reader = StartReader();
    std::this_thread::sleep_for(20ms);
    StopAndJoin(reader);  // would hang if the pause ignored the request
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

TEST_F(ReaderThreadTest, StartedAtTheLimitEndsWithoutReading) {
    for (int i = 0; i < kMaxRead; ++i) buffer.StoreByte('a');
    state.store(ReaderStatus::Reading);
    EXPECT_EQ(ReaderThreadProc(buffer, state, port), 0u);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
    EXPECT_EQ(port.ReadCalls(), 0);
}

TEST_F(ReaderThreadTest, EndsAtTheLimitAndSaysSo) {
    port.Feed(std::string(2500, 'q'));
    state.store(ReaderStatus::Reading);
    EXPECT_EQ(ReaderThreadProc(buffer, state, port), 0u);
    EXPECT_EQ(buffer.Count(), kMaxRead);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
    EXPECT_EQ(port.ReadCalls(), kMaxRead);
}

TEST_F(ReaderThreadTest, LimitReachedByAnInsertedLineFeedStoresAtMostOneMore) {
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 10s);  // the read waits for data
    for (int i = 0; i < kMaxRead - 1; ++i) buffer.StoreByte('a');
    std::thread reader = StartReader();
    std::this_thread::sleep_for(20ms);
    LineAssembler assembler;
    assembler.MoveToLines(buffer, [](const std::string&) {});
    EXPECT_EQ(buffer.Count(), kMaxRead);  // the inserted line feed reached the limit
    port.Feed("Z");
    reader.join();
    EXPECT_EQ(buffer.Count(), kMaxCount);
    EXPECT_EQ(buffer.At(kMaxRead), 'Z');
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

TEST_F(ReaderThreadTest, LimitReachedByAnInsertedLineFeedWithNoFurtherByte) {
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 30ms);
    for (int i = 0; i < kMaxRead - 1; ++i) buffer.StoreByte('a');
    std::thread reader = StartReader();
    LineAssembler assembler;
    assembler.MoveToLines(buffer, [](const std::string&) {});
    reader.join();  // ends by itself after its current read
    EXPECT_EQ(buffer.Count(), kMaxRead);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

}  // namespace
}  // namespace mirl
