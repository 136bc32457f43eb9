// The model takes the rule step by step, as plainly as it can, so a difference is the program's.
#include "reference_capture.h"

#include <algorithm>
#include <utility>

namespace mirl::test {

bool ReferenceCapture::Store(std::uint8_t b) {
    if (m_bytes.size() >= kCapacity) return false;
    m_bytes.push_back(b);
    return true;
}

std::vector<std::string> ReferenceCapture::Move(bool* insertedLineFeed) {
    const bool inserted = m_moveIndex + 1 < Count() && Store('\n');
    if (insertedLineFeed != nullptr) *insertedLineFeed = inserted;
    m_moveIndex = std::max(m_moveIndex, 0);
    std::vector<std::string> lines;
    while (m_moveIndex < Count()) {
        const std::uint8_t b = m_bytes[static_cast<std::size_t>(m_moveIndex++)];
        if (b != 0) m_pending.push_back(static_cast<char>(b));
        if (b == '\n') lines.push_back(std::exchange(m_pending, {}));
    }
    // A reader waiting in a read sees a full buffer after that read and ends.
    if (Count() >= kMaxRead) m_reading = false;
    return lines;
}

void ReferenceCapture::Clear() {
    m_bytes.clear();
    m_moveIndex = -1;
}

void ReferenceCapture::Receive(std::string_view bytes) {
    for (const char b : bytes) {
        if (!m_reading) return;
        Store(static_cast<std::uint8_t>(b));
        if (Count() >= kMaxRead) m_reading = false;
    }
}

}  // namespace mirl::test
