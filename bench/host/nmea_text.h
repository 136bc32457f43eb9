// NMEA-like receiver output for the benchmarks: sentences with checksums, each ending in CR LF.
#pragma once

#include <cstddef>
#include <string>

namespace mirl::bench {

// Exactly `size` bytes of sentences; the last one is cut off where the size ends, as a capture
// that stops at its limit would cut it.
std::string NmeaText(std::size_t size);

}  // namespace mirl::bench
