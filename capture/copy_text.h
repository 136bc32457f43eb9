// The text that copying from the output list puts on the clipboard, built from the list's lines.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mirl {

// One line as the list shows it (ShownTextOfLine): without its final line end.
std::string CopyTextOfLine(std::string_view line);

// Every line in order, each followed by its own line end as received, or by "\r\n" where it has
// none ("connected.", "disconnect."): one pasted line per list line, every shown byte kept.
std::string CopyTextOfAllLines(std::span<const std::string> lines);

}  // namespace mirl
