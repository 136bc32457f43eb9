// A deliberately plain model of the receive buffer, the line rule and the reader's limit, against
// which the real ones are checked: a growing vector, a move index and a pending text, nothing
// shared or atomic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirl::test {

class ReferenceCapture {
  public:
    static constexpr std::size_t kCapacity = 2008;
    // The reader stops once the buffer holds this many bytes.
    static constexpr int kMaxRead = 2000;

    // False, and nothing kept, once the capacity is used up.
    bool Store(std::uint8_t b);

    // One move (a tick, a flush, a disconnect): when two or more bytes (one, before the first
    // move) wait unmoved, a line feed of its own first; then every unmoved byte into lines, zero
    // bytes left out. The lines it shows; `insertedLineFeed`, when given, says whether that line
    // feed went in.
    std::vector<std::string> Move(bool* insertedLineFeed = nullptr);

    // Empties the buffer; the pending text stays and leads the next line.
    void Clear();

    // A connect starts the reader; it ends at once if the buffer is already full.
    void StartReader() { m_reading = Count() < kMaxRead; }
    // Bytes the port delivers; those after the reader has stopped are never stored.
    void Receive(std::string_view bytes);
    bool Reading() const { return m_reading; }

    int Count() const { return static_cast<int>(m_bytes.size()); }
    int MoveIndex() const { return m_moveIndex; }
    const std::string& Pending() const { return m_pending; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

  private:
    std::vector<std::uint8_t> m_bytes;
    int m_moveIndex = -1;
    std::string m_pending;
    bool m_reading = false;
};

}  // namespace mirl::test
