// A serial port whose every read returns the next byte of a text at once, over and over: the
// reader runs as fast as the buffer lets it.
#pragma once

#include <cstddef>
#include <string>

#include "serial_port.h"

namespace mirl::bench {

class InstantPort final : public SerialPort {
  public:
    explicit InstantPort(std::string text) : m_text(std::move(text)) {}

    bool Open(const std::string&) override { return true; }
    bool IsOpen() const override { return true; }
    bool GetCommState(LineState&) override { return true; }
    bool SetCommState(const LineState&) override { return true; }
    bool GetCommTimeouts(CommTimeouts&) override { return true; }
    bool SetCommTimeouts(const CommTimeouts&) override { return true; }
    // Reader thread only.
    bool ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) override {
        cell = static_cast<std::uint8_t>(m_text[m_next]);
        m_next = (m_next + 1) % m_text.size();
        bytesRead = 1;
        return true;
    }
    bool ClearCommError() override { return true; }
    bool Purge(std::uint32_t) override { return true; }
    bool Close() override { return true; }
    std::uint32_t LastError() const override { return 0; }

  private:
    std::string m_text;
    std::size_t m_next = 0;
};

}  // namespace mirl::bench
