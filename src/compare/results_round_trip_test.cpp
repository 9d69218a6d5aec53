#include <gtest/gtest.h>

#include "compare/json_reader.h"
#include "compare/results_file.h"
#include "results/results_json.h"
#include "support/sequence_results_sample.h"
#include "support/windows1252.h"

namespace wmb {
namespace {

// What the program writes is what the comparison tool reads (texts come back as UTF-8).
TEST(ResultsJson, ReadsBackToTheSameTextsAndNumbers) {
    SequenceResults r = test::TwoSlots();
    r.Slots[0].Runs = {{"0.1", 0.1}, {"77.81", 77.81}, {"1e+20", 1e20}};
    const std::string json = ResultsJson(r, test::Windows1252ToUtf16);
    const ResultsRead read = ReadResultsFile(json);
    ASSERT_TRUE(read.File) << read.Error;
    EXPECT_EQ(read.File->Machine[0].second, "Intel\xC2\xAE Core \"Duo\"");
    EXPECT_EQ(read.File->Slots[0].Resolution, "1024\xC3\x97" "768");
    EXPECT_EQ(read.File->Slots[0].Scores, (std::vector<double>{0.1, 77.81, 1e20}));
    EXPECT_TRUE(read.File->Slots[0].Unstable);
    EXPECT_EQ(read.File->Slots[1].Failure, "no finish line");
    const auto parsed = ParseJson(json);
    ASSERT_TRUE(parsed.Value);
    const double cv = *parsed.Value->Member("slots")->Array()->at(0).Member("cv")->Number();
    EXPECT_EQ(cv, StatisticsOf(ScoresOf(r.Slots[0])).CvPercent);
    EXPECT_FALSE(ReadResultsFile(json.substr(0, 200)).File);
}

// The launches of a repeated slot come back; a file without them (repeats off, or an older file) has none.
TEST(ResultsJson, LaunchesAndStabilityReadBackOnlyWhenWritten) {
    SequenceResults r = test::TwoSlots();
    ResultsRead read = ReadResultsFile(ResultsJson(r, test::Windows1252ToUtf16));
    ASSERT_TRUE(read.File) << read.Error;
    EXPECT_FALSE(read.File->Slots[0].Launches);
    EXPECT_FALSE(read.File->Slots[0].Stable);

    r.Repeat = RepeatSettings{4, 3};
    r.Slots[0].Repeats = SlotRepeats{3, false, 4, 1};
    read = ReadResultsFile(ResultsJson(r, test::Windows1252ToUtf16));
    ASSERT_TRUE(read.File) << read.Error;
    EXPECT_EQ(read.File->Slots[0].Launches, 3);
    EXPECT_EQ(read.File->Slots[0].Stable, false);
    EXPECT_EQ(read.File->Slots[0].Scores, (std::vector<double>{40.5, 49.5}));
    EXPECT_EQ(read.File->Settings.back(), (NamedText{"Most extra launches", "3"}));

    std::string bad = ResultsJson(r, test::Windows1252ToUtf16);
    bad.replace(bad.find("\"stable\": false"), 15, "\"stable\": 1");
    EXPECT_EQ(ReadResultsFile(bad).Error, "\"stable\" is not true or false in slot entry 1");
}

// A file written before settings could be null: an empty box was "" or, for the filters, a bare sign.
TEST(ResultsJson, OlderFilesReadTheirEmptyBoxesAsNotSet) {
    SequenceResults r = test::TwoSlots();
    r.Settings.ShaderModel = "";
    r.Settings.Antialiasing = "\xD7";
    r.Settings.Anisotropic = "16\xD7";
    r.Settings.Renderer = "OpenGL";
    r.Settings.Note = "";
    const ResultsRead read = ReadResultsFile(ResultsJson(r, test::Windows1252ToUtf16));
    ASSERT_TRUE(read.File) << read.Error;
    const auto value = [&](const std::string& label) {
        for (const auto& [name, text] : read.File->Settings) {
            if (name == label) return text;
        }
        return std::string("(missing)");
    };
    EXPECT_EQ(value("Shader model"), kNotSetText);
    EXPECT_EQ(value("Antialiasing"), kNotSetText);
    EXPECT_EQ(value("Anisotropic filtering"), "16\xC3\x97");
    EXPECT_EQ(value("Renderer"), "OpenGL");
    EXPECT_EQ(value("Note"), "");
}

// Options the program did not set for the game are null, and the comparison tool reads them back as not set.
TEST(ResultsJson, SettingsNotSetAreNull) {
    SequenceResults r = test::TwoSlots();
    r.Settings.Renderer.reset();
    r.Settings.ShaderModel.reset();
    r.Settings.Antialiasing.reset();
    r.Settings.Anisotropic = "From System";
    const std::string json = ResultsJson(r, test::Windows1252ToUtf16);
    for (const char* line : {"\"renderer\": null,\r\n", "\"shaderModel\": null,\r\n", "\"antialiasing\": null,\r\n",
                             "\"anisotropic\": \"From System\",\r\n", "\"quality\": \"Maximum quality option\",\r\n"}) {
        EXPECT_NE(json.find(line), std::string::npos) << line;
    }
    const ResultsRead read = ReadResultsFile(json);
    ASSERT_TRUE(read.File) << read.Error;
    const std::vector<NamedText> expected = {
        {"Demo", "Pier, 1.tmd"}, {"Quality", "Maximum quality option"}, {"Renderer", kNotSetText},
        {"Shader model", kNotSetText}, {"Antialiasing", kNotSetText}, {"Anisotropic filtering", "From System"},
        {"HDR", "disabled"}, {"Instancing", "enabled"}, {"Normal maps", "disabled"}, {"Runs", "2"},
        {"Note", "C:\\drivers\\new \xE2\x82\xAC"}};
    EXPECT_EQ(read.File->Settings, expected);
}

}  // namespace
}  // namespace wmb
