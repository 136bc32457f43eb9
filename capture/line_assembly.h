// Turns the bytes that arrived since the last move into display lines.
#pragma once

#include <functional>
#include <string>

#include "receive_buffer.h"

namespace mirl {

using LineOutput = std::function<void(const std::string& line)>;

class LineAssembler {
  public:
    // Moves every byte from the move index up to the current count into lines; each line that
    // ends in a line feed goes to `output`, line feed (and any carriage return) included. A zero
    // byte is counted in the buffer but adds nothing to the text. UI thread only.
    void MoveToLines(ReceiveBuffer& buffer, const LineOutput& output);

    // The characters moved so far that do not yet end in a line feed. A clear of the buffer
    // leaves them, so they lead the first line shown after it.
    const std::string& PendingLine() const { return m_strLine; }

  private:
    std::string m_strLine;
};

}  // namespace mirl
