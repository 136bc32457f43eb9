// The driver's line protocol: one command line in, one reply line out, fields as escaped tokens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Bytes 0x21..0x7E pass as they are (except '\' and '"'); every other byte becomes \xHH, and the
// empty text is "" so that every field stays one space-free token.
std::string EscapeToken(std::string_view bytes);

// Splits a command line at spaces and undoes EscapeToken on each token.
std::vector<std::string> SplitTokens(std::string_view line);

}  // namespace e2e
