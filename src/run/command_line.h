#pragma once
// The game's command line: the per-sequence console values and the text of one game start.

#include <string>

#include "settings/bench_settings.h"

namespace wmb {

// Console values fixed once per sequence. RunsArgument is empty until a listed run count was used.
struct LaunchValues {
    std::string RunsArgument;       // value of #demo_num_runs: run count minus 1
    std::string HdrArgument;        // "#r_HDRRendering=<level or 0>" with its double quotes
    std::string NormalMapArgument;  // "#r_TexNormalMapCompressed=<1 or 0>" with its double quotes
};

// Sets the three values from the settings. A run count outside the list of offered counts keeps
// the previous RunsArgument.
void UpdateLaunchValues(LaunchValues& values, const BenchSettings& settings);

// `text` in double quotes, as one argument of the game's command line. Throws std::runtime_error naming
// `setting` when the text holds a double quote or a control character, either of which would break the
// line's quoting.
std::string QuotedArgument(const std::string& setting, const std::string& text);

// Command line of one game start without the demo part; throws as QuotedArgument for a value it cannot
// quote. `shaderArgument` is empty or one quoted
// argument; when it is empty two blanks follow -DEVMODE.
std::string BuildCommandLine(const std::string& bin32Folder, const std::string& shaderArgument,
                             const LaunchValues& values, const std::string& width, const std::string& height);

}  // namespace wmb
