// What the output list shows of a line: the line without its final line end. Every received line
// ends in a line feed, most in a carriage return and a line feed, and a font draws those as boxes.
#pragma once

#include <string_view>

namespace mirl {

// A final "\r\n" or "\n" goes, nothing else: a carriage return without a line feed after it, and
// every other control character, is a received byte and shown as one. A line of only a line end
// shows as an empty line. For the list's ANSI bytes and for its wide characters alike.
template <typename Char>
constexpr std::basic_string_view<Char> ShownTextOfLine(std::basic_string_view<Char> line) {
    if (line.ends_with(Char{'\n'})) {
        line.remove_suffix(1);
        if (line.ends_with(Char{'\r'})) line.remove_suffix(1);
    }
    return line;
}

}  // namespace mirl
