#pragma once
// A results file written beside the report (result_STAMP_.json), read back for a comparison. Texts are
// UTF-8.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wmb {

using NamedText = std::pair<std::string, std::string>;

// How a setting the program did not set for the game reads: an en dash (UTF-8).
inline constexpr const char* kNotSetText = "\xE2\x80\x93";

struct ResultsSlot {
    int Slot = 0;
    std::string Resolution;  // as the report shows it, e.g. "1024×768"
    int Width = 0;
    int Height = 0;
    bool Ok = false;
    std::string Failure;  // "no log", "no finish line" or "unreadable score" when not Ok
    std::vector<double> Scores;
    double Average = 0;
    std::string AverageText;
    double Min = 0;
    double Max = 0;
    bool Unstable = false;
    // Written only while slots whose runs vary were launched again: the slot's launches, and whether its
    // runs ended within the limit.
    std::optional<int> Launches;
    std::optional<bool> Stable;
};

struct ResultsFile {
    std::string Version;
    std::string Started;
    std::vector<NamedText> Machine;
    // In the file's order, named as the page shows them; numbers as text; a setting not set as kNotSetText.
    std::vector<NamedText> Settings;
    std::vector<ResultsSlot> Slots;
};

struct ResultsRead {
    std::optional<ResultsFile> File;
    std::string Error;  // what is wrong, without the file's name, e.g. "unexpected end of data at line 40, column 1"
};

ResultsRead ReadResultsFile(const std::string& json);

}  // namespace wmb
