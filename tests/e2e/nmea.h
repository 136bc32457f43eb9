// The recorded GPS capture: its sentences and their checksums.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The device's sentences in order, without the log's '#' header lines and without line ends.
std::vector<std::string> LoadNmeaSentences(const std::filesystem::path& file);

// True when `line` is "$...*HH" (optionally followed by CR/LF) and HH is the XOR of the bytes
// between '$' and '*'.
bool NmeaChecksumOk(std::string_view line);

}  // namespace e2e
