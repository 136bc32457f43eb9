// The serial port over kernel32: a pass-through that keeps the handle and the last device
// control block.
#include "win32_serial_port.h"

#include <windows.h>

#include "win32_handles.h"

namespace mirl {

struct Win32SerialPort::Device {
    // Open, Close and Purge run on one thread at a time, while no other thread uses the port (a
    // reader handed the port closes it itself); the reader's ReadByte and ClearCommError only
    // read the handle value.
    unique_hfile handle;
    // The block the last GetCommState returned, so that SetCommState changes only the four line
    // settings and leaves flow control and the rest as the driver reported them.
    DCB dcb{};
};

namespace {

// What the Win32 call would have reported for a handle that is not a port, without making it.
bool FailNotOpen() {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
}

}  // namespace

Win32SerialPort::Win32SerialPort() : m_device(std::make_unique<Device>()) {}

Win32SerialPort::~Win32SerialPort() = default;

bool Win32SerialPort::Open(const std::string& devicePath) {
    // The port is opened without sharing, so an earlier handle to it must go first.
    m_device->handle.reset();
    m_device->dcb = DCB{};
    m_device->handle.reset(::CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    return m_device->handle.is_valid();
}

bool Win32SerialPort::IsOpen() const {
    return m_device->handle.is_valid();
}

bool Win32SerialPort::GetCommState(LineState& state) {
    if (!IsOpen()) return FailNotOpen();
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(m_device->handle.get(), &dcb)) return false;
    m_device->dcb = dcb;
    state.baudRate = dcb.BaudRate;
    state.byteSize = dcb.ByteSize;
    state.parity = dcb.Parity;
    state.stopBits = dcb.StopBits;
    return true;
}

bool Win32SerialPort::SetCommState(const LineState& state) {
    if (!IsOpen()) return FailNotOpen();
    m_device->dcb.DCBlength = sizeof m_device->dcb;
    m_device->dcb.BaudRate = state.baudRate;
    m_device->dcb.ByteSize = state.byteSize;
    m_device->dcb.Parity = state.parity;
    m_device->dcb.StopBits = state.stopBits;
    return ::SetCommState(m_device->handle.get(), &m_device->dcb) != FALSE;
}

bool Win32SerialPort::GetCommTimeouts(CommTimeouts& timeouts) {
    if (!IsOpen()) return FailNotOpen();
    COMMTIMEOUTS raw{};
    if (!::GetCommTimeouts(m_device->handle.get(), &raw)) return false;
    timeouts.readIntervalTimeout = raw.ReadIntervalTimeout;
    timeouts.readTotalTimeoutMultiplier = raw.ReadTotalTimeoutMultiplier;
    timeouts.readTotalTimeoutConstant = raw.ReadTotalTimeoutConstant;
    timeouts.writeTotalTimeoutMultiplier = raw.WriteTotalTimeoutMultiplier;
    timeouts.writeTotalTimeoutConstant = raw.WriteTotalTimeoutConstant;
    return true;
}

bool Win32SerialPort::SetCommTimeouts(const CommTimeouts& timeouts) {
    if (!IsOpen()) return FailNotOpen();
    COMMTIMEOUTS raw{};
    raw.ReadIntervalTimeout = timeouts.readIntervalTimeout;
    raw.ReadTotalTimeoutMultiplier = timeouts.readTotalTimeoutMultiplier;
    raw.ReadTotalTimeoutConstant = timeouts.readTotalTimeoutConstant;
    raw.WriteTotalTimeoutMultiplier = timeouts.writeTotalTimeoutMultiplier;
    raw.WriteTotalTimeoutConstant = timeouts.writeTotalTimeoutConstant;
    return ::SetCommTimeouts(m_device->handle.get(), &raw) != FALSE;
}

bool Win32SerialPort::ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) {
    if (!IsOpen()) return FailNotOpen();
    // No lock: the UI thread's CancelSynchronousIo has to reach this read while it blocks.
    DWORD count = 0;
    const BOOL ok = ::ReadFile(m_device->handle.get(), &cell, 1, &count, nullptr);
    bytesRead = count;
    return ok != FALSE;
}

bool Win32SerialPort::ClearCommError() {
    if (!IsOpen()) return FailNotOpen();
    DWORD errors = 0;
    COMSTAT status{};
    return ::ClearCommError(m_device->handle.get(), &errors, &status) != FALSE;
}

bool Win32SerialPort::Purge(std::uint32_t flags) {
    if (!IsOpen()) return FailNotOpen();
    return ::PurgeComm(m_device->handle.get(), flags) != FALSE;
}

bool Win32SerialPort::Close() {
    if (!IsOpen()) return FailNotOpen();
    // The owner's reset would swallow CloseHandle's answer, which the caller gets here.
    return ::CloseHandle(m_device->handle.release()) != FALSE;
}

std::uint32_t Win32SerialPort::LastError() const {
    return ::GetLastError();
}

}  // namespace mirl
