// Where the program's moves fell in a stream that arrived faster than its ticks, worked out
// from what it showed, so that the line model can then check that showing exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The sizes of the parts of `sent` that each ended in an inserted line feed, read off `shown`
// (the shown lines joined): `shown` must be `sent` without its zero bytes and with line feeds
// added. The rest of `sent` follows the last part. nullopt when `shown` is no such text.
std::optional<std::vector<size_t>> MoveSplits(std::string_view sent, std::string_view shown);

// The lines the line model shows for `sent` moved in those parts (then one final move), and
// its count after them.
struct ModelledCapture {
    std::vector<std::string> lines;
    int count = 0;
};
ModelledCapture ModelMoves(std::string_view sent, const std::vector<size_t>& splits);

}  // namespace e2e
