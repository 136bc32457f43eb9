// The reference model: a vector that grows, an index that walks it, a text that collects.
#include "reference_capture.h"

#include <algorithm>

namespace mirl::fuzz {

bool ReferenceCapture::Store(std::uint8_t b) {
    if (m_bytes.size() >= kCapacity) return false;
    m_bytes.push_back(b);
    return true;
}

bool ReferenceCapture::Move(const LineSink& onLine) {
    // Short-circuit: the line feed is only attempted when two or more bytes (one, before the
    // first move) wait unmoved.
    const bool inserted = m_moveIndex + 1 < Count() && Store('\n');
    m_moveIndex = std::max(m_moveIndex, 0);
    // Whole segments up to the next line feed at a time; the sink may grow the vector, so the
    // search restarts from the index after every line.
    while (m_moveIndex < Count()) {
        const auto begin = m_bytes.begin() + m_moveIndex;
        const auto lineFeed = std::find(begin, m_bytes.end(), std::uint8_t{'\n'});
        for (auto it = begin; it != lineFeed; ++it) {
            if (*it != 0) m_pending.push_back(static_cast<char>(*it));
        }
        if (lineFeed == m_bytes.end()) {
            m_moveIndex = Count();
            break;
        }
        m_moveIndex = static_cast<int>(lineFeed - m_bytes.begin()) + 1;
        std::string line = std::move(m_pending) + '\n';
        m_pending.clear();
        onLine(line);
    }
    return inserted;
}

void ReferenceCapture::Clear() {
    m_bytes.clear();
    m_moveIndex = -1;
}

}  // namespace mirl::fuzz
