// The serial port over kernel32: each method is one Win32 call on the port handle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "serial_port.h"

namespace mirl {

class Win32SerialPort final : public SerialPort {
  public:
    Win32SerialPort();
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool Open(const std::string& devicePath) override;
    bool IsOpen() const override;
    bool GetCommState(LineState& state) override;
    bool SetCommState(const LineState& state) override;
    bool GetCommTimeouts(CommTimeouts& timeouts) override;
    bool SetCommTimeouts(const CommTimeouts& timeouts) override;
    bool ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) override;
    bool ClearCommError() override;
    bool Purge(std::uint32_t flags) override;
    bool Close() override;
    std::uint32_t LastError() const override;

  private:
    // Handle and device control block live behind this, so that no header in capture/ needs
    // windows.h.
    struct Device;
    std::unique_ptr<Device> m_device;
};

}  // namespace mirl
