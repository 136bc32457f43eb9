// Turns the bytes that arrived since the last move into display lines.
#pragma once

#include <string>
#include <vector>

#include "receive_buffer.h"

namespace mirl {

class LineAssembler {
  public:
    // Moves every byte from the move index up to the current count into lines and returns the
    // lines it completed, each ending in its line feed (carriage returns kept). A zero byte is
    // counted in the buffer but adds nothing to the text. UI thread only.
    std::vector<std::string> MoveToLines(ReceiveBuffer& buffer);

    // The characters moved so far that do not yet end in a line feed. A clear of the buffer
    // leaves them, so they lead the first line shown after it.
    const std::string& PendingLine() const { return m_strLine; }

  private:
    std::string m_strLine;
};

}  // namespace mirl
