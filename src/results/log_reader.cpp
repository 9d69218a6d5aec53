#include "results/log_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

#include "base/case_tables.h"
#include "base/text.h"

namespace wmb {

namespace {

// The frame rate of a score text written with the system's separator: a number from 0 up to the
// single-precision range; nullopt for anything else.
std::optional<double> FrameRate(const std::string& score, char systemSep) {
    const std::optional<double> value = ParseDecimal(ToSeparator(score, systemSep), systemSep);
    if (!value || !std::isfinite(*value) || *value < 0) return std::nullopt;
    if (*value > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
    return value;
}

// Number of the line that holds the result of run `run` (counted from 1).
std::size_t ResultLine(std::size_t run) { return 3 + 5 * (run - 1); }

}  // namespace

std::optional<std::size_t> ParseRunsArgument(const std::string& text) {
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
    std::size_t value = 0;
    for (char c : text) value = value * 10 + static_cast<std::size_t>(c - '0');
    return value;
}

std::vector<std::string> SplitLogLines(const std::string& bytes) { return SplitLines(bytes); }

bool CheckRunLog(const std::string& logBytes, const std::string& runsArgument) {
    const std::string finish = "!TimeDemo Run " + runsArgument + " Finished.";
    const std::vector<std::string> lines = SplitLogLines(logBytes);
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return SameTextIgnoringAsciiCase(line, finish); });
}

std::string ReadScoreText(const std::string& line) {
    std::string score = line;
    if (const auto comma = score.find(','); comma != std::string::npos) score = score.substr(comma + 1);
    if (const auto colon = score.find(':'); colon != std::string::npos) score = score.substr(colon + 1);
    return score;
}

std::string ToSeparator(std::string text, char sep) {
    const char from = sep == ',' ? '.' : ',';
    const char to = sep == ',' ? ',' : '.';
    if (const auto pos = text.find(from); pos != std::string::npos) text[pos] = to;
    return text;
}

std::optional<double> ParseDecimal(const std::string& text, char decimalSeparator) {
    const std::string number = TrimBlanks(text);
    const std::size_t end = number.size();

    // Rebuilt in the plain form that from_chars reads, whatever the separator.
    std::string plain;
    std::size_t i = 0;
    if (i < end && (number[i] == '+' || number[i] == '-')) {
        if (number[i] == '-') plain += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < end && IsDigit(number[i]); ++i, ++digits) plain += number[i];
    if (i < end && number[i] == decimalSeparator) {
        plain += '.';
        for (++i; i < end && IsDigit(number[i]); ++i, ++digits) plain += number[i];
    }
    if (digits == 0) return std::nullopt;
    if (i < end && (number[i] == 'e' || number[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < end && (number[i] == '+' || number[i] == '-')) plain += number[i++];
        std::size_t exponentDigits = 0;
        for (; i < end && IsDigit(number[i]); ++i, ++exponentDigits) plain += number[i];
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != end) return std::nullopt;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || ptr != plain.data() + plain.size()) return std::nullopt;
    return value;
}

std::string FormatAverage(float average, char reportSep) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(average),
                                      std::chars_format::general, 15);
    const std::string general(buffer, result.ptr);
    // The cut applies to the digits before an exponent; the exponent stays as it is.
    const std::size_t exponent = std::min(general.find('e'), general.size());
    std::string digits = ToSeparator(general.substr(0, exponent), reportSep);
    if (const auto pos = digits.find(reportSep); pos != std::string::npos) digits = digits.substr(0, pos + 3);
    return digits + general.substr(exponent);
}

std::optional<RunResults> ReadRunResults(const std::string& logBytes, const std::string& runsArgument,
                                         char reportSep, char systemSep) {
    const std::optional<std::size_t> runsIndex = ParseRunsArgument(runsArgument);
    if (!runsIndex) return std::nullopt;
    const std::size_t runCount = *runsIndex + 1;
    const std::vector<std::string> lines = SplitLogLines(logBytes);
    if (lines.size() <= ResultLine(runCount)) return std::nullopt;

    RunResults results;
    auto keep = [&](const std::string& score, double value) {
        results.Scores.push_back(ToSeparator(score, reportSep));
        results.GameTexts.push_back(TrimBlanks(score));
        results.Values.push_back(value);
    };
    if (runCount == 1) {
        const std::string score = ReadScoreText(lines[ResultLine(1)]);
        const std::optional<double> value = FrameRate(score, systemSep);
        if (!value) return std::nullopt;
        keep(score, *value);
        return results;
    }

    for (std::size_t run = 1; run <= runCount; ++run) {
        const std::string score = ReadScoreText(lines[ResultLine(run)]);
        const std::optional<double> value = FrameRate(score, systemSep);
        if (!value) return std::nullopt;
        keep(score, *value);
    }
    const std::optional<float> average = SinglePrecisionAverage(results.Values);
    if (!average) return std::nullopt;
    results.Average = FormatAverage(*average, reportSep);
    return results;
}

std::optional<float> SinglePrecisionAverage(const std::vector<double>& values) {
    if (values.empty()) return std::nullopt;
    float sum = 0;
    for (double value : values) {
        const long double total = static_cast<long double>(value) + static_cast<long double>(sum);
        // A total beyond the single-precision range is no frame rate; it cannot be summed either.
        if (std::fabs(total) > static_cast<long double>(std::numeric_limits<float>::max())) return std::nullopt;
        sum = static_cast<float>(total);
    }
    return static_cast<float>(static_cast<long double>(sum) / static_cast<long double>(values.size()));
}

}  // namespace wmb
