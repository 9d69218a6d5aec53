#include "bench/spread.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace wmb::bench {

Spread SpreadOf(std::vector<double> values) {
    if (values.empty()) throw std::invalid_argument("no values to take a median of");
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    return {median, values.front(), values.back(), n};
}

std::string Describe(const Spread& spread, const char* unit, int decimals, const char* counted) {
    char text[160];
    std::snprintf(text, sizeof text, "median %.*f %s (min %.*f, max %.*f; %zu %s)", decimals, spread.median, unit,
                  decimals, spread.min, decimals, spread.max, spread.count, counted);
    return text;
}

double RatioOfMedians(const Spread& a, const Spread& b) { return b.median > 0 ? a.median / b.median : 0.0; }

std::string Ordinal(int n) {
    const int lastTwo = n % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        if (n % 10 == 1) suffix = "st";
        if (n % 10 == 2) suffix = "nd";
        if (n % 10 == 3) suffix = "rd";
    }
    return std::to_string(n) + suffix;
}

}  // namespace wmb::bench
