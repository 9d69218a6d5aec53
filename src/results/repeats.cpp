#include "results/repeats.h"

#include <string>
#include <utility>

#include "results/statistics.h"

namespace wmb {
namespace {

int NumberOr(const std::string& text, int maxDigits, const char* fallback) {
    return std::stoi(IsPositiveWhole(text, maxDigits) ? text : std::string(fallback));
}

}  // namespace

std::optional<RepeatSettings> RepeatSettingsFrom(const BenchSettings& settings) {
    if (!settings.RepeatVaryingSlots) return std::nullopt;
    RepeatSettings repeat;
    repeat.LimitPercent = NumberOr(settings.RepeatLimitPercent, kRepeatLimitDigits, kDefaultRepeatLimitPercent);
    repeat.MostExtraLaunches = NumberOr(settings.RepeatMostLaunches, kRepeatMostDigits, kDefaultRepeatMostLaunches);
    return repeat;
}

RepeatDecision DecideRepeat(const std::vector<double>& runs, int launches, const RepeatSettings& settings) {
    RepeatDecision decision;
    const std::optional<SampleSummary> sample = SummaryOf(runs);
    // Scores that give no spread at all (none, or not finite) are nothing a further launch could settle.
    if (!sample || sample->Count < 2) return decision;
    decision.Stable = !(CvPercentOf(sample->Mean, sample->StdDev) > settings.LimitPercent);
    decision.Relaunch = !decision.Stable && launches <= settings.MostExtraLaunches;
    return decision;
}

std::string RepeatSummary(const SlotRepeats& repeats, std::size_t runs) {
    std::string text = std::to_string(repeats.Launches) + (repeats.Launches == 1 ? " launch, " : " launches, ") +
                       std::to_string(runs) + (runs == 1 ? " run: " : " runs: ");
    const std::string limit = std::to_string(repeats.LimitPercent) + " %";
    return text + (repeats.Stable ? "stable within " + limit : "still varies more than " + limit);
}

bool AddLaunchRuns(RunResults& all, const RunResults& launch, char reportSep) {
    std::vector<double> values = all.Values;
    values.insert(values.end(), launch.Values.begin(), launch.Values.end());
    const std::optional<float> average = SinglePrecisionAverage(values);
    if (!average) return false;
    all.Values = std::move(values);
    all.Scores.insert(all.Scores.end(), launch.Scores.begin(), launch.Scores.end());
    all.GameTexts.insert(all.GameTexts.end(), launch.GameTexts.begin(), launch.GameTexts.end());
    all.Average = all.Values.size() > 1 ? FormatAverage(*average, reportSep) : "";
    return true;
}

}  // namespace wmb
