// The one store of captured bytes: the reader thread appends, the UI thread moves the bytes into
// display lines by advancing an index, and only a clear empties it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace mirl {

// The reader stops, and the capture ends, once this many bytes are held.
inline constexpr int kMaxRead = 2000;
// A move may add one line feed after the reader's last byte: the most a buffer ever holds.
inline constexpr int kMaxCount = kMaxRead + 1;
// Room above kMaxCount, so that a store racing the limit can never write past the array.
inline constexpr int kBufferSize = 2008;

class ReceiveBuffer {
  public:
    // Appends one byte; refuses (false) only when the capacity is exhausted.
    bool StoreByte(std::uint8_t b);

    // Bytes held, received and inserted line feeds together. Every byte below the value read
    // here is fully written and readable without the lock.
    int Count() const { return m_count.load(std::memory_order_acquire); }
    std::uint8_t At(int index) const { return m_bytes[static_cast<std::size_t>(index)]; }

    // A move's first step: when two or more bytes wait unmoved (or one, before the first move),
    // ends them with a line feed of their own. True when one was inserted.
    bool InsertLineFeedIfUnmoved();

    // Position of the next byte to move; -1 until the first move after start or a clear.
    // Used by the UI thread only.
    int MoveIndex() const { return m_moveIndex; }
    void SetMoveIndex(int index) { m_moveIndex = index; }

    // count = 0, move index = -1.
    void Clear();

  private:
    // Appends under m_lock; publishes the byte before the count that covers it.
    bool AppendLocked(std::uint8_t b);

    std::mutex m_lock;
    std::array<std::uint8_t, kBufferSize> m_bytes{};
    std::atomic<int> m_count{0};
    int m_moveIndex = -1;
};

}  // namespace mirl
