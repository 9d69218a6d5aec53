#include "base/date_time.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {


TEST(DateTime, EncodeDateTimeCountsDaysFrom30December1899) {
    const struct {
        int y, mo, d, h, mi, s, ms;
        TDateTime value;
    } cases[] = {
        {1899, 12, 30, 0, 0, 0, 0, 0},
        {1900, 3, 1, 0, 0, 0, 0, 61},
        {2000, 1, 1, 12, 0, 0, 0, 36526.5},
        {2024, 2, 29, 18, 0, 0, 0, 45351.75},
        {1899, 12, 29, 6, 0, 0, 0, -0.75},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(EncodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms), c.value) << c.y << "-" << c.mo << "-" << c.d;
}

TEST(DateTime, DaysInMonthKnowsTheGregorianLeapYears) {
    const struct {
        int year, month, days;
    } cases[] = {{2023, 2, 28}, {2024, 2, 29}, {1900, 2, 28}, {2000, 2, 29}, {2024, 4, 30}, {2024, 12, 31}};
    for (const auto& c : cases) EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
}

}  // namespace
}  // namespace wmb
