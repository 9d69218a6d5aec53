#include "results/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wmb {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Above this many degrees of freedom Student's t is taken as the normal distribution: the difference in a
// two-sided p is then of the order of 1 / df, far below anything a benchmark could show.
constexpr double kNormalDf = 1e7;

// Running mean and sum of squared deviations (each new value corrects the mean by its share of the
// difference), which keeps its precision where summing the squares first would not.
struct Moments {
    double Mean = 0;
    double Squares = 0;
};

Moments MomentsOf(const std::vector<double>& values) {
    Moments moments;
    double count = 0;
    for (double value : values) {
        count += 1;
        const double before = value - moments.Mean;
        moments.Mean += before / count;
        moments.Squares += before * (value - moments.Mean);
    }
    return moments;
}

// The continued fraction of the regularized incomplete beta function,
//   I_x(a, b) = x^a (1 - x)^b / (a B(a, b)) / (1 + d1 / (1 + d2 / (1 + ...))),
//   d(2m + 1) = -(a + m)(a + b + m) x / ((a + 2m)(a + 2m + 1)),
//   d(2m)     = m (b - m) x / ((a + 2m - 1)(a + 2m)),
// evaluated from the front by keeping the ratios of successive numerators and denominators (C and D), each
// kept away from zero. Returns the denominator 1 + d1 / (1 + ...). It converges quickly for
// x < (a + 1) / (a + b + 2).
double BetaFraction(double a, double b, double x) {
    constexpr double tiny = 1e-300;
    constexpr double precision = 1e-15;
    constexpr int maxTerms = 100000;
    double value = 1;
    double c = 1;
    double d = 0;
    for (int j = 1; j <= maxTerms; ++j) {
        const double m = static_cast<double>(j / 2);
        const double term = j % 2 == 1 ? -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))
                                       : m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m));
        d = 1 + term * d;
        if (std::fabs(d) < tiny) d = tiny;
        c = 1 + term / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1 / d;
        const double step = c * d;
        value *= step;
        if (std::fabs(step - 1) < precision) break;
    }
    return value;
}

// I_x(a, b) for a, b > 0, with y = 1 - x given separately so that neither loses digits near 0 or 1.
double RegularizedBeta(double a, double b, double x, double y) {
    if (x <= 0) return 0;
    if (y <= 0) return 1;
    const double logFront = a * std::log(x) + b * std::log(y) -
                            (std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b));
    if (x < (a + 1) / (a + b + 2)) return std::exp(logFront) / (a * BetaFraction(a, b, x));
    // I_x(a, b) = 1 - I_y(b, a), whose fraction converges quickly here.
    return 1 - std::exp(logFront) / (b * BetaFraction(b, a, y));
}

double NormalTwoSidedP(double z) { return std::erfc(std::fabs(z) / std::sqrt(2.0)); }

// The t >= 0 where the falling two-sided tail `tail(t)` reaches `target` (0 < target < 1): a bracket widened
// by doubling, then halved until it is as narrow as a double allows.
template <class Tail>
double TailRoot(Tail tail, double target) {
    double low = 0;
    double high = 1;
    while (tail(high) > target) {
        low = high;
        high *= 2;
        if (std::isinf(high)) return kInfinity;
    }
    for (int step = 0; step < 1100 && high - low > 4 * std::numeric_limits<double>::epsilon() * high; ++step) {
        const double middle = low + (high - low) / 2;
        (tail(middle) > target ? low : high) = middle;
    }
    return low + (high - low) / 2;
}

bool Usable(const SampleSummary& sample) {
    return sample.Count >= 2 && std::isfinite(sample.Mean) && std::isfinite(sample.StdDev) && sample.StdDev >= 0;
}

Interval Around(double centre, double halfWidth) { return {centre - halfWidth, centre + halfWidth}; }

}  // namespace

double MeanOf(const std::vector<double>& values) { return MomentsOf(values).Mean; }

double SampleStdDevOf(const std::vector<double>& values) {
    if (values.size() < 2) return 0;
    return std::sqrt(MomentsOf(values).Squares / static_cast<double>(values.size() - 1));
}

double CvPercentOf(double mean, double stdDev) { return mean == 0 ? 0 : stdDev / mean * 100; }

std::optional<SampleSummary> SummaryOf(const std::vector<double>& values) {
    if (values.empty()) return std::nullopt;
    if (!std::all_of(values.begin(), values.end(), [](double value) { return std::isfinite(value); })) {
        return std::nullopt;
    }
    // Deviations whose squares a double cannot hold give no summary, whatever precision the processor keeps
    // between the steps (x87 code keeps 80 bits and would not overflow where SSE code does).
    const double mean = MeanOf(values);
    const double largest = std::sqrt(std::numeric_limits<double>::max() / static_cast<double>(values.size()));
    if (!std::isfinite(mean) ||
        std::any_of(values.begin(), values.end(), [&](double value) { return std::abs(value - mean) > largest; })) {
        return std::nullopt;
    }
    SampleSummary summary{values.size(), mean, SampleStdDevOf(values)};
    if (!std::isfinite(summary.StdDev)) return std::nullopt;
    return summary;
}

double StudentTTwoSidedP(double t, double df) {
    if (std::isnan(t) || std::isnan(df) || df <= 0) return kNaN;
    if (std::isinf(t)) return 0;
    if (df > kNormalDf) return NormalTwoSidedP(t);
    // P(|T| >= t) = I_x(df / 2, 1 / 2) with x = df / (df + t^2).
    const double squared = t * t;
    const double x = 1 / (1 + squared / df);
    const double y = 1 / (1 + df / squared);
    return RegularizedBeta(df / 2, 0.5, x, y);
}

double StudentTQuantile(double probability, double df) {
    if (!(probability > 0 && probability < 1) || std::isnan(df) || df <= 0) return kNaN;
    if (probability == 0.5) return 0;
    const double tail = 2 * std::min(probability, 1 - probability);
    const double t = df > kNormalDf ? TailRoot(NormalTwoSidedP, tail)
                                    : TailRoot([df](double at) { return StudentTTwoSidedP(at, df); }, tail);
    return probability > 0.5 ? t : -t;
}

std::optional<Interval> MeanInterval95(const SampleSummary& sample) {
    if (!Usable(sample)) return std::nullopt;
    const double n = static_cast<double>(sample.Count);
    return Around(sample.Mean, StudentTQuantile(0.975, n - 1) * sample.StdDev / std::sqrt(n));
}

std::optional<WelchTest> WelchTestOf(const SampleSummary& first, const SampleSummary& second) {
    if (!Usable(first) || !Usable(second)) return std::nullopt;
    const double n1 = static_cast<double>(first.Count);
    const double n2 = static_cast<double>(second.Count);
    WelchTest test;
    test.Difference = second.Mean - first.Mean;
    if (!std::isfinite(test.Difference)) return std::nullopt;
    // The deviations are taken as fractions of the larger one so that tiny or huge ones neither underflow
    // nor overflow when squared.
    const double scale = std::max(first.StdDev, second.StdDev);
    double halfWidth = 0;
    if (scale == 0) {
        // Every run of each side gave the same score: the difference is exact, and any difference is real.
        test.Df = n1 + n2 - 2;
        test.T = test.Difference == 0 ? 0 : std::copysign(kInfinity, test.Difference);
        test.P = test.Difference == 0 ? 1 : 0;
    } else {
        const double share1 = (first.StdDev / scale) * (first.StdDev / scale) / n1;
        const double share2 = (second.StdDev / scale) * (second.StdDev / scale) / n2;
        const double shares = share1 + share2;
        // df = (share1 + share2)^2 / (share1^2 / (n1 - 1) + share2^2 / (n2 - 1)), each share as a fraction
        // of their sum.
        const double part1 = share1 / shares;
        const double part2 = share2 / shares;
        test.Df = 1 / (part1 * part1 / (n1 - 1) + part2 * part2 / (n2 - 1));
        const double standardError = scale * std::sqrt(shares);
        if (!std::isfinite(standardError)) return std::nullopt;
        test.T = test.Difference / standardError;
        test.P = StudentTTwoSidedP(test.T, test.Df);
        halfWidth = StudentTQuantile(0.975, test.Df) * standardError;
    }
    test.DifferenceInterval = Around(test.Difference, halfWidth);
    if (first.Mean != 0) {
        const double percent = 100 / std::fabs(first.Mean);
        test.DifferenceIntervalPercent =
            Interval{test.DifferenceInterval.Low * percent, test.DifferenceInterval.High * percent};
    }
    return test;
}

Comparison CompareRuns(const std::vector<double>& first, const std::vector<double>& second) {
    Comparison comparison;
    const std::optional<SampleSummary> a = SummaryOf(first);
    const std::optional<SampleSummary> b = SummaryOf(second);
    if (!a || !b) return comparison;
    comparison.Test = WelchTestOf(*a, *b);
    if (comparison.Test) {
        comparison.Verdict =
            comparison.Test->P < kSignificanceLevel ? Significance::Significant : Significance::WithinNoise;
    }
    return comparison;
}

std::string SignificanceText(Significance significance) {
    switch (significance) {
        case Significance::Significant: return "significant";
        case Significance::WithinNoise: return "within noise";
        case Significance::NoEstimate: return "no estimate";
    }
    return "";
}

}  // namespace wmb
