#include "receive_buffer.h"

namespace mirl {

bool ReceiveBuffer::AppendLocked(std::uint8_t b) {
    const int count = m_count.load(std::memory_order_relaxed);
    if (count >= kBufferSize) return false;
    m_bytes[static_cast<std::size_t>(count)] = b;
    m_count.store(count + 1, std::memory_order_release);
    return true;
}

bool ReceiveBuffer::StoreByte(std::uint8_t b) {
    std::lock_guard guard(m_lock);
    return AppendLocked(b);
}

bool ReceiveBuffer::InsertLineFeedIfUnmoved() {
    std::lock_guard guard(m_lock);
    if (m_moveIndex + 1 >= m_count.load(std::memory_order_relaxed)) return false;
    return AppendLocked('\n');
}

void ReceiveBuffer::Clear() {
    std::lock_guard guard(m_lock);
    m_count.store(0, std::memory_order_release);
    m_moveIndex = -1;
}

}  // namespace mirl
