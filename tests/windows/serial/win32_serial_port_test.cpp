// Win32SerialPort on real pseudo-terminals that the test fixture links into the prefix as COM
// ports: the reader end, the writer end, one bound to /dev/null, one with no device at all, and
// one whose device hangs up on request.
#include "win32_serial_port.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <latch>
#include <string>
#include <thread>

#include "device_gone.h"
#include "win32_handles.h"

namespace mirl {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The device path the capture builds from a port name.
std::string ComPath(int number) {
    return "\\\\.\\COM" + std::to_string(number);
}

const std::string kReaderPath = ComPath(MIRL_COM_READER);
const std::string kWriterPath = ComPath(MIRL_COM_WRITER);
const std::string kNullPath = ComPath(MIRL_COM_NULL);
const std::string kMissingPath = ComPath(MIRL_COM_MISSING);
const std::string kHangupPath = ComPath(MIRL_COM_HANGUP);

constexpr CommTimeouts kCaptureTimeouts{0, 0, 100, 0, 0};

unique_hfile OpenRaw(const std::string& path) {
    return unique_hfile(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
}

DCB ReadDcb(const std::string& path) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    const unique_hfile port = OpenRaw(path);
    EXPECT_TRUE(port.is_valid()) << path;
    EXPECT_TRUE(::GetCommState(port.get(), &dcb)) << path;
    return dcb;
}

void WriteDcb(const std::string& path, DCB dcb) {
    const unique_hfile port = OpenRaw(path);
    ASSERT_TRUE(port.is_valid()) << path;
    ASSERT_TRUE(::SetCommState(port.get(), &dcb)) << path;
}

// The sending end of the pair, opened raw so the port under test is the only Win32SerialPort.
class Writer {
  public:
    Writer() : m_port(OpenRaw(kWriterPath)) {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (::GetCommState(m_port.get(), &dcb)) {
            dcb.BaudRate = CBR_9600;
            dcb.ByteSize = 8;
            dcb.Parity = NOPARITY;
            dcb.StopBits = ONESTOPBIT;
            dcb.fBinary = TRUE;
            dcb.fOutX = FALSE;
            dcb.fInX = FALSE;
            ::SetCommState(m_port.get(), &dcb);
        }
    }
    bool IsOpen() const { return m_port.is_valid(); }
    bool Send(const void* data, DWORD size) {
        DWORD written = 0;
        return ::WriteFile(m_port.get(), data, size, &written, nullptr) && written == size;
    }

  private:
    unique_hfile m_port;
};

// A reader port opened and configured the way the capture does it: 9600 8N1, 100 ms reads.
class ReaderPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_port.Open(kReaderPath)) << "error " << ::GetLastError();
        LineState line;
        ASSERT_TRUE(m_port.GetCommState(line));
        ASSERT_TRUE(m_port.SetCommState(LineState{CBR_9600, 8, NOPARITY, ONESTOPBIT}));
        CommTimeouts saved;
        ASSERT_TRUE(m_port.GetCommTimeouts(saved));
        ASSERT_TRUE(m_port.SetCommTimeouts(kCaptureTimeouts));
        ASSERT_TRUE(m_port.Purge(kPurgeAll));
    }
    void TearDown() override {
        if (m_port.IsOpen()) {
            EXPECT_TRUE(m_port.Close());
        }
    }

    Win32SerialPort m_port;
};

TEST_F(ReaderPortTest, OpenConfigureReadPurgeClose) {
    EXPECT_TRUE(m_port.IsOpen());
    std::uint8_t cell = 0;
    std::uint32_t bytesRead = 99;
    EXPECT_TRUE(m_port.ReadByte(cell, bytesRead));
    EXPECT_EQ(bytesRead, 0u);
    EXPECT_TRUE(m_port.ClearCommError());
    EXPECT_TRUE(m_port.Purge(kPurgeAll));
    EXPECT_TRUE(m_port.Close());
    EXPECT_FALSE(m_port.IsOpen());
}

TEST_F(ReaderPortTest, TimeoutsReadBackFieldByField) {
    const CommTimeouts odd{1, 2, 3, 4, 5};
    ASSERT_TRUE(m_port.SetCommTimeouts(odd));
    CommTimeouts back{9, 9, 9, 9, 9};
    ASSERT_TRUE(m_port.GetCommTimeouts(back));
    EXPECT_EQ(back.readIntervalTimeout, 1u);
    EXPECT_EQ(back.readTotalTimeoutMultiplier, 2u);
    EXPECT_EQ(back.readTotalTimeoutConstant, 3u);
    EXPECT_EQ(back.writeTotalTimeoutMultiplier, 4u);
    EXPECT_EQ(back.writeTotalTimeoutConstant, 5u);
}

TEST_F(ReaderPortTest, ByteWrittenArrivesThroughOneByteRead) {
    Writer writer;
    ASSERT_TRUE(writer.IsOpen());
    const char byte = 'x';
    ASSERT_TRUE(writer.Send(&byte, 1));
    // Clearing the line errors, as the reader does after an empty read, keeps what is waiting.
    ASSERT_TRUE(m_port.ClearCommError());
    std::uint8_t cell = 0;
    std::uint32_t bytesRead = 0;
    // Allow a few empty 100 ms reads while the byte crosses the pseudo-terminal.
    for (int i = 0; i < 20 && bytesRead == 0; ++i) ASSERT_TRUE(m_port.ReadByte(cell, bytesRead));
    ASSERT_EQ(bytesRead, 1u);
    EXPECT_EQ(cell, 'x');
}

TEST_F(ReaderPortTest, EveryByteValueArrivesInOrder) {
    Writer writer;
    ASSERT_TRUE(writer.IsOpen());
    std::uint8_t all[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(writer.Send(all, sizeof all));
    int received = 0;
    for (int empty = 0; received < 256 && empty < 20;) {
        std::uint8_t cell = 0;
        std::uint32_t bytesRead = 0;
        ASSERT_TRUE(m_port.ReadByte(cell, bytesRead));
        if (bytesRead == 0) {
            ++empty;
            continue;
        }
        ASSERT_EQ(bytesRead, 1u);
        EXPECT_EQ(cell, received) << "at byte " << received;
        ++received;
    }
    EXPECT_EQ(received, 256);
}

TEST_F(ReaderPortTest, EmptyReadReturnsAfterTheTotalTimeout) {
    std::uint8_t cell = 0x55;
    std::uint32_t bytesRead = 99;
    const auto start = Clock::now();
    EXPECT_TRUE(m_port.ReadByte(cell, bytesRead));
    const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    EXPECT_EQ(bytesRead, 0u);
    EXPECT_EQ(cell, 0x55);
    EXPECT_GE(took.count(), 50);
    EXPECT_LE(took.count(), 1000);
}

// Wine's PurgeComm does not abort a synchronous read that is already waiting: the read ends at its
// own time-out. What the port must give is a purge that is not held up by the blocked read and a
// read that still returns, empty, within its time-out.
TEST_F(ReaderPortTest, PurgeDuringABlockedReadReturnsAndTheReadEnds) {
    ASSERT_TRUE(m_port.SetCommTimeouts(CommTimeouts{0, 0, 500, 0, 0}));
    std::uint32_t bytesRead = 99;
    bool readOk = false;
    Clock::time_point returned;
    std::latch atTheRead{1};
    std::thread reader([&] {
        std::uint8_t cell = 0;
        atTheRead.count_down();
        readOk = m_port.ReadByte(cell, bytesRead);
        returned = Clock::now();
    });
    // From here the read waits out its 500 ms on the silent port, and the purge comes meanwhile.
    atTheRead.wait();
    const auto purged = Clock::now();
    EXPECT_TRUE(m_port.Purge(kPurgeAll));
    const auto purgeTook = std::chrono::duration_cast<milliseconds>(Clock::now() - purged);
    reader.join();
    EXPECT_LT(purgeTook.count(), 300);
    EXPECT_TRUE(readOk);
    EXPECT_EQ(bytesRead, 0u);
    EXPECT_LT(std::chrono::duration_cast<milliseconds>(returned - purged).count(), 2000);
}

TEST(Win32SerialPortTest, SetCommStateAppliesFourFieldsAndKeepsTheRest) {
    const DCB original = ReadDcb(kReaderPath);
    // Give the fields that the port must keep values a fresh port would not have.
    DCB marked = original;
    marked.fOutxCtsFlow = TRUE;
    marked.fRtsControl = RTS_CONTROL_HANDSHAKE;
    marked.XonChar = 0x12;
    marked.XoffChar = 0x14;
    WriteDcb(kReaderPath, marked);
    const DCB before = ReadDcb(kReaderPath);

    Win32SerialPort port;
    ASSERT_TRUE(port.Open(kReaderPath));
    LineState got;
    ASSERT_TRUE(port.GetCommState(got));
    EXPECT_EQ(got.baudRate, before.BaudRate);
    EXPECT_EQ(got.byteSize, before.ByteSize);
    EXPECT_EQ(got.parity, before.Parity);
    EXPECT_EQ(got.stopBits, before.StopBits);
    // A pseudo-terminal keeps the rate and the stop bits but forces 8 data bits and drops
    // parity, so those two are set to what it can hold.
    ASSERT_TRUE(port.SetCommState(LineState{CBR_19200, 8, NOPARITY, TWOSTOPBITS}));
    ASSERT_TRUE(port.Close());

    const DCB after = ReadDcb(kReaderPath);
    EXPECT_EQ(after.BaudRate, static_cast<DWORD>(CBR_19200));
    EXPECT_EQ(after.ByteSize, 8);
    EXPECT_EQ(after.Parity, NOPARITY);
    EXPECT_EQ(after.StopBits, TWOSTOPBITS);
    EXPECT_EQ(after.fBinary, before.fBinary);
    EXPECT_EQ(after.fParity, before.fParity);
    EXPECT_EQ(after.fOutxCtsFlow, before.fOutxCtsFlow);
    EXPECT_EQ(after.fOutxDsrFlow, before.fOutxDsrFlow);
    EXPECT_EQ(after.fDtrControl, before.fDtrControl);
    EXPECT_EQ(after.fDsrSensitivity, before.fDsrSensitivity);
    EXPECT_EQ(after.fTXContinueOnXoff, before.fTXContinueOnXoff);
    EXPECT_EQ(after.fOutX, before.fOutX);
    EXPECT_EQ(after.fInX, before.fInX);
    EXPECT_EQ(after.fErrorChar, before.fErrorChar);
    EXPECT_EQ(after.fNull, before.fNull);
    EXPECT_EQ(after.fRtsControl, before.fRtsControl);
    EXPECT_EQ(after.fAbortOnError, before.fAbortOnError);
    EXPECT_EQ(after.XonLim, before.XonLim);
    EXPECT_EQ(after.XoffLim, before.XoffLim);
    EXPECT_EQ(after.XonChar, before.XonChar);
    EXPECT_EQ(after.XoffChar, before.XoffChar);
    EXPECT_EQ(after.ErrorChar, before.ErrorChar);
    EXPECT_EQ(after.EofChar, before.EofChar);
    EXPECT_EQ(after.EvtChar, before.EvtChar);
    EXPECT_EQ(after.XonChar, 0x12);
    EXPECT_TRUE(after.fOutxCtsFlow);

    WriteDcb(kReaderPath, original);
}

// The device behind an open port hangs up (the pseudo-terminal's master closes). Wine's read still
// looks like an empty success then; the status call tells, with an error that means gone.
TEST(Win32SerialPortTest, HungUpDeviceFailsItsStatusCallAsGone) {
    Win32SerialPort port;
    ASSERT_TRUE(port.Open(kHangupPath)) << "error " << ::GetLastError();
    ASSERT_TRUE(port.SetCommTimeouts(kCaptureTimeouts));
    EXPECT_TRUE(port.ClearCommError());
    const unique_hfile trigger(
        ::CreateFileA(MIRL_HANGUP_TRIGGER, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(trigger.is_valid()) << "error " << ::GetLastError();
    bool statusOk = true;
    for (int read = 0; read < 100 && statusOk; ++read) {  // about 10 s of empty reads
        std::uint8_t cell = 0;
        std::uint32_t bytesRead = 0;
        EXPECT_TRUE(port.ReadByte(cell, bytesRead));
        EXPECT_EQ(bytesRead, 0u);
        statusOk = port.ClearCommError();
    }
    ASSERT_FALSE(statusOk);
    const std::uint32_t error = port.LastError();
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_NOT_READY));
    EXPECT_TRUE(MeansDeviceGone(error));
    EXPECT_FALSE(port.ClearCommError());  // and stays so
    EXPECT_TRUE(port.Close());
}

TEST(Win32SerialPortTest, OpeningAMissingPortFailsAtOpen) {
    Win32SerialPort port;
    EXPECT_FALSE(port.Open(kMissingPath));
    EXPECT_FALSE(port.IsOpen());
}

TEST(Win32SerialPortTest, PortWithoutLineSettingsFailsGetCommState) {
    Win32SerialPort port;
    ASSERT_TRUE(port.Open(kNullPath));
    LineState line{1, 2, 3, 4};
    EXPECT_FALSE(port.GetCommState(line));
    EXPECT_EQ(line.baudRate, 1u);
    EXPECT_TRUE(port.Close());
}

TEST(Win32SerialPortTest, CloseLetsThePortBeOpenedAgain) {
    Win32SerialPort port;
    ASSERT_TRUE(port.Open(kReaderPath));
    ASSERT_TRUE(port.Close());
    EXPECT_TRUE(OpenRaw(kReaderPath).is_valid());
    EXPECT_TRUE(port.Open(kReaderPath));
    EXPECT_TRUE(port.Close());
}

// Wine does not refuse a second handle to a device opened without sharing, but it does for plain
// files, which Open reaches through the same CreateFileA: they show when a handle is let go.
class ExclusiveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char dir[MAX_PATH] = {};
        ASSERT_NE(::GetTempPathA(MAX_PATH, dir), 0u);
        for (std::string* path : {&m_first, &m_second}) {
            char name[MAX_PATH] = {};
            ASSERT_NE(::GetTempFileNameA(dir, "mrl", 0, name), 0u);
            *path = name;
        }
    }
    void TearDown() override {
        ::DeleteFileA(m_first.c_str());
        ::DeleteFileA(m_second.c_str());
    }
    static bool Held(const std::string& path) { return !OpenRaw(path).is_valid(); }

    std::string m_first;
    std::string m_second;
};

TEST_F(ExclusiveFileTest, OpenHoldsWithoutSharingAndCloseReleases) {
    Win32SerialPort port;
    ASSERT_TRUE(port.Open(m_first));
    EXPECT_TRUE(Held(m_first));
    ASSERT_TRUE(port.Close());
    EXPECT_FALSE(Held(m_first));
}

TEST_F(ExclusiveFileTest, OpenAgainReleasesTheEarlierHandle) {
    Win32SerialPort port;
    ASSERT_TRUE(port.Open(m_first));
    ASSERT_TRUE(port.Open(m_second));
    EXPECT_FALSE(Held(m_first));
    EXPECT_TRUE(Held(m_second));
    // Even a failing open lets the earlier handle go first.
    EXPECT_FALSE(port.Open(kMissingPath));
    EXPECT_FALSE(Held(m_second));
}

TEST(Win32SerialPortTest, CallsOnAClosedPortFailAndTouchNothing) {
    Win32SerialPort port;
    ASSERT_TRUE(port.Open(kReaderPath));
    ASSERT_TRUE(port.Close());
    LineState line{1, 2, 3, 4};
    CommTimeouts timeouts{1, 2, 3, 4, 5};
    std::uint8_t cell = 7;
    std::uint32_t bytesRead = 9;
    EXPECT_FALSE(port.GetCommState(line));
    EXPECT_FALSE(port.SetCommState(line));
    EXPECT_FALSE(port.GetCommTimeouts(timeouts));
    EXPECT_FALSE(port.SetCommTimeouts(timeouts));
    EXPECT_FALSE(port.ReadByte(cell, bytesRead));
    EXPECT_FALSE(port.ClearCommError());
    EXPECT_EQ(port.LastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(MeansDeviceGone(port.LastError()));
    EXPECT_FALSE(port.Purge(kPurgeAll));
    EXPECT_FALSE(port.Close());
    EXPECT_EQ(line.baudRate, 1u);
    EXPECT_EQ(timeouts.readTotalTimeoutConstant, 3u);
    EXPECT_EQ(cell, 7);
    EXPECT_EQ(bytesRead, 9u);
}

TEST(Win32SerialPortTest, CallsOnANeverOpenedPortFail) {
    Win32SerialPort port;
    EXPECT_FALSE(port.IsOpen());
    LineState line;
    EXPECT_FALSE(port.GetCommState(line));
    EXPECT_FALSE(port.Purge(kPurgeAll));
    EXPECT_FALSE(port.Close());
}

}  // namespace
}  // namespace mirl
