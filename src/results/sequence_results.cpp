#include "results/sequence_results.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/text.h"
#include "gameconfig/presets.h"
#include "settings/slots.h"

namespace wmb {
namespace {

int WholeNumber(const std::string& text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() ? value : 0;
}

std::optional<std::string> SetIf(bool set, const std::string& text) {
    return set && !text.empty() ? std::optional<std::string>(text) : std::nullopt;
}

SlotResult SlotOf(int slot, const BenchSettings& settings) {
    SlotResult result;
    result.Slot = slot;
    const std::string width = SlotWidth(slot, settings);
    const std::string height = SlotHeight(slot, settings);
    result.Resolution = width + "\xD7" + height;
    result.Width = WholeNumber(width);
    result.Height = WholeNumber(height);
    return result;
}

}  // namespace

RunStatistics StatisticsOf(const std::vector<double>& scores) {
    RunStatistics stats;
    if (scores.empty()) return stats;
    const double n = static_cast<double>(scores.size());
    double sum = 0;
    for (double score : scores) sum += score;
    stats.Mean = sum / n;
    const auto [low, high] = std::minmax_element(scores.begin(), scores.end());
    stats.Min = *low;
    stats.Max = *high;
    if (scores.size() > 1) {
        double squares = 0;
        for (double score : scores) squares += (score - stats.Mean) * (score - stats.Mean);
        stats.StdDev = std::sqrt(squares / (n - 1));
    }
    if (stats.Mean != 0) stats.CvPercent = stats.StdDev / stats.Mean * 100;
    stats.Unstable = stats.CvPercent > kUnstableCvPercent;
    return stats;
}

std::string FailureText(SlotFailure failure) {
    switch (failure) {
        case SlotFailure::NoLog: return "no log";
        case SlotFailure::NoFinishLine: return "no finish line";
        case SlotFailure::UnreadableScore: return "unreadable score";
    }
    return "";
}

SlotResult SucceededSlot(int slot, const BenchSettings& settings, const RunResults& results) {
    SlotResult result = SlotOf(slot, settings);
    for (std::size_t j = 0; j < results.GameTexts.size() && j < results.Values.size(); ++j) {
        result.Runs.push_back({results.GameTexts[j], results.Values[j]});
    }
    const std::string& reported = results.Average.empty() && !results.Scores.empty() ? results.Scores.front()
                                                                                      : results.Average;
    result.AverageText = TrimBlanks(reported);
    return result;
}

SlotResult FailedSlot(int slot, const BenchSettings& settings, SlotFailure failure) {
    SlotResult result = SlotOf(slot, settings);
    result.Failure = failure;
    return result;
}

std::vector<double> ScoresOf(const SlotResult& slot) {
    std::vector<double> scores;
    for (const RunScore& run : slot.Runs) scores.push_back(run.Score);
    return scores;
}

ResultSettings ResultSettingsFrom(const BenchSettings& settings, int runs, const std::string& qualityLabel,
                                  const std::string& rendererLabel, const DemoLocation& demo) {
    const SettingTexts texts = SectionSettingTexts(settings, runs <= 1);
    const std::optional<Preset> preset = PresetFromDetailLevel(settings.DetailLevel);
    // Renderer and filters reach the game only through a preset the program writes; an empty filter box
    // leaves the preset's own line, while an empty renderer box writes OpenGL (the label says which).
    const bool optionsWritten = preset && *preset != Preset::Custom;
    ResultSettings result;
    result.Demo = MapName(demo) + ", " + demo.DemoName + ".tmd";
    result.Quality = SetIf(preset.has_value(), qualityLabel);
    result.Renderer = SetIf(optionsWritten, rendererLabel);
    result.ShaderModel = SetIf(true, ShaderModelText(settings.ShaderModel));
    result.Antialiasing = SetIf(optionsWritten && !ItemText(kAntialiasItems, settings.AntialiasIndex).empty(),
                                texts.Antialias);
    result.Anisotropic = SetIf(optionsWritten && !ItemText(kAnisotropyItems, settings.AnisotropyIndex).empty(),
                               texts.Anisotropy);
    result.Hdr = texts.Hdr;
    result.Instancing = texts.Instancing;
    result.NormalMaps = texts.NormalMaps;
    result.Runs = runs;
    result.Note = settings.Note;
    return result;
}

std::string BesideReport(const std::string& reportPath, const std::string& ending) {
    const std::string htm = ".htm";
    const bool named = reportPath.size() >= htm.size() &&
                       reportPath.compare(reportPath.size() - htm.size(), htm.size(), htm) == 0;
    return (named ? reportPath.substr(0, reportPath.size() - htm.size()) : reportPath) + ending;
}

}  // namespace wmb
