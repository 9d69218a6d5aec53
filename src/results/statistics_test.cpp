#include "results/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace wmb {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = std::acos(-1.0);

struct QuantileCase {
    double Probability, Df, Expected;
};

TEST(StudentT, QuantilesMatchPublishedTables) {
    // Critical values of Student's t as printed (four decimals) in the usual statistical tables.
    const QuantileCase cases[] = {
        {0.975, 1, 12.7062}, {0.975, 2, 4.3027},  {0.975, 3, 3.1824},  {0.975, 5, 2.5706},
        {0.975, 10, 2.2281}, {0.975, 20, 2.0860}, {0.975, 30, 2.0423}, {0.975, 40, 2.0211},
        {0.975, 60, 2.0003}, {0.975, 120, 1.9799}, {0.975, 1e9, 1.9600}, {0.975, kInf, 1.9600},
        {0.995, 1, 63.6567}, {0.995, 5, 4.0321},  {0.995, 10, 3.1693}, {0.995, 30, 2.7500},
        {0.995, 120, 2.6174}, {0.95, 10, 1.8125}, {0.025, 10, -2.2281}, {0.5, 7, 0},
    };
    for (const QuantileCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Probability << " df " << c.Df);
        EXPECT_NEAR(StudentTQuantile(c.Probability, c.Df), c.Expected, 1e-4);
    }
}

// Closed forms of the two-sided tail: df 1 is the Cauchy distribution, 1 - 2 atan(t) / pi; for df 2 it is
// 1 - s and for df 4 it is 1 - s (1 + c^2 / 2), with s = t / sqrt(df + t^2) and c^2 = df / (df + t^2);
// infinitely many degrees of freedom give the normal distribution, erfc(t / sqrt 2).
double ClosedFormP(double t, double df) {
    const double s = std::fabs(t) / std::sqrt(df + t * t);
    if (df == 1) return 1 - 2 * std::atan(std::fabs(t)) / kPi;
    if (df == 2) return 1 - s;
    if (df == 4) return 1 - s * (1 + df / (df + t * t) / 2);
    return std::erfc(std::fabs(t) / std::sqrt(2.0));
}

TEST(StudentT, TwoSidedPMatchesClosedFormsAndItsQuantile) {
    for (double df : {1.0, 2.0, 4.0, kInf}) {
        for (double t : {0.0, 0.3, -1.7, 2.5, 12.0, 300.0}) {
            SCOPED_TRACE(testing::Message() << "t " << t << " df " << df);
            EXPECT_NEAR(StudentTTwoSidedP(t, df), ClosedFormP(t, df), 1e-13);
        }
    }
    // The quantile is the root of the tail: going there and back returns the probability.
    for (double df : {1.0, 2.5, 7.0, 24.9885, 300.0, 3e6}) {
        for (double probability : {0.6, 0.975, 0.9995}) {
            SCOPED_TRACE(testing::Message() << probability << " df " << df);
            EXPECT_NEAR(StudentTTwoSidedP(StudentTQuantile(probability, df), df), 2 * (1 - probability), 1e-10);
        }
    }
}

TEST(StudentT, DegenerateArguments) {
    for (const auto& [probability, df] : {std::pair{0.0, 5.0}, {1.0, 5.0}, {kNaN, 5.0}, {0.975, 0.0}, {0.975, kNaN}}) {
        EXPECT_TRUE(std::isnan(StudentTQuantile(probability, df))) << probability << " df " << df;
    }
    EXPECT_TRUE(std::isnan(StudentTTwoSidedP(kNaN, 5)));
    EXPECT_TRUE(std::isnan(StudentTTwoSidedP(1, -1)));
    EXPECT_EQ(StudentTTwoSidedP(-kInf, 5), 0);
    EXPECT_EQ(StudentTTwoSidedP(1e200, 5), 0);
}

TEST(SampleStatistics, IntervalOfKnownSamples) {
    EXPECT_NEAR(CvPercentOf(MeanOf({30, 10, 20}), SampleStdDevOf({30, 10, 20})), 50, 1e-12);
    // Mean 100, deviation 1, t(0.975, 2) = 0.95 sqrt(2 / 0.0975) from the closed form of df 2.
    const std::optional<Interval> known = MeanInterval95(*SummaryOf({99, 100, 101}));
    const double half = 0.95 * std::sqrt(2 / 0.0975) / std::sqrt(3.0);
    ASSERT_TRUE(known);
    EXPECT_NEAR(known->Low, 100 - half, 1e-9);
    EXPECT_NEAR(known->High, 100 + half, 1e-9);
    // Identical runs: the interval is the mean itself; a single run has none; a huge sample the normal factor.
    EXPECT_EQ(MeanInterval95(*SummaryOf({5, 5, 5}))->High, 5);
    EXPECT_FALSE(MeanInterval95(*SummaryOf({45.3})));
    EXPECT_NEAR(MeanInterval95({4000000000u, 10, 2})->High - 10, 1.959964 * 2 / std::sqrt(4e9), 1e-9);
    for (const std::vector<double>& bad : std::vector<std::vector<double>>{{}, {1, kNaN}, {kInf, 2}, {1e308, -1e308}}) {
        EXPECT_FALSE(SummaryOf(bad));
    }
}

struct WelchCase {
    std::vector<double> First, Second;
    double T, Df, P;
};

TEST(Welch, TextbookExamples) {
    // t and df worked out by hand from the means and variances, p by numerical integration of the t density:
    // - a widely quoted two-sample example, usually given rounded as t 2.46, df 25.0, p 0.021;
    // - equal sizes and variances with two runs each: df = 2, p = 1 - t / sqrt(2 + t^2) (t = 2 sqrt 2);
    // - unequal sizes and variances, a clear drop.
    const WelchCase cases[] = {
        {{27.5, 21.0, 19.0, 23.6, 17.0, 17.9, 16.9, 20.1, 21.9, 22.6, 23.1, 19.6, 19.0, 21.7, 21.4},
         {27.1, 22.0, 20.8, 23.4, 23.4, 23.5, 25.8, 22.0, 24.8, 20.2, 21.9, 22.1, 22.9, 20.5, 24.4},
         2.455356398, 24.98852929, 0.0213780015},
        {{10, 12}, {14, 16}, 2.828427125, 2, 0.1055728090},
        {{60.1, 61.3, 59.8, 60.6, 60.4}, {58.2, 58.9, 57.6, 58.5}, -5.727578685, 6.677938108, 0.0008452508},
    };
    for (const WelchCase& c : cases) {
        SCOPED_TRACE(c.T);
        const std::optional<WelchTest> test = WelchTestOf(*SummaryOf(c.First), *SummaryOf(c.Second));
        ASSERT_TRUE(test);
        EXPECT_NEAR(test->T, c.T, 1e-8);
        EXPECT_NEAR(test->Df, c.Df, 1e-7);
        EXPECT_NEAR(test->P, c.P, 1e-9);
    }
    // The difference's interval for {10, 12} against {14, 16}: 4 +- t(0.975, 2) sqrt 2, also in % of 11.
    const WelchTest two = *WelchTestOf(*SummaryOf({10, 12}), *SummaryOf({14, 16}));
    const double half = 0.95 * std::sqrt(2 / 0.0975) * std::sqrt(2.0);
    ASSERT_TRUE(two.DifferenceIntervalPercent);
    EXPECT_NEAR(two.DifferenceIntervalPercent->Low, (4 - half) / 11 * 100, 1e-9);
    EXPECT_NEAR(two.DifferenceIntervalPercent->High, (4 + half) / 11 * 100, 1e-9);
    // The same shape shrunk by 1e-200, where squaring the deviations would underflow.
    const double root2 = std::sqrt(2.0);
    const std::optional<WelchTest> tiny = WelchTestOf({2, 11e-200, root2 * 1e-200}, {2, 15e-200, root2 * 1e-200});
    EXPECT_NEAR(tiny->Df, 2, 1e-12);
    EXPECT_NEAR(tiny->P, 0.1055728090, 1e-9);
}

struct VerdictCase {
    std::vector<double> First, Second;
    Significance Verdict;
    double P;  // NaN: no test
};

TEST(RunComparison, VerdictFollowsTheTestAndTheRunCounts) {
    const VerdictCase cases[] = {
        {{10, 12}, {14, 16}, Significance::WithinNoise, 0.1055728090},
        {{60.1, 61.3, 59.8, 60.6, 60.4}, {58.2, 58.9, 57.6, 58.5}, Significance::Significant, 0.0008452508},
        {{60, 60, 60}, {60, 60}, Significance::WithinNoise, 1},  // identical runs, same score
        {{60, 60, 60}, {59, 59}, Significance::Significant, 0},  // identical runs, different scores
        {{60.4}, {58.2, 58.9}, Significance::NoEstimate, kNaN},
        {{60.1, 61.3}, {}, Significance::NoEstimate, kNaN},
        {{60.1, kNaN}, {58.2, 58.9}, Significance::NoEstimate, kNaN},
        {{60.1, 61.3}, {58.2, kInf}, Significance::NoEstimate, kNaN},
    };
    for (const VerdictCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.First.size() << " " << c.Second.size() << " " << c.P);
        const Comparison comparison = CompareRuns(c.First, c.Second);
        EXPECT_EQ(comparison.Verdict, c.Verdict);
        ASSERT_EQ(comparison.Test.has_value(), !std::isnan(c.P));
        if (comparison.Test) {
            EXPECT_NEAR(comparison.Test->P, c.P, 1e-9);
        }
    }
    const Comparison exact = CompareRuns({60, 60, 60}, {59, 59});
    EXPECT_EQ(exact.Test->Df, 3);
    EXPECT_EQ(exact.Test->DifferenceInterval.Low, -1);
    EXPECT_EQ(SignificanceText(Significance::Significant), "significant");
    EXPECT_EQ(SignificanceText(Significance::WithinNoise), "within noise");
    EXPECT_EQ(SignificanceText(Significance::NoEstimate), "no estimate");
}

}  // namespace
}  // namespace wmb
