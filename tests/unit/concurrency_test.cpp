// The reader and the UI thread working on the buffer at once: randomized against the stream
// that was sent, so that no byte is lost, doubled or reordered on its way into the lines.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "connection_control.h"
#include "fake_host.h"
#include "fake_serial_port.h"
#include "message_box.h"

namespace mirl {
namespace {

using namespace std::chrono_literals;
using test::FakeHost;
using test::FakeSerialPort;

// Every byte shown, in order, with the line feeds that moves inserted taken out again.
std::string ShownStream(const FakeHost& host, const std::string& pending) {
    std::string shown;
    for (const auto& call : host.calls) {
        static const std::string kAdd = "AddLine ";
        if (call.rfind(kAdd, 0) != 0) continue;
        const std::string line = call.substr(kAdd.size());
        if (line == "connected." || line == "disconnect.") continue;
        shown += line;
    }
    return shown + pending;
}

std::string WithoutZerosAndLineFeeds(const std::string& bytes) {
    std::string kept;
    for (const char c : bytes) {
        if (c != '\0' && c != '\n') kept += c;
    }
    return kept;
}

// Random bytes without line feeds, so that every line feed shown is an inserted one.
std::string RandomStream(std::mt19937& random, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string stream;
    while (stream.size() < size) {
        const char c = static_cast<char>(byte(random));
        if (c != '\n') stream += c;
    }
    return stream;
}

// A connected capture with a real reader thread over a fast scripted port.
class CaptureRaceTest : public ::testing::TestWithParam<unsigned> {
  protected:
    void SetUp() override {
        random.seed(GetParam());
        port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 1ms);
        control.OnConnect();
        ASSERT_EQ(state.connected, 1);
    }
    // Disconnects once the port has handed out every byte; the disconnect waits for the reader
    // and moves what it stored.
    void DisconnectWhenDrained() {
        ASSERT_TRUE(port.WaitUntilDrained(10s));
        control.OnConnect();
        ASSERT_EQ(state.connected, 0);
    }
    std::string Shown() const {
        return WithoutZerosAndLineFeeds(ShownStream(host, lines.PendingLine()));
    }

    std::mt19937 random;
    CaptureState state;
    FakeSerialPort port;
    FakeHost host;
    LineAssembler lines;
    ConnectionControl control{state, port, host, lines};
};

TEST_P(CaptureRaceTest, TicksAndFlushesDuringReadsKeepTheStream) {
    const std::string stream = RandomStream(random, 1500);
    std::uniform_int_distribution<std::size_t> chunk(1, 40);
    std::uniform_int_distribution<int> action(0, 9);
    for (std::size_t sent = 0; sent < stream.size();) {
        const std::size_t n = std::min(chunk(random), stream.size() - sent);
        port.Feed(stream.substr(sent, n));
        sent += n;
        switch (action(random)) {
            case 0:
                control.OnCount();
                break;
            case 1:
                std::this_thread::sleep_for(1ms);
                break;
            case 2:
                control.MoveToLines();
                break;
            default:
                control.OnTimer();
                break;
        }
    }
    DisconnectWhenDrained();
    EXPECT_EQ(Shown(), WithoutZerosAndLineFeeds(stream));
    EXPECT_LE(state.buffer.Count(), kMaxCount);
}

TEST_P(CaptureRaceTest, AFloodPastTheLimitShowsExactlyWhatWasStored) {
    const std::string stream = RandomStream(random, 2600);
    port.Feed(stream);
    while (state.connected == 1) {
        control.OnTimer();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 500));
    }
    const int count = state.buffer.Count();
    EXPECT_TRUE(count == kMaxRead || count == kMaxCount) << count;
    std::string held;
    for (int i = 0; i < count; ++i) held += static_cast<char>(state.buffer.At(i));
    const std::string received = WithoutZerosAndLineFeeds(held);
    EXPECT_EQ(Shown(), received);
    EXPECT_EQ(received, WithoutZerosAndLineFeeds(stream).substr(0, received.size()));
    EXPECT_EQ(host.boxes.back().text, "Reading data stopped early. Maximum data reached.");
}

// Deletes during a capture drop what was not yet shown, but what is shown is still the sent
// stream in order: a subsequence, never a doubled or swapped byte.
TEST_P(CaptureRaceTest, DeletesDuringACaptureNeverReorder) {
    // Distinct bytes, so that a subsequence check cannot be fooled by repeats.
    std::string stream;
    for (int value = 1; value < 256; ++value) {
        if (value != '\n') stream += static_cast<char>(value);
    }
    for (std::size_t sent = 0; sent < stream.size(); sent += 5) {
        port.Feed(stream.substr(sent, 5));
        if (random() % 4 == 0) {
            host.Answer({kIdYes});
            control.OnDelete();
        } else {
            control.OnTimer();
        }
    }
    DisconnectWhenDrained();
    const std::string shown = Shown();
    std::size_t at = 0;
    for (const char c : shown) {
        at = stream.find(c, at);
        ASSERT_NE(at, std::string::npos) << "out of order or doubled: " << int(c);
        ++at;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, CaptureRaceTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

// The GPS receiver's real output, sentence by sentence with CR LF as the device sends it.
TEST(RealCaptureTest, NmeaSentencesArriveByteForByte) {
    std::ifstream file(MIRL_DATA_DIR "/bu353s4.nmea");
    ASSERT_TRUE(file) << MIRL_DATA_DIR;
    std::string stream;
    for (std::string sentence; std::getline(file, sentence);) {
        if (!sentence.empty() && sentence[0] != '#') stream += sentence + "\r\n";
    }
    ASSERT_GT(stream.size(), 2000u);
    CaptureState state;
    FakeSerialPort port;
    FakeHost host;
    LineAssembler assembler;
    port.SetIdleRead(FakeSerialPort::IdleRead::TimeOut, 1ms);
    ConnectionControl control(state, port, host, assembler, port.ReaderThreads());
    control.OnConnect();
    // A tick after each chunk has been read, until one finds the limit reached.
    for (std::size_t sent = 0; state.connected == 1; sent += 300) {
        if (sent < stream.size()) port.Feed(stream.substr(sent, 300));
        ASSERT_TRUE(port.WaitUntilReaderIdle(5s));
        control.OnTimer();
    }
    const std::string shown = ShownStream(host, assembler.PendingLine());
    // Every complete sentence shown carries a valid checksum.
    std::istringstream lines(shown);
    int verified = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 4 || line[0] != '$' || line.back() != '\r') continue;
        const std::size_t star = line.find('*');
        ASSERT_NE(star, std::string::npos) << line;
        unsigned sum = 0;
        for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
        EXPECT_EQ(std::stoul(line.substr(star + 1, 2), nullptr, 16), sum) << line;
        ++verified;
    }
    EXPECT_GT(verified, 20);
    // The shown text is the sent stream up to the limit, with nothing but line feeds added.
    std::size_t matched = 0;
    for (const char c : shown) {
        if (matched < stream.size() && c == stream[matched]) {
            ++matched;
        } else {
            EXPECT_EQ(c, '\n') << "at stream offset " << matched;
        }
    }
    const int inserted = static_cast<int>(shown.size() - matched);
    EXPECT_EQ(static_cast<int>(matched) + inserted, state.buffer.Count());
    EXPECT_GE(static_cast<int>(matched), kMaxRead - inserted);
}

}  // namespace
}  // namespace mirl
