#pragma once
// Figures of repeated measurements as the benchmark programs print them: the median with the smallest and
// the largest value. Portable: no Windows headers, so that it is tested on the build host as well.

#include <cstddef>
#include <string>
#include <vector>

namespace wmb::bench {

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
    std::size_t count = 0;
};

// The median (the mean of the middle two for an even count), the smallest and the largest of `values`.
// Throws std::invalid_argument when there are none.
Spread SpreadOf(std::vector<double> values);

// "median 98 ms (min 91, max 120; 7 rounds)": every value with `decimals` decimals, `unit` after the
// median, `counted` naming what was counted.
std::string Describe(const Spread& spread, const char* unit, int decimals, const char* counted);

// The median of `a` over the median of `b`; 0 when b's median is not above 0.
double RatioOfMedians(const Spread& a, const Spread& b);

// "1st", "2nd", "3rd", "4th", ... "11th", "12th", "13th", ... "21st", ...
std::string Ordinal(int n);

}  // namespace wmb::bench
