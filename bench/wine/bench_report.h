// Figures as the benchmarks print them: one tab-separated row per figure for bench/run.sh's table,
// and the median/min/max of a series of timings.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace mirl::bench {

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

// "ROW<TAB>what<TAB>figure<TAB>goal<TAB>how"; run.sh collects these and ignores every other line.
inline void PrintRow(const std::string& what, const std::string& figure, const std::string& goal,
                     const std::string& how) {
    std::printf("ROW\t%s\t%s\t%s\t%s\n", what.c_str(), figure.c_str(), goal.c_str(), how.c_str());
    std::fflush(stdout);
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace mirl::bench
