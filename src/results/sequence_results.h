#pragma once
// What a finished benchmark sequence measured, for the data files written beside its report: the facts
// of the report head, the chosen settings and, per resolution slot, every run's score or the failure.

#include <optional>
#include <string>
#include <vector>

#include "demos/demo_table.h"
#include "results/log_reader.h"
#include "results/number_text.h"
#include "results/repeats.h"
#include "results/report.h"
#include "settings/bench_settings.h"

namespace wmb {

// A slot whose runs spread more than this (coefficient of variation, in percent) is unstable.
inline constexpr double kUnstableCvPercent = 3.0;

struct RunStatistics {
    double Mean = 0;
    double Min = 0;
    double Max = 0;
    double StdDev = 0;     // sample standard deviation (n - 1); 0 for one run
    double CvPercent = 0;  // StdDev / Mean * 100; 0 when the mean is 0
    bool Unstable = false;
};

RunStatistics StatisticsOf(const std::vector<double>& scores);

enum class SlotFailure { NoLog, NoFinishLine, UnreadableScore };

// "no log", "no finish line" or "unreadable score".
std::string FailureText(SlotFailure failure);

struct RunScore {
    std::string Text;  // as the game wrote it
    double Score = 0;
};

struct SlotResult {
    int Slot = 0;             // 0..6, see settings/slots.h
    std::string Resolution;   // "1024\xD7768"
    int Width = 0;
    int Height = 0;
    std::optional<SlotFailure> Failure;
    std::vector<RunScore> Runs;
    std::string AverageText;  // as the report shows it
    std::optional<SlotRepeats> Repeats;  // set while a slot whose runs vary is launched again
};

SlotResult SucceededSlot(int slot, const BenchSettings& settings, const RunResults& results);
SlotResult FailedSlot(int slot, const BenchSettings& settings, SlotFailure failure);

std::vector<double> ScoresOf(const SlotResult& slot);

// The settings the game received, as the report names them. An option the program did not set for the game
// (its box empty, or not worked into a custom configuration file, which the game gets as it is) is nullopt.
struct ResultSettings {
    std::string Demo;  // "Pier, 1.tmd"
    std::optional<std::string> Quality;
    std::optional<std::string> Renderer;
    std::optional<std::string> ShaderModel;
    std::optional<std::string> Antialiasing;
    std::optional<std::string> Anisotropic;
    std::string Hdr;
    std::string Instancing;
    std::string NormalMaps;
    int Runs = 0;
    std::string Note;
};

ResultSettings ResultSettingsFrom(const BenchSettings& settings, int runs, const std::string& qualityLabel,
                                  const std::string& rendererLabel, const DemoLocation& demo);

struct SequenceResults {
    std::string Version;
    std::string Started;
    std::vector<MachineFact> Machine;
    ResultSettings Settings;
    std::vector<SlotResult> Slots;
    std::optional<RepeatSettings> Repeat;  // set while a slot whose runs vary is launched again
};

// A file beside the report that shares its stamp: "result_STAMP_" + `ending`.
std::string BesideReport(const std::string& reportPath, const std::string& ending);

}  // namespace wmb
