// Bytes per second through the capture's reader (ReaderThreadProc on a Win32SerialPort into a
// ReceiveBuffer) against a bare loop of one-byte ReadFile calls, on the same pseudo-terminal
// with a writer on the other end that always keeps data waiting.
//
//   reader_rate_bench COM_NUMBER [ROUNDS] [FILLS_PER_ROUND]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app_under_test.h"
#include "bench_report.h"
#include "connection_control.h"
#include "reader_thread.h"
#include "receive_buffer.h"
#include "win32_handles.h"
#include "win32_serial_port.h"

namespace mirl::bench {
namespace {

struct Tally {
    double seconds = 0;
    long long bytes = 0;
    long long emptyReads = 0;  // a read time-out: the writer fell behind
    unsigned checksum = 0;     // keeps the bare loop's bytes in use
    double Rate() const { return seconds > 0 ? bytes / seconds : 0; }
};

// Opens and configures the port as the connection control does: 9600 8N1, 0/0/100/0/0.
unique_hfile OpenBare(const std::string& path) {
    unique_hfile port(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    if (!port) return port;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    COMMTIMEOUTS timeouts{0, 0, kCaptureTimeouts.readTotalTimeoutConstant, 0, 0};
    if (!::GetCommState(port.get(), &dcb)) return unique_hfile();
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!::SetCommState(port.get(), &dcb) || !::SetCommTimeouts(port.get(), &timeouts)) {
        return unique_hfile();
    }
    return port;
}

bool OpenProduct(Win32SerialPort& port, const std::string& path) {
    LineState line;
    CommTimeouts saved;
    if (!port.Open(path) || !port.GetCommState(line)) return false;
    line.baudRate = 9600;
    line.byteSize = 8;
    line.parity = 0;
    line.stopBits = 0;
    return port.SetCommState(line) && port.GetCommTimeouts(saved) &&
           port.SetCommTimeouts(kCaptureTimeouts);
}

// kMaxRead bytes per fill, each from its own ReadFile.
bool RunBare(const std::string& path, int fills, Tally& tally) {
    const unique_hfile port = OpenBare(path);
    if (!port) return false;
    const auto start = Clock::now();
    for (int fill = 0; fill < fills; ++fill) {
        int count = 0;
        while (count < kMaxRead) {
            std::uint8_t cell = 0;
            DWORD got = 0;
            ::ReadFile(port.get(), &cell, 1, &got, nullptr);
            if (got > 0) {
                tally.checksum += cell;
                ++count;
            } else {
                ++tally.emptyReads;
            }
        }
    }
    tally.seconds += MillisecondsSince(start) / 1000;
    tally.bytes += static_cast<long long>(fills) * kMaxRead;
    return true;
}

// The product's reader, run to the limit once per fill after a clear, as a capture runs.
bool RunProduct(const std::string& path, int fills, Tally& tally) {
    Win32SerialPort port;
    if (!OpenProduct(port, path)) return false;
    ReceiveBuffer buffer;
    ReaderState state{ReaderStatus::Idle};
    const auto start = Clock::now();
    for (int fill = 0; fill < fills; ++fill) {
        buffer.Clear();
        state.store(ReaderStatus::Reading);
        ReaderThreadProc(buffer, state, port);
        tally.bytes += buffer.Count();
    }
    tally.seconds += MillisecondsSince(start) / 1000;
    port.Close();
    return true;
}

int Main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: reader_rate_bench COM_NUMBER [ROUNDS] [FILLS_PER_ROUND]\n");
        return 2;
    }
    const std::string path = std::string("\\\\.\\COM") + argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 6;
    const int fills = argc > 3 ? std::atoi(argv[3]) : 10;

    // A first fill warms both paths and proves that the writer is there.
    Tally warmup;
    if (!RunBare(path, 1, warmup)) {
        std::fprintf(stderr, "reader_rate_bench: cannot open %s\n", path.c_str());
        return 1;
    }
    // Alternating rounds, so that drift in the machine's load falls on both alike.
    Tally bare;
    Tally product;
    for (int round = 0; round < rounds; ++round) {
        if (!RunBare(path, fills, bare) || !RunProduct(path, fills, product)) {
            std::fprintf(stderr, "reader_rate_bench: %s went away\n", path.c_str());
            return 1;
        }
    }
    const double ratio = product.Rate() / bare.Rate();
    std::printf("bare loop: %lld bytes in %.3f s, %lld empty reads (sum %u)\n", bare.bytes,
                bare.seconds, bare.emptyReads, bare.checksum);
    std::printf("reader:    %lld bytes in %.3f s\n", product.bytes, product.seconds);
    const std::string how = Format("%d alternating rounds x %d fills of %d bytes, pty kept full",
                                   rounds, fills, kMaxRead);
    PrintRow("Reader path, bytes/s", Format("%.0f", product.Rate()), "", how);
    PrintRow("Bare 1-byte ReadFile loop, bytes/s", Format("%.0f", bare.Rate()), "",
             Format("same pty, same run; %lld empty reads", bare.emptyReads));
    PrintRow("Reader / bare ratio", Format("%.3f", ratio), ">= 0.95", "bytes/s over bytes/s");
    return 0;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}
