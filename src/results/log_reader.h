#pragma once
// Reading the game's timedemo log: did every run finish, and which frame rates did the runs reach.

#include <optional>
#include <string>
#include <vector>

namespace wmb {

// Lines of a log; a line ends at CR LF, at a lone LF or at a lone CR. A final terminator does not
// start another line.
std::vector<std::string> SplitLogLines(const std::string& bytes);

// True when the log holds the finish line of the last run ("!TimeDemo Run <runs> Finished."), as
// a whole line without regard to letter case.
bool CheckRunLog(const std::string& logBytes, const std::string& runsArgument);

// The frame-rate part of a result line: the text after the first comma, then after the first colon
// of that; blanks are kept.
std::string ReadScoreText(const std::string& line);

// Gives a number text the separator `sep`: with "," the first "." becomes ","; with any other
// separator the first "," becomes ".".
std::string ToSeparator(std::string text, char sep);

// Converts a number text that uses `decimalSeparator`: blanks around it are allowed, the rest must
// be an optionally signed decimal number with an optional exponent. nullopt otherwise.
std::optional<double> ParseDecimal(const std::string& text, char decimalSeparator);

// Report text of an average: general format with 15 significant digits, the report separator, and
// cut (not rounded) two digits after the separator; an exponent stays whole after the cut digits.
std::string FormatAverage(float average, char reportSep);

struct RunResults {
    std::vector<std::string> Scores;     // one per run, with the report separator
    std::string Average;                 // empty for a single run
    std::vector<std::string> GameTexts;  // one per run, as the game wrote it, without the blanks around it
    std::vector<double> Values;          // one per run, the frame rate read from it
};

// The average of the runs' frame rates as the report shows it: summed run by run in single precision, then
// divided. nullopt for no runs, or when a partial sum leaves the single-precision range.
std::optional<float> SinglePrecisionAverage(const std::vector<double>& values);

// The game's run argument (run count minus 1) as a number; nullopt for anything but up to six decimal digits.
std::optional<std::size_t> ParseRunsArgument(const std::string& text);

// Scores of every run, and their average when there are several. nullopt when the log is shorter
// than its layout, the run count is not a number, or a score is no frame rate: not a number, below 0,
// or beyond the single-precision range.
std::optional<RunResults> ReadRunResults(const std::string& logBytes, const std::string& runsArgument,
                                         char reportSep, char systemSep);

}  // namespace wmb
