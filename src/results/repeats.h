#pragma once
// Launching a resolution slot again while its runs vary more than the user allows: the option as the
// General page holds it, the decision after each launch, and what a slot's launches came to.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/log_reader.h"
#include "settings/bench_settings.h"

namespace wmb {

struct RepeatSettings {
    int LimitPercent = 3;       // the coefficient of variation a slot's runs may reach
    int MostExtraLaunches = 2;  // launches after the first one, at most
};

// The option as the General page holds it; nullopt when it is off. A box that holds no number it takes
// counts as holding its default.
std::optional<RepeatSettings> RepeatSettingsFrom(const BenchSettings& settings);

struct RepeatDecision {
    bool Relaunch = false;
    bool Stable = true;  // the runs so far vary no more than the limit
};

// After a launch of a slot: `runs` are the scores of all its launches so far, `launches` their number
// (1 after the first). A slot is stable when its runs' coefficient of variation is at most the limit; one
// run alone cannot vary. An unstable slot is launched again while the extra launches allow it.
RepeatDecision DecideRepeat(const std::vector<double>& runs, int launches, const RepeatSettings& settings);

// What the launches of a slot came to, told by the report and the data files while the option is on.
struct SlotRepeats {
    int Launches = 1;
    bool Stable = true;
    int LimitPercent = 3;
    std::size_t RunsPerLaunch = 1;  // every launch of a slot has the same run count
    // Which launch gave run `run` (counted from 0) of the slot, from 1.
    int LaunchOf(std::size_t run) const { return static_cast<int>(run / (RunsPerLaunch > 0 ? RunsPerLaunch : 1)) + 1; }
};

// "2 launches, 6 runs: stable within 3 %" or "3 launches, 9 runs: still varies more than 3 %".
std::string RepeatSummary(const SlotRepeats& repeats, std::size_t runs);

// Adds the runs of a further launch of the slot to those of its earlier launches, in order, and gives them
// their average as the log reader would for one launch of that many runs. False (and `all` unchanged) when
// that average leaves the single-precision range.
bool AddLaunchRuns(RunResults& all, const RunResults& launch, char reportSep);

}  // namespace wmb
