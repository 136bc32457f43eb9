// The serial port as the capture logic sees it: one method per platform call it relies on, each
// succeeding or failing exactly as the Win32 call does.
#pragma once

#include <cstdint>
#include <string>

namespace mirl {

// The four line settings the tool chooses. A real port keeps every other field of its device
// control block as the last GetCommState returned it.
struct LineState {
    std::uint32_t baudRate = 0;
    std::uint8_t byteSize = 0;
    std::uint8_t parity = 0;
    std::uint8_t stopBits = 0;
};

// Field for field the Win32 COMMTIMEOUTS record.
struct CommTimeouts {
    std::uint32_t readIntervalTimeout = 0;
    std::uint32_t readTotalTimeoutMultiplier = 0;
    std::uint32_t readTotalTimeoutConstant = 0;
    std::uint32_t writeTotalTimeoutMultiplier = 0;
    std::uint32_t writeTotalTimeoutConstant = 0;
};

// PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR
inline constexpr std::uint32_t kPurgeAll = 0x0F;

class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL).
    // Replaces (and closes) a handle still held from an earlier open.
    virtual bool Open(const std::string& devicePath) = 0;
    virtual bool IsOpen() const = 0;
    virtual bool GetCommState(LineState& state) = 0;
    virtual bool SetCommState(const LineState& state) = 0;
    virtual bool GetCommTimeouts(CommTimeouts& timeouts) = 0;
    virtual bool SetCommTimeouts(const CommTimeouts& timeouts) = 0;
    // ReadFile of at most one byte; bytesRead tells whether one came. Called by the reader
    // thread only.
    virtual bool ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) = 0;
    // ClearCommError: clears the line-error state, which on a port set to abort on errors fails
    // every read after a framing, parity or overrun error until it is cleared. Called by the
    // reader thread; its failure can mean that the device has gone (device_gone.h).
    virtual bool ClearCommError() = 0;
    // The port's I/O is synchronous, which the system serialises: a purge waits for a read still
    // pending, so it is called only once the reader has ended.
    virtual bool Purge(std::uint32_t flags) = 0;
    virtual bool Close() = 0;
    // GetLastError: why the last call that failed on the calling thread failed.
    virtual std::uint32_t LastError() const = 0;
};

}  // namespace mirl
