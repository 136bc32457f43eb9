#include "line_assembly.h"

namespace mirl {

void LineAssembler::MoveToLines(ReceiveBuffer& buffer, const LineOutput& output) {
    buffer.InsertLineFeedIfUnmoved();
    if (buffer.MoveIndex() == -1) buffer.SetMoveIndex(0);
    // The count is read afresh on every pass: bytes the reader stores meanwhile move too.
    for (int i = buffer.MoveIndex(); i < buffer.Count(); ++i) {
        const auto c = static_cast<char>(buffer.At(i));
        if (c != '\0') m_strLine += c;
        buffer.SetMoveIndex(i + 1);
        if (c == '\n') {
            output(m_strLine);
            m_strLine.clear();
        }
    }
}

}  // namespace mirl
