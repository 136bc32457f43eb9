// Generated sentences in GGA, RMC and GSA shape, one burst per simulated second.
#include "nmea_text.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace mirl::bench {
namespace {

// "$" body "*" two hex digits of the XOR of the body, then CR LF.
std::string Sentence(const std::string& body) {
    std::uint8_t sum = 0;
    for (const char c : body) sum ^= static_cast<std::uint8_t>(c);
    std::array<char, 8> tail{};
    std::snprintf(tail.data(), tail.size(), "*%02X\r\n", sum);
    return "$" + body + tail.data();
}

std::string Burst(int second) {
    std::array<char, 128> body{};
    const int hh = 12 + second / 3600;
    const int mm = (second / 60) % 60;
    const int ss = second % 60;
    std::snprintf(body.data(), body.size(),
                  "GPGGA,%02d%02d%02d.000,4807.%03d,N,01131.%03d,E,1,08,0.9,545.4,M,46.9,M,,", hh,
                  mm, ss, (second * 7) % 1000, (second * 11) % 1000);
    std::string burst = Sentence(body.data());
    std::snprintf(body.data(), body.size(),
                  "GPRMC,%02d%02d%02d.000,A,4807.%03d,N,01131.%03d,E,0.13,309.62,120598,,", hh, mm,
                  ss, (second * 7) % 1000, (second * 11) % 1000);
    burst += Sentence(body.data());
    burst += Sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
    return burst;
}

}  // namespace

std::string NmeaText(std::size_t size) {
    std::string text;
    for (int second = 0; text.size() < size; ++second) text += Burst(second);
    text.resize(size);
    return text;
}

}  // namespace mirl::bench
