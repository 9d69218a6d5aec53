#pragma once
// The statistics behind the spread, intervals and comparisons of benchmark results: sample summaries,
// Student's t distribution, the confidence interval of a mean and Welch's t-test of two means.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wmb {

// 0 for no values; not finite when a value is not.
double MeanOf(const std::vector<double>& values);

// Sample standard deviation (divisor n - 1); 0 for fewer than two values.
double SampleStdDevOf(const std::vector<double>& values);

// The standard deviation in percent of the mean; 0 when the mean is 0.
double CvPercentOf(double mean, double stdDev);

struct SampleSummary {
    std::size_t Count = 0;
    double Mean = 0;
    double StdDev = 0;  // sample standard deviation; 0 for one value
};

// nullopt for no values, or when a value, the mean or the deviation is not finite.
std::optional<SampleSummary> SummaryOf(const std::vector<double>& values);

// Probability that |T| >= |t| for Student's t with `df` degrees of freedom (df > 0, may be infinite: the
// normal distribution). NaN for a NaN t or a df that is not positive.
double StudentTTwoSidedP(double t, double df);

// The value below which Student's t with `df` degrees of freedom falls with `probability` (0.975 gives the
// half-width factor of a 95 % interval). NaN unless 0 < probability < 1 and df > 0.
double StudentTQuantile(double probability, double df);

struct Interval {
    double Low = 0;
    double High = 0;
};

// The 95 % confidence interval of the sample's mean (Student's t, n - 1 degrees of freedom); nullopt for
// fewer than two values.
std::optional<Interval> MeanInterval95(const SampleSummary& sample);

struct WelchTest {
    double Difference = 0;  // second mean minus first
    double T = 0;           // infinite when both sides have no spread but different means
    double Df = 0;          // Welch-Satterthwaite; n1 + n2 - 2 when neither side has any spread
    double P = 1;           // two-sided
    Interval DifferenceInterval;                        // 95 %
    std::optional<Interval> DifferenceIntervalPercent;  // of the first mean; nullopt when that is 0
};

// nullopt unless both sides have two or more values.
std::optional<WelchTest> WelchTestOf(const SampleSummary& first, const SampleSummary& second);

enum class Significance { Significant, WithinNoise, NoEstimate };

inline constexpr double kSignificanceLevel = 0.05;

struct Comparison {
    Significance Verdict = Significance::NoEstimate;
    std::optional<WelchTest> Test;  // set unless the verdict is NoEstimate
};

// Significant when Welch's p is below the 5 % level, within noise otherwise; no estimate when either side has
// fewer than two runs or a score that is not a finite number.
Comparison CompareRuns(const std::vector<double>& first, const std::vector<double>& second);

// "significant", "within noise" or "no estimate".
std::string SignificanceText(Significance significance);

}  // namespace wmb
