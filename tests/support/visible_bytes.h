// Bytes written out for a failure message, so that line ends, zero and high bytes can be seen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirl::test {

// "a\r\n\x00\xff" comes out as the text a\r\n\x00\xff: CR, LF and the backslash by their C
// escapes, other bytes below 0x20 or from 0x7F as \xhh, the rest as they are.
std::string Visible(std::string_view bytes);

// "[2 lines]" and then each line on its own, numbered and quoted.
std::string Visible(const std::vector<std::string>& lines);

}  // namespace mirl::test
