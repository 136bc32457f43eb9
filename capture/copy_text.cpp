// The copy texts of the output list.
#include "copy_text.h"

#include "shown_text.h"

namespace mirl {

std::string CopyTextOfLine(std::string_view line) {
    return std::string(ShownTextOfLine(line));
}

std::string CopyTextOfAllLines(std::span<const std::string> lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        // A line feed ends every received line, with or without a carriage return before it.
        if (!line.ends_with('\n')) text += "\r\n";
    }
    return text;
}

}  // namespace mirl
