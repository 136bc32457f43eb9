// The background reader: one-byte reads into the buffer, its stop request and its limit, what it
// does when reads fail or the device goes, and a port handed over to it.
#include "reader_thread.h"

#include <gtest/gtest.h>

#include "device_gone.h"
#include "fake_serial_port.h"
#include "line_assembly.h"

namespace mirl {
namespace {

using namespace std::chrono_literals;
using test::FakeSerialPort;

class ReaderThreadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        port.Open(R"(\\.\COM1)");
        port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 1ms);
        options.trace = [this](const std::string& text) { traces.push_back(text); };
    }
    // A test that failed half-way still ends its reader before the port goes.
    void TearDown() override {
        if (!reader) return;
        state.store(ReaderStatus::Stop);
        while (!reader->WaitForEnd(10ms)) port.CancelPendingRead();
    }

    void StartReader() {
        state.store(ReaderStatus::Reading);
        reader = port.ReaderThreads()([this] { ReaderThreadProc(buffer, state, port, options); });
        ASSERT_NE(reader, nullptr);
    }
    void StopAndJoin() {
        state.store(ReaderStatus::Stop);
        reader->Join();
    }
    std::string Stored() const {
        std::string held;
        for (int i = 0; i < buffer.Count(); ++i) held += static_cast<char>(buffer.At(i));
        return held;
    }

    ReceiveBuffer buffer;
    ReaderState state{ReaderStatus::Idle};
    FakeSerialPort port;
    ReaderOptions options;
    std::vector<std::string> traces;  // read only after the join
    std::unique_ptr<WorkerThread> reader;
};

TEST_F(ReaderThreadTest, SilentPortKeepsReadingUntilAskedToStop) {
    StartReader();
    ASSERT_TRUE(port.WaitForStatusCalls(3, 5s));  // three empty reads, each checked
    EXPECT_EQ(state.load(), ReaderStatus::Reading);
    StopAndJoin();
    EXPECT_GE(port.ReadCalls(), 3);
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

TEST_F(ReaderThreadTest, StoresEveryByteInOrder) {
    std::string sent;
    for (int value = 0; value < 256; ++value) sent += static_cast<char>(value);
    port.Feed(sent);
    StartReader();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    StopAndJoin();
    EXPECT_EQ(Stored(), sent);
}

// A device that went away fails every read at once: the reader must not spin a core on it, and
// the pause must not outlast a stop request (it is made far longer than the test's time-out).
TEST_F(ReaderThreadTest, FailedReadClearsTheErrorsThenPausesUntilTheStop) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Fail, 0ms);
    options.failedReadPause = 24h;
    StartReader();
    ASSERT_TRUE(port.WaitForStatusCalls(1, 5s));
    StopAndJoin();
    EXPECT_EQ(port.ReadCalls(), 1);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

// A port set to abort on line errors fails every read after a framing error until its errors
// are cleared; what arrived meanwhile is still there afterwards.
TEST_F(ReaderThreadTest, ReadsFailingUntilClearedResumeWithoutLoss) {
    port.Feed("abc");
    port.FailReadsUntilCleared();
    options.failedReadPause = 1ms;
    StartReader();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    StopAndJoin();
    EXPECT_EQ(Stored(), "abc");
}

class StatusFailureTest : public ReaderThreadTest,
                          public ::testing::WithParamInterface<std::uint32_t> {};

// A driver without the status request (ERROR_INVALID_FUNCTION, ERROR_NOT_SUPPORTED), a generic
// failure and an aborted call say nothing about the device: reading goes on.
TEST_P(StatusFailureTest, KeepsReadingThroughSilence) {
    port.FailCall("ClearCommError", GetParam());
    StartReader();
    ASSERT_TRUE(port.WaitForStatusCalls(20, 5s));
    port.Feed("x");
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    StopAndJoin();
    EXPECT_EQ(Stored(), "x");
    EXPECT_TRUE(traces.empty());
}

INSTANTIATE_TEST_SUITE_P(NotGone, StatusFailureTest, ::testing::Values(1u, 31u, 50u, 995u));

class DeviceGoneTest : public StatusFailureTest {};

// A device gone is not read again (Wine's read of a hung-up pseudo-terminal would keep a core
// busy) until its status answers again; the trace tells once.
TEST_P(DeviceGoneTest, PollsTheStatusInsteadOfReadingUntilItAnswers) {
    port.FailCall("ClearCommError", GetParam());
    options.failedReadPause = 1ms;
    StartReader();
    ASSERT_TRUE(port.WaitForStatusCalls(5, 5s));
    EXPECT_EQ(port.ReadCalls(), 1);
    port.ClearFailures();
    port.Feed("y");
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    StopAndJoin();
    EXPECT_EQ(Stored(), "y");
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_NE(traces[0].find("error " + std::to_string(GetParam())), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Gone, DeviceGoneTest, ::testing::ValuesIn(kDeviceGoneErrors));

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
    port.SetIdleRead(FakeSerialPort::IdleRead::Block, 0ms);  // the read waits for data
    for (int i = 0; i < kMaxRead - 1; ++i) buffer.StoreByte('a');
    StartReader();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    LineAssembler assembler;
    assembler.MoveToLines(buffer);
    EXPECT_EQ(buffer.Count(), kMaxRead);  // the inserted line feed reached the limit
    port.Feed("Z");
    reader->Join();
    EXPECT_EQ(buffer.Count(), kMaxCount);
    EXPECT_EQ(buffer.At(kMaxRead), 'Z');
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

TEST_F(ReaderThreadTest, LimitReachedByAnInsertedLineFeedWithNoFurtherByte) {
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 30ms);
    for (int i = 0; i < kMaxRead - 1; ++i) buffer.StoreByte('a');
    StartReader();
    LineAssembler assembler;
    assembler.MoveToLines(buffer);
    reader->Join();  // ends by itself after its current read
    EXPECT_EQ(buffer.Count(), kMaxRead);
    EXPECT_EQ(state.load(), ReaderStatus::Stop);
}

// Handed the port while stuck in a read, the reader closes it when the read returns, and keeps
// even the byte that read brought out of the buffer and the state: they are no longer its own.
TEST_F(ReaderThreadTest, HandedThePortItClosesItAndTouchesNothingElse) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Block, 0ms);
    PortHandOver handOver;
    options.handOver = &handOver;
    StartReader();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    ASSERT_TRUE(handOver.HandOver());
    EXPECT_TRUE(port.IsOpen());
    port.Feed("b");
    ASSERT_TRUE(reader->WaitForEnd(5s));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.ReadAfterClose());
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(state.load(), ReaderStatus::Reading);
}

}  // namespace
}  // namespace mirl
