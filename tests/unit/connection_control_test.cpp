// The Connect/Disconnect sequences, the tick, and the commands on the captured data.
#include "connection_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>

#include "fake_host.h"
#include "fake_serial_port.h"
#include "message_box.h"

namespace mirl {
namespace {

using namespace std::chrono_literals;
using test::FakeHost;
using test::FakeSerialPort;
using Strings = std::vector<std::string>;

void ExpectBox(const test::ShownBox& box, const std::string& text,
               const std::optional<std::string>& caption, std::uint32_t type) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.type, type);
}

class ConnectionControlTest : public ::testing::Test {
  protected:
    ConnectionControlTest() { port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 5ms); }

    // Calls made since the last look.
    Strings NewHostCalls() {
        Strings fresh(host.calls.begin() + static_cast<long>(m_seenHostCalls), host.calls.end());
        m_seenHostCalls = host.calls.size();
        return fresh;
    }
    Strings NewPortCalls() {
        const Strings all = port.Calls();
        Strings fresh(all.begin() + static_cast<long>(m_seenPortCalls), all.end());
        m_seenPortCalls = all.size();
        return fresh;
    }
    void ConnectOk() {
        control.OnConnect();
        ASSERT_EQ(state.connected, 1);
        NewHostCalls();
        NewPortCalls();
    }
    // Sends bytes through the port and waits until the reader has stored them all.
    void FeedAndStore(const std::string& bytes) {
        const auto expected = state.buffer.Count() + static_cast<int>(bytes.size());
        port.Feed(bytes);
        ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
        ASSERT_EQ(state.buffer.Count(), expected);
    }
    // Runs `action`, failing instead of hanging when it does not return. The limit is generous
    // for a loaded machine: that it returns is checked here, how fast belongs to a benchmark.
    void ExpectReturns(const std::function<void()>& action) {
        auto done = std::async(std::launch::async, action);
        const bool returned = done.wait_for(30s) == std::future_status::ready;
        if (!returned) port.EndPendingRead();  // lets it unwind
        ASSERT_TRUE(returned);
    }
    void StoreDirectly(const std::string& bytes) {
        for (const char c : bytes) state.buffer.StoreByte(static_cast<std::uint8_t>(c));
    }
    void ExpectIdle() {
        EXPECT_EQ(state.connected, 0);
        EXPECT_EQ(state.readerState.load(), ReaderStatus::Idle);
        EXPECT_EQ(host.connectText, "Connect");
        EXPECT_FALSE(host.timerRunning);
        EXPECT_FALSE(port.IsOpen());
    }

    CaptureState state;
    FakeSerialPort port;
    FakeHost host;
    Strings traces;
    LineAssembler lines;
    ConnectionControl control{
        state, port, host, lines, port.ReaderThreads(), [this](const std::string& text) {
            traces.push_back(text);
        }};

  private:
    std::size_t m_seenHostCalls = 0;
    std::size_t m_seenPortCalls = 0;
};

TEST_F(ConnectionControlTest, ConnectOpensConfiguresAndLocksInOrder) {
    host.settings = {"COM12", 56000, 7, 2, 2};
    control.OnConnect();
    EXPECT_EQ(NewHostCalls(),
              (Strings{"UpdateData TRUE", "ReadPortSettings", "SetConnectText Disconnect",
                       "AddLine connected.", "SetTimer 1 1000", "LockSettings on"}));
    const Strings portCalls = NewPortCalls();
    EXPECT_EQ(
        Strings(portCalls.begin(), portCalls.begin() + 5),
        (Strings{"Open", "GetCommState", "SetCommState", "GetCommTimeouts", "SetCommTimeouts"}));
    EXPECT_EQ(port.LastDevicePath(), R"(\\.\COM12)");
    const LineState line = port.AppliedState();
    EXPECT_EQ(line.baudRate, 56000u);
    EXPECT_EQ(line.byteSize, 7);
    EXPECT_EQ(line.parity, 2);
    EXPECT_EQ(line.stopBits, 2);
    const CommTimeouts t = port.AppliedTimeouts();
    EXPECT_EQ(t.readIntervalTimeout, 0u);
    EXPECT_EQ(t.readTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(t.readTotalTimeoutConstant, 100u);
    EXPECT_EQ(t.writeTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(t.writeTotalTimeoutConstant, 0u);
    EXPECT_EQ(state.connected, 1);
    EXPECT_EQ(state.readerState.load(), ReaderStatus::Reading);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ConnectionControlTest, DisconnectStopsPurgesClosesAndShowsTheRest) {
    ConnectOk();
    FeedAndStore("ab");
    control.OnConnect();
    EXPECT_EQ(NewHostCalls(), (Strings{"UpdateData TRUE", "KillTimer 1", "SetConnectText Wait...",
                                       "SetConnectText Connect", "AddLine ab\n",
                                       "AddLine disconnect.", "LockSettings off"}));
    const Strings portCalls = NewPortCalls();
    EXPECT_EQ(Strings(portCalls.end() - 2, portCalls.end()), (Strings{"Purge", "Close"}));
    EXPECT_EQ(port.LastPurgeFlags(), 0x0Fu);
    EXPECT_FALSE(port.ReadAfterClose());
    ExpectIdle();
    EXPECT_EQ(host.list, (Strings{"connected.", "ab\n", "disconnect."}));
}

// A driver that ignores the read time-out keeps the reader in its read past the stop wait; the
// cancel of its thread ends the read, and only then is the port closed.
TEST_F(ConnectionControlTest, DisconnectCancelsAReadThatIgnoresItsTimeOut) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Block, 0ms);
    ConnectOk();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    control.OnConnect();
    EXPECT_FALSE(port.ReadAfterClose());
    ExpectIdle();
    EXPECT_EQ(host.list.back(), "disconnect.");
    const Strings portCalls = NewPortCalls();
    EXPECT_EQ(Strings(portCalls.end() - 2, portCalls.end()), (Strings{"Purge", "Close"}));
}

// One that ignores the cancel too: Disconnect hands the port to the reader and finishes; the
// reader closes the port when its read returns at last, and the port is not opened again before.
TEST_F(ConnectionControlTest, DisconnectHandsAReadThatNeverEndsThePort) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Block, 0ms);
    port.IgnoreCancel();
    ConnectOk();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    ExpectReturns([this] { control.OnConnect(); });
    EXPECT_EQ(host.list.back(), "disconnect.");
    EXPECT_EQ(NewHostCalls(),
              (Strings{"UpdateData TRUE", "KillTimer 1", "SetConnectText Wait...",
                       "SetConnectText Connect", "AddLine disconnect.", "LockSettings off"}));
    EXPECT_TRUE(NewPortCalls().empty());  // a purge would wait for the read
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(state.reader.PortIsFree());

    control.OnConnect();
    ExpectBox(host.boxes.back(), "A connection could not put up.", "Error",
              kMbOk | kMbIconExclamation);
    EXPECT_EQ(traces.back(), "Connect failed: the reader of the last capture still holds the port");
    EXPECT_TRUE(NewPortCalls().empty());

    port.Feed("late");  // the read returns with a byte, which no capture takes any more
    ASSERT_TRUE(port.WaitUntilReadersEnded(5s));
    EXPECT_EQ(NewPortCalls(), Strings{"Close"});
    EXPECT_FALSE(port.ReadAfterClose());
    EXPECT_TRUE(state.reader.PortIsFree());
    EXPECT_EQ(state.buffer.Count(), 0);
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 5ms);
    control.OnConnect();
    EXPECT_EQ(state.connected, 1);
}

TEST_F(ConnectionControlTest, EachFailingPlatformCallLeavesTheToolIdleAndRetryable) {
    for (const char* failing :
         {"Open", "GetCommState", "SetCommState", "GetCommTimeouts", "SetCommTimeouts"}) {
        SCOPED_TRACE(failing);
        CaptureState freshState;
        FakeSerialPort freshPort;
        FakeHost freshHost;
        Strings freshTraces;
        freshPort.FailCall(failing, 1234);
        {
            ConnectionControl freshControl(
                freshState, freshPort, freshHost, lines, StartStdThread,
                [&](const std::string& text) { freshTraces.push_back(text); });
            freshControl.OnConnect();
            ASSERT_EQ(freshHost.boxes.size(), 1u);
            ExpectBox(freshHost.boxes[0], "A connection could not put up.", "Error",
                      kMbOk | kMbIconExclamation);
            EXPECT_EQ(freshState.connected, 0);
            EXPECT_EQ(freshState.readerState.load(), ReaderStatus::Idle);
            EXPECT_EQ(freshHost.connectText, "Connect");
            EXPECT_EQ(std::count(freshHost.calls.begin(), freshHost.calls.end(), "LockSettings on"),
                      0);
            EXPECT_TRUE(freshHost.list.empty());
            EXPECT_FALSE(freshHost.timerRunning);
            // A port that opened is released again, so a retry is not refused as busy.
            EXPECT_FALSE(freshPort.IsOpen());
        }
        const Strings calls = freshPort.Calls();
        const auto called = [&](const char* name) {
            return std::count(calls.begin(), calls.end(), name);
        };
        const std::string name = failing;
        // The box is the same whatever failed; a debugger is told which call and why.
        const std::string call = name == "Open" ? R"(CreateFileA \\.\COM1)" : name;
        EXPECT_EQ(freshTraces, Strings{"Connect failed: " + call + ", error 1234"});
        // No state reaches a port whose state could not be read; the time-outs are applied
        // even when the old ones could not be read.
        EXPECT_EQ(called("SetCommState"), name == "Open" || name == "GetCommState" ? 0 : 1);
        EXPECT_EQ(called("SetCommTimeouts"),
                  name == "GetCommTimeouts" || name == "SetCommTimeouts" ? 1 : 0);
        EXPECT_EQ(called("Close"), name == "Open" ? 0 : 1);
    }
}

TEST_F(ConnectionControlTest, RetryAfterAFailedConfigurationWorksOnTheSamePort) {
    port.FailCall("SetCommState");
    control.OnConnect();
    EXPECT_EQ(state.connected, 0);
    port.ClearFailures();  // the user picked a rate the device accepts
    control.OnConnect();   // the device is exclusive: a leaked handle would make this fail
    EXPECT_EQ(state.connected, 1);
    EXPECT_EQ(port.OpenCount(), 2);
    ASSERT_EQ(host.boxes.size(), 1u);
    control.OnConnect();
    ExpectIdle();
}

TEST_F(ConnectionControlTest, ConnectWithNoDataKeepsTheOldListWithoutAsking) {
    host.list = {"old\n", "disconnect."};
    control.OnConnect();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.list, (Strings{"old\n", "disconnect.", "connected."}));
}

TEST_F(ConnectionControlTest, ConfirmCancelOverOldDataChangesNothing) {
    StoreDirectly("old");
    host.list = {"old\n"};
    host.Answer({kIdCancel});
    control.OnConnect();
    ASSERT_EQ(host.boxes.size(), 1u);
    ExpectBox(host.boxes[0], "Opening a new connection, all data will be deleted !", "mirlTTY",
              kMbOkCancel | kMbIconExclamation);
    EXPECT_EQ(host.list, Strings{"old\n"});
    EXPECT_EQ(state.buffer.Count(), 3);
    EXPECT_TRUE(port.Calls().empty());
    EXPECT_EQ(state.connected, 0);
}

TEST_F(ConnectionControlTest, ConfirmOkClearsBeforeOpeningEvenWhenOpeningFails) {
    StoreDirectly("old");
    host.list = {"old\n"};
    port.FailCall("Open");
    host.Answer({kIdOk});
    control.OnConnect();
    const auto reset = std::find(host.calls.begin(), host.calls.end(), "ResetList");
    const auto settings = std::find(host.calls.begin(), host.calls.end(), "ReadPortSettings");
    ASSERT_NE(reset, host.calls.end());
    EXPECT_LT(reset, settings);
    EXPECT_EQ(state.buffer.Count(), 0);
    EXPECT_EQ(state.buffer.MoveIndex(), -1);
    EXPECT_TRUE(host.list.empty());
    EXPECT_EQ(host.boxes.back().text, "A connection could not put up.");
}

TEST_F(ConnectionControlTest, LimitEndsTheCaptureAtTheNextTickWithoutWaiting) {
    ConnectOk();
    port.Feed(std::string(2500, 'x'));
    ASSERT_TRUE(port.WaitUntilReadersEnded(5s));
    EXPECT_EQ(state.buffer.Count(), kMaxRead);
    control.OnTimer();
    ASSERT_EQ(host.boxes.size(), 1u);
    ExpectBox(host.boxes[0], "Reading data stopped early. Maximum data reached.", "MirlTTY",
              kMbOk | kMbIconInformation);
    const Strings calls = NewHostCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetConnectText Wait..."), 0);
    EXPECT_EQ(host.list, (Strings{"connected.", std::string(2000, 'x') + "\n", "disconnect."}));
    EXPECT_EQ(state.buffer.Count(), kMaxCount);
    ExpectIdle();

    control.OnCount();
    ExpectBox(host.boxes.back(), "Readed characters: 2001 (max. 2001)", std::nullopt, kMbOk);
}

// The 2000th byte arrives alone after a tick: the next tick inserts no line feed, holds exactly
// 2000 bytes, and that is the limit.
TEST_F(ConnectionControlTest, ExactlyTheLimitHeldAtATickEndsTheCapture) {
    ConnectOk();
    FeedAndStore(std::string(kMaxRead - 2, 'x'));
    control.OnTimer();  // with its inserted line feed, one byte short of the limit
    port.Feed("Z");
    ASSERT_TRUE(port.WaitUntilReadersEnded(5s));
    control.OnTimer();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Reading data stopped early. Maximum data reached.");
    EXPECT_EQ(host.list,
              (Strings{"connected.", std::string(kMaxRead - 2, 'x') + "\n", "disconnect."}));
    EXPECT_EQ(lines.PendingLine(), "Z");
    EXPECT_EQ(state.buffer.Count(), kMaxRead);
    ExpectIdle();
}

TEST_F(ConnectionControlTest, TickBelowTheLimitOnlyMovesLines) {
    ConnectOk();
    FeedAndStore("12\r\n34");
    control.OnTimer();
    EXPECT_EQ(NewHostCalls(), (Strings{"AddLine 12\r\n", "AddLine 34\n"}));
    EXPECT_EQ(state.connected, 1);
}

TEST_F(ConnectionControlTest, OneUnmovedByteAtDisconnectStaysPending) {
    ConnectOk();
    control.OnTimer();  // the move index leaves -1
    FeedAndStore("X");
    control.OnConnect();
    EXPECT_EQ(host.list, (Strings{"connected.", "disconnect."}));
    EXPECT_EQ(lines.PendingLine(), "X");
}

TEST_F(ConnectionControlTest, DeleteAsksAndClearsOnlyOnYes) {
    StoreDirectly("data");
    host.list = {"data\n"};
    host.Answer({kIdNo, kIdCancel});
    control.OnDelete();
    control.OnDelete();
    ASSERT_EQ(host.boxes.size(), 2u);
    ExpectBox(host.boxes[0], "Do you want to delete all data ?", "MirlTTY",
              kMbYesNoCancel | kMbIconStop);
    EXPECT_EQ(host.list, Strings{"data\n"});
    EXPECT_EQ(state.buffer.Count(), 4);
    host.Answer({kIdYes});
    control.OnDelete();
    EXPECT_TRUE(host.list.empty());
    EXPECT_EQ(state.buffer.Count(), 0);
}

TEST_F(ConnectionControlTest, DeleteDuringACaptureLetsItGoOn) {
    ConnectOk();
    control.OnTimer();
    FeedAndStore("ab");
    control.OnTimer();  // "ab\n" shown
    FeedAndStore("c");
    control.OnTimer();  // "c" pending
    host.Answer({kIdYes});
    control.OnDelete();
    EXPECT_TRUE(host.list.empty());
    EXPECT_EQ(state.buffer.Count(), 0);
    FeedAndStore("de");
    control.OnTimer();
    EXPECT_EQ(host.list, Strings{"cde\n"});
    EXPECT_EQ(state.connected, 1);
}

// A tick that reaches the limit while the Delete box is open runs the whole disconnect.
TEST_F(ConnectionControlTest, LimitDuringTheDeleteBoxDisconnectsInside) {
    ConnectOk();
    port.Feed(std::string(2100, 'y'));
    ASSERT_TRUE(port.WaitUntilReadersEnded(5s));
    host.DuringNextBox([this] { control.OnTimer(); });
    host.Answer({kIdOk, kIdYes});  // the inner box closes first
    control.OnDelete();
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].text, "Reading data stopped early. Maximum data reached.");
    EXPECT_EQ(state.connected, 0);
    EXPECT_TRUE(host.list.empty());  // then cleared by the Yes
    EXPECT_EQ(state.buffer.Count(), 0);
}

TEST_F(ConnectionControlTest, CountMessageShowsTheCountAndTheMaximum) {
    StoreDirectly("12345");
    control.OnCount();
    ASSERT_EQ(host.boxes.size(), 1u);
    ExpectBox(host.boxes[0], "Readed characters: 5 (max. 2001)", std::nullopt, 0u);
}

TEST_F(ConnectionControlTest, DisconnectFindingTheReaderIdleOnlyComplains) {
    ConnectOk();
    control.OnTimer();
    state.readerState.store(ReaderStatus::Idle);
    control.OnConnect();
    EXPECT_EQ(NewHostCalls(),
              (Strings{"UpdateData TRUE", "KillTimer 1",
                       "MessageBox Connection already closed. This message should not be shown!"}));
    EXPECT_EQ(host.boxes.back().caption, "Error");
    EXPECT_EQ(host.boxes.back().type, kMbOk | kMbIconExclamation);
    EXPECT_EQ(state.connected, 1);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(ConnectionControlTest, ReaderThatCannotStartStillConnectsAndDisconnects) {
    CaptureState freshState;
    FakeHost freshHost;
    ConnectionControl noThreads(freshState, port, freshHost, lines,
                                [](std::function<void()>) { return nullptr; });
    port.Feed("unread");
    noThreads.OnConnect();
    EXPECT_EQ(freshHost.connectText, "Disconnect");
    EXPECT_EQ(freshHost.list, Strings{"connected."});
    noThreads.OnTimer();
    EXPECT_EQ(freshState.buffer.Count(), 0);
    noThreads.OnConnect();
    EXPECT_EQ(freshHost.list, (Strings{"connected.", "disconnect."}));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.ReadCalls(), 0);
}

TEST_F(ConnectionControlTest, DestroyedDuringACaptureStopsTheReaderQuietly) {
    CaptureState freshState;
    FakeHost freshHost;
    {
        ConnectionControl closing(freshState, port, freshHost, lines, port.ReaderThreads());
        closing.OnConnect();
        port.Feed("abc");
        ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
        freshHost.calls.clear();
    }
    EXPECT_TRUE(freshHost.calls.empty());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.ReadAfterClose());
    EXPECT_EQ(freshState.readerState.load(), ReaderStatus::Idle);
}

// The end of the program with a read that neither its time-out nor a cancel ends: it does not
// wait for the read, and the reader's lifetime tells the owner not to destroy what the reader
// still holds.
TEST_F(ConnectionControlTest, DestroyedWhileAReadNeverEndsReturnsAndLeavesTheReaderThePort) {
    port.SetIdleRead(FakeSerialPort::IdleRead::Block, 0ms);
    port.IgnoreCancel();
    CaptureState freshState;
    FakeHost freshHost;
    auto closing = std::make_unique<ConnectionControl>(freshState, port, freshHost, lines,
                                                       port.ReaderThreads());
    closing->OnConnect();
    ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
    freshHost.calls.clear();
    ExpectReturns([&closing] { closing.reset(); });
    EXPECT_TRUE(freshHost.calls.empty());
    EXPECT_FALSE(freshState.reader.PortIsFree());
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.EndPendingRead());
    ASSERT_TRUE(port.WaitUntilReadersEnded(5s));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.ReadAfterClose());
    EXPECT_TRUE(freshState.reader.PortIsFree());
}

}  // namespace
}  // namespace mirl
