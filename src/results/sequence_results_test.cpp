#include "results/sequence_results.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/slots.h"

namespace wmb {
namespace {

// A timedemo log as the game writes it, one result line every five lines after three lines of preamble.
std::string Log(const std::vector<std::string>& scores) {
    std::string log = "Timedemo log\r\nLevel Pier\r\nDemo 1\r\n";
    for (std::size_t j = 0; j < scores.size(); ++j) {
        log += "TimeDemo Run " + std::to_string(j) + " Finished. Play Time: 30.0s, Average FPS: " + scores[j] + "\r\n";
        if (j + 1 < scores.size()) log += "a\r\nb\r\nc\r\nd\r\n";
    }
    return log + "!TimeDemo Run " + std::to_string(scores.size() - 1) + " Finished.\r\n";
}

struct StatisticsCase {
    std::vector<double> Scores;
    double Mean, Min, Max, StdDev, Cv;
    bool Unstable;
};

TEST(RunStatistics, HandComputedValues) {
    const StatisticsCase cases[] = {
        {{45.3}, 45.3, 45.3, 45.3, 0, 0, false},
        {{99, 100, 101}, 100, 99, 101, 1, 1, false},
        {{97, 100, 103}, 100, 97, 103, 3, 3, false},  // exactly at the threshold: still stable
        {{96.9, 100, 103.1}, 100, 96.9, 103.1, 3.1, 3.1, true},
        {{30, 10, 20}, 20, 10, 30, 10, 50, true},
        {{0, 0}, 0, 0, 0, 0, 0, false},
    };
    for (const StatisticsCase& c : cases) {
        const RunStatistics s = StatisticsOf(c.Scores);
        SCOPED_TRACE(c.Mean);
        EXPECT_DOUBLE_EQ(s.Mean, c.Mean);
        EXPECT_DOUBLE_EQ(s.Min, c.Min);
        EXPECT_DOUBLE_EQ(s.Max, c.Max);
        EXPECT_NEAR(s.StdDev, c.StdDev, 1e-9);
        EXPECT_NEAR(s.CvPercent, c.Cv, 1e-9);
        EXPECT_EQ(s.Unstable, c.Unstable);
    }
}

TEST(SlotResult, ScoresWrittenWithACommaKeepTheirTextAndReadAsNumbers) {
    BenchSettings settings;
    const auto read = ReadRunResults(Log({"44,1", " 45,3", "46,0"}), "2", '.', ',');
    ASSERT_TRUE(read);
    const SlotResult slot = SucceededSlot(2, settings, *read);
    EXPECT_EQ(slot.Resolution, "1024\xD7" "768");
    EXPECT_EQ(slot.Width, 1024);
    EXPECT_EQ(slot.Height, 768);
    ASSERT_EQ(slot.Runs.size(), 3u);
    EXPECT_EQ(slot.Runs[1].Text, "45,3");
    EXPECT_DOUBLE_EQ(slot.Runs[1].Score, 45.3);
    EXPECT_EQ(slot.AverageText, read->Average);
    const RunStatistics s = StatisticsOf(ScoresOf(slot));
    EXPECT_NEAR(s.Mean, 45.133333333333333, 1e-12);
    EXPECT_NEAR(s.StdDev, 0.96090235369330, 1e-12);
    EXPECT_NEAR(s.CvPercent, 2.12903032576064, 1e-11);
}

TEST(SlotResult, OneRunTakesTheReportTextOfItsScoreAsAverage) {
    BenchSettings settings;
    settings.CustomWidth = "1000";
    settings.CustomHeight = "700";
    const auto read = ReadRunResults(Log({"61.5"}), "0", ',', '.');
    ASSERT_TRUE(read);
    const SlotResult slot = SucceededSlot(kCustomSlot, settings, *read);
    EXPECT_EQ(slot.Resolution, "1000\xD7" "700");
    EXPECT_EQ(slot.AverageText, "61,5");
    EXPECT_EQ(slot.Runs[0].Text, "61.5");
    EXPECT_EQ(StatisticsOf(ScoresOf(slot)).StdDev, 0);
}

TEST(SequenceResults, SettingsAsTheReportShowsThem) {
    BenchSettings s;
    s.DetailLevel = 1;
    s.ShaderModel = 1;
    s.AntialiasIndex = 2;
    s.AnisotropyIndex = 5;
    s.HdrEnabled = true;
    s.HdrLevel = "2";
    s.GeometryInstancing = true;
    s.Note = "new driver";
    const ResultSettings r = ResultSettingsFrom(s, 3, "Maximum quality option", "Direct3D", {"Pier\\", "1"});
    EXPECT_EQ(r.Demo, "Pier, 1.tmd");
    EXPECT_EQ(r.ShaderModel, "model 2.0b");
    EXPECT_EQ(r.Antialiasing, "4\xD7");
    EXPECT_EQ(r.Anisotropic, "From System\xD7");
    EXPECT_EQ(r.Hdr, "level 2");
    EXPECT_EQ(r.Instancing, "enabled");
    EXPECT_EQ(r.NormalMaps, "disabled");
    EXPECT_EQ(r.Runs, 3);
    EXPECT_EQ(r.Note, "new driver");
}

// What the game received: a box left empty, or an option a custom configuration file does not get from the
// program, is not set; an empty renderer box puts OpenGL into the preset, and that is what the label says.
TEST(SequenceResults, OptionsTheProgramDidNotSetAreNotSet) {
    const std::optional<std::string> kNotSet;
    const struct {
        const char* name;
        int detail, shader, antialias, anisotropy;
        const char* rendererLabel;
        std::optional<std::string> quality, renderer, shaderModel, antialiasing, anisotropic;
    } cases[] = {
        {"every box chosen", 0, 2, 1, 3, "Direct3D", "Ultra", "Direct3D", "model 3.0", "2\xD7", "8\xD7"},
        {"filters From System", 2, 0, 5, 5, "Direct3D", "Minimum", "Direct3D", "default model", "From System\xD7",
         "From System\xD7"},
        {"antialiasing None", 1, 0, 0, 0, "Direct3D", "Maximum", "Direct3D", "default model", "None", "1\xD7"},
        {"every box empty", 1, -1, -1, -1, "OpenGL", "Maximum", "OpenGL", kNotSet, kNotSet, kNotSet},
        {"index beyond the list", 1, 7, 9, 9, "OpenGL", "Maximum", "OpenGL", kNotSet, kNotSet, kNotSet},
        {"custom configuration file", 3, 1, 2, 4, "Direct3D", "Custom", kNotSet, "model 2.0b", kNotSet, kNotSet},
        {"no detail level", -1, 1, 2, 4, "Direct3D", kNotSet, kNotSet, "model 2.0b", kNotSet, kNotSet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BenchSettings s;
        s.DetailLevel = c.detail;
        s.ShaderModel = c.shader;
        s.AntialiasIndex = c.antialias;
        s.AnisotropyIndex = c.anisotropy;
        const std::string quality = c.quality ? *c.quality : "Maximum";
        const ResultSettings r = ResultSettingsFrom(s, 3, quality, c.rendererLabel, {"Pier\\", "1"});
        EXPECT_EQ(r.Quality, c.quality);
        EXPECT_EQ(r.Renderer, c.renderer);
        EXPECT_EQ(r.ShaderModel, c.shaderModel);
        EXPECT_EQ(r.Antialiasing, c.antialiasing);
        EXPECT_EQ(r.Anisotropic, c.anisotropic);
    }
}

TEST(SequenceResults, DataFilesShareTheReportsStamp) {
    const std::string report = "C:\\Results\\result_05042007150405_.htm";
    EXPECT_EQ(BesideReport(report, ".json"), "C:\\Results\\result_05042007150405_.json");
    EXPECT_EQ(BesideReport(report, "chart.htm"), "C:\\Results\\result_05042007150405_chart.htm");
}

}  // namespace
}  // namespace wmb
