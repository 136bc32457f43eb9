#include "line_assembly.h"

namespace mirl {

std::vector<std::string> LineAssembler::MoveToLines(ReceiveBuffer& buffer) {
    // A line feed goes in when move index + 1 < count. The index is that of the next byte to
    // move, so two unmoved bytes are needed, not one; only before the first move, with the index
    // at -1, is one enough. A single byte that arrived since the last move therefore gets no line
    // feed of its own: it waits in the pending line for the bytes after it.
    buffer.InsertLineFeedIfUnmoved();
    if (buffer.MoveIndex() == -1) buffer.SetMoveIndex(0);
    std::vector<std::string> lines;
    // The count is read afresh on every pass: bytes the reader stores meanwhile move too.
    for (int i = buffer.MoveIndex(); i < buffer.Count(); ++i) {
        const auto c = static_cast<char>(buffer.At(i));
        if (c != '\0') m_strLine += c;
        buffer.SetMoveIndex(i + 1);
        if (c == '\n') {
            lines.push_back(m_strLine);
            m_strLine.clear();
        }
    }
    return lines;
}

}  // namespace mirl
