// The recorded GPS capture: its sentences and their checksums.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The device's sentences in order, without the log's '#' header lines and without line ends.
std::vector<std::string> LoadNmeaSentences(const std::filesystem::path& file);

// Five sentences a burst, each ended by `line_end`, as the receiver sends them once a second;
// `count` bursts, or as many as there are sentences for.
std::vector<std::string> NmeaBursts(const std::vector<std::string>& sentences, size_t count,
                                    std::string_view line_end);

// True when `line` is "$...*HH" (optionally followed by CR/LF) and HH is the XOR of the bytes
// between '$' and '*'.
bool NmeaChecksumOk(std::string_view line);

}  // namespace e2e
