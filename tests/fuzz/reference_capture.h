// A deliberately plain model of the receive buffer and line assembly, against which the real ones
// are checked: a growing vector, a move index and a pending text, nothing shared or atomic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mirl::fuzz {

class ReferenceCapture {
  public:
    // Called after each shown line; may store bytes, as the reader does during a move.
    using LineSink = std::function<void(const std::string& line)>;

    static constexpr std::size_t kCapacity = 2008;

    // False, and nothing kept, once the capacity is used up.
    bool Store(std::uint8_t b);

    // True when a line feed was appended before moving.
    bool Move(const LineSink& onLine);

    void Clear();

    int Count() const { return static_cast<int>(m_bytes.size()); }
    int MoveIndex() const { return m_moveIndex; }
    const std::string& Pending() const { return m_pending; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

  private:
    std::vector<std::uint8_t> m_bytes;
    int m_moveIndex = -1;
    std::string m_pending;
};

}  // namespace mirl::fuzz
