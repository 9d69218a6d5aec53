#include "bench/spread.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace wmb::bench {
namespace {

TEST(Spread, MedianMinMaxAndCountWhateverTheOrder) {
    const struct {
        std::vector<double> values;
        double median, min, max;
    } cases[] = {
        {{5}, 5, 5, 5},
        {{120, 91, 98}, 98, 91, 120},
        {{4, 1, 3, 2}, 2.5, 1, 4},
        {{1.24, 1.90, 1.20, 1.26, 1.22, 1.25, 1.23, 1.21, 1.27}, 1.24, 1.20, 1.90},
        {{7, 7, 3, 7}, 7, 3, 7},
    };
    for (const auto& c : cases) {
        const Spread s = SpreadOf(c.values);
        EXPECT_DOUBLE_EQ(s.median, c.median) << c.values.size();
        EXPECT_DOUBLE_EQ(s.min, c.min) << c.values.size();
        EXPECT_DOUBLE_EQ(s.max, c.max) << c.values.size();
        EXPECT_EQ(s.count, c.values.size());
    }
    EXPECT_THROW(SpreadOf({}), std::invalid_argument);
}

TEST(Spread, DescribedWithItsUnitDecimalsAndCount) {
    EXPECT_EQ(Describe(SpreadOf({120, 91, 98.4, 97.6, 101, 99, 95}), "ms", 0, "rounds"),
              "median 98 ms (min 91, max 120; 7 rounds)");
    EXPECT_EQ(Describe(SpreadOf({26.84, 26.71, 27.02}), "MiB", 1, "rounds"),
              "median 26.8 MiB (min 26.7, max 27.0; 3 rounds)");
    EXPECT_EQ(Describe(SpreadOf({22.7, 23.1}), "ms", 1, "gaps"), "median 22.9 ms (min 22.7, max 23.1; 2 gaps)");
}

TEST(Spread, RatioOfTheMediansAndNoneAgainstNothing) {
    EXPECT_DOUBLE_EQ(RatioOfMedians(SpreadOf({400, 420, 500}), SpreadOf({200, 100, 210})), 2.1);
    EXPECT_DOUBLE_EQ(RatioOfMedians(SpreadOf({3}), SpreadOf({0})), 0.0);
}

TEST(Spread, OrdinalsInEnglish) {
    const struct {
        int n;
        const char* text;
    } cases[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"},  {12, "12th"},
                 {13, "13th"}, {21, "21st"}, {22, "22nd"}, {50, "50th"}, {101, "101st"}, {111, "111th"}};
    for (const auto& c : cases) EXPECT_EQ(Ordinal(c.n), c.text) << c.n;
}

}  // namespace
}  // namespace wmb::bench
