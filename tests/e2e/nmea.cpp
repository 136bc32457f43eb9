// NMEA 0183 sentences carry a checksum, so a shown line can be verified on its own.
#include "nmea.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace e2e {

std::vector<std::string> LoadNmeaSentences(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<std::string> sentences;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        sentences.push_back(line);
    }
    return sentences;
}

std::vector<std::string> NmeaBursts(const std::vector<std::string>& sentences, size_t count,
                                    std::string_view line_end) {
    std::vector<std::string> bursts;
    for (size_t next = 0; next < sentences.size() && bursts.size() < count;) {
        std::string burst;
        for (int i = 0; i < 5 && next < sentences.size(); ++i)
            burst += sentences[next++] + std::string(line_end);
        bursts.push_back(burst);
    }
    return bursts;
}

bool NmeaChecksumOk(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const auto star = line.rfind('*');
    if (line.empty() || line.front() != '$' || star == std::string_view::npos ||
        star + 3 != line.size())
        return false;
    unsigned sum = 0;
    for (size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
    const std::string hex(line.substr(star + 1, 2));
    char* end = nullptr;
    const unsigned long given = std::strtoul(hex.c_str(), &end, 16);
    return end == hex.c_str() + 2 && given == sum;
}

}  // namespace e2e
