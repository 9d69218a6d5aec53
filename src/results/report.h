#pragma once
// The HTML result report, built as a list of lines: the head at the start of a sequence, one
// section per successful slot and the foot after the last slot.

#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "demos/demo_table.h"
#include "results/log_reader.h"
#include "results/repeats.h"
#include "settings/bench_settings.h"
#include "sysinfo/system_info.h"

namespace wmb {

struct ReportHeaderInput {
    std::string SequenceStartText;
    SystemInfo Info;
    std::string Note;  // NoteEdit
};

struct ReportSectionInput {
    int Slot = 0;            // 0..6, see settings/slots.h
    BenchSettings Settings;  // custom size, PShader, AABox, AFBox, HDR, GI, CompRess, RendererBox
    std::string QualityLabel;
    std::string RendererLabel;
    DemoLocation Demo;
    // One score and no average for a single run per slot; one score per run and the average
    // otherwise. The number of scores is the run count of the section.
    RunResults Results;
    // While a slot whose runs vary is launched again: its launches, under the scores (the runs of every
    // launch are in Results).
    std::optional<SlotRepeats> Repeats;
};

// One fact of the report head: its caption and its text.
struct MachineFact {
    std::string Label;
    std::string Value;
};

// The facts of the report head, in the order it shows them.
std::vector<MachineFact> MachineFacts(const SystemInfo& info);

// What a report section shows after the caption of each rendering option, for its run count.
struct SettingTexts {
    std::string Antialias;   // "None", "4\xD7", ...
    std::string Anisotropy;  // "8\xD7", ...
    std::string Hdr;         // "level 2" or "disabled"
    std::string Instancing;  // "enabled" or "disabled"
    std::string NormalMaps;  // "enabled" or "disabled"
};
SettingTexts SectionSettingTexts(const BenchSettings& settings, bool oneRun);

// "default model", "model 2.0b" or "model 3.0" for PShader item 0, 1 or 2; empty when no item is selected.
std::string ShaderModelText(int shaderModel);
// "Pixel shader: " and the shader model's text; empty when no item is selected.
std::string ShaderLabel(int shaderModel);

std::vector<std::string> ReportHeaderLines(const ReportHeaderInput& input);
std::vector<std::string> ReportSectionLines(const ReportSectionInput& input);
std::vector<std::string> ReportFootLines();

// The lines as file bytes, every line followed by CR LF.
std::string JoinReport(const std::vector<std::string>& lines);

// The folder the report goes to, with its closing backslash: the Results folder, or Program folder +
// "Benchmark\" when no Results folder is set.
std::string ReportFolder(const std::string& resultsFolder, const std::string& programFolder);
// Results folder + "result_" + stamp + "_.htm", or Program folder + "Benchmark\" + that name when
// no Results folder is set.
std::string ReportFilePath(const std::string& resultsFolder, const std::string& programFolder,
                           const std::string& sequenceStamp);

}  // namespace wmb
