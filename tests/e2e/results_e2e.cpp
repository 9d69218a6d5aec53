// The data files written beside a saved report: the results as JSON and CSV and the chart page.

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "e2e/bench_fixture.h"
#include "platform/win32/version_reader.h"
#include "compare/json_reader.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

// The frame-rate texts of a timedemo log, one per run: after the first comma of the result line, then
// after the first colon, without the blanks around.
std::vector<std::string> ScoreTexts(const std::string& log, int runs) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < log.size();) {
        std::size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        lines.push_back(log.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::string> scores;
    for (int run = 1; run <= runs; ++run) {
        const std::size_t index = 3 + 5 * static_cast<std::size_t>(run - 1);
        if (index >= lines.size()) return {};
        std::string score = lines[index];
        score = score.substr(score.find(',') + 1);
        score = score.substr(score.find(':') + 1);
        score.erase(0, score.find_first_not_of(' '));
        score.erase(score.find_last_not_of(' ') + 1);
        scores.push_back(score);
    }
    return scores;
}

class ResultsE2E : public BenchTest {};

TEST_F(ResultsE2E, ThreeSlotsWithAFailedOneGiveTheDataFilesBesideTheReport) {
    PointAtGame();
    // The second start ends before its last run: that slot fails, the others succeed.
    WriteAll(game_ + "wildmere-test.ini", "keep_logs=1\r\n[launch 2]\r\nquit_early=1\r\n");
    StartProgram();
    ChooseTypicalSettings("3");
    for (int slot : {0, 1, 2}) CheckResolution(slot);
    RunBenchmark(kSuccessStatus);
    CloseProgram();

    const std::string folder = game_ + "Benchmark\\";
    const auto reports = ReportsIn(folder);
    ASSERT_EQ(reports.size(), 1u);
    const std::string base = folder + reports[0].substr(0, reports[0].size() - 4);
    EXPECT_EQ(FilesIn(folder).size(), 4u);

    const std::string jsonText = ReadAll(base + ".json");
    const JsonParse parsed = ParseJson(jsonText);
    ASSERT_TRUE(parsed.Value) << parsed.Error.Text() << "\n" << jsonText;
    const JsonValue& json = *parsed.Value;
    const auto text = [](const JsonValue& object, const char* name) {
        const JsonValue* member = object.Member(name);
        return member && member->String() ? *member->String() : std::string("(none)");
    };
    const auto number = [](const JsonValue& object, const char* name) {
        const JsonValue* member = object.Member(name);
        return member && member->Number() ? *member->Number() : -1.0;
    };
    EXPECT_EQ(text(json, "version"), ReadFileVersionString(program_ + "WildmereBench.exe"));
    EXPECT_EQ(number(*json.Member("settings"), "runs"), 3);
    // The typical settings leave the filter and shader boxes empty: the game got none of them from the
    // program; the empty renderer box wrote OpenGL into the preset.
    for (const char* unset : {"antialiasing", "anisotropic", "shaderModel"}) {
        const JsonValue* member = json.Member("settings")->Member(unset);
        EXPECT_TRUE(member && member->IsNull()) << unset;
    }
    EXPECT_EQ(text(*json.Member("settings"), "renderer"), "OpenGL");
    ASSERT_TRUE(json.Member("slots") && json.Member("slots")->Array());
    const JsonArray& slots = *json.Member("slots")->Array();
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_EQ(text(slots[1], "resolution"), "800\xC3\x97" "600");
    EXPECT_EQ(text(slots[1], "status"), "failed");
    EXPECT_EQ(text(slots[1], "failure"), "no finish line");

    // Each CSV row: its text up to the score, and the score.
    std::vector<std::pair<std::string, double>> rows;
    for (std::size_t k : {0u, 2u}) {
        SCOPED_TRACE(k);
        const JsonValue& slot = slots[k];
        EXPECT_EQ(number(slot, "slot"), static_cast<double>(k));
        EXPECT_EQ(text(slot, "status"), "ok");
        const auto expected = ScoreTexts(ReadAll(game_ + "wildmere-log-" + std::to_string(k + 1) + ".txt"), 3);
        ASSERT_TRUE(slot.Member("runs") && slot.Member("runs")->Array());
        const JsonArray& runs = *slot.Member("runs")->Array();
        ASSERT_EQ(expected.size(), 3u);
        ASSERT_EQ(runs.size(), 3u);
        const std::string resolution = k == 0 ? "640x480" : "1024x768";
        for (std::size_t j = 0; j < runs.size(); ++j) {
            EXPECT_EQ(text(runs[j], "text"), expected[j]);
            EXPECT_EQ(number(runs[j], "score"), std::strtod(expected[j].c_str(), nullptr));
            rows.push_back({std::to_string(k) + "," + resolution + "," + std::to_string(j + 1) + ",",
                            number(runs[j], "score")});
        }
    }

    const auto csv = LinesOf(base + ".csv");
    ASSERT_EQ(csv.size(), rows.size() + 1);
    EXPECT_EQ(csv[0], "slot,resolution,run,score,width,height");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& [start, score] = rows[i];
        ASSERT_EQ(csv[i + 1].rfind(start, 0), 0u) << csv[i + 1];
        EXPECT_EQ(std::strtod(csv[i + 1].c_str() + start.size(), nullptr), score) << csv[i + 1];
        const std::string size = start.find("640x480") != std::string::npos ? ",640,480" : ",1024,768";
        EXPECT_TRUE(csv[i + 1].ends_with(size)) << csv[i + 1];
    }
    EXPECT_NE(ReadAll(base + "chart.htm").find("<svg"), std::string::npos);
}

// Two sequences with different presets, then the comparison tool shipped beside the program on their two
// results files: the page names both and gives each resolution's difference against the first.
TEST_F(ResultsE2E, TheComparisonToolComparesTwoSequencesWithDifferentPresets) {
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("2");
    for (int slot : {0, 1}) CheckResolution(slot);
    RunBenchmark(kSuccessStatus);
    Click(Ctl(IDC_DETAIL0 + 2));
    RunBenchmark(kSuccessStatus);
    CloseProgram();

    const std::string folder = game_ + "Benchmark\\";
    const auto reports = ReportsIn(folder);
    ASSERT_EQ(reports.size(), 2u);
    std::vector<std::string> inputs;
    std::vector<std::vector<double>> averages;
    for (const std::string& report : reports) {
        inputs.push_back(report.substr(0, report.size() - 4) + ".json");
        const JsonParse parsed = ParseJson(ReadAll(folder + inputs.back()));
        ASSERT_TRUE(parsed.Value) << parsed.Error.Text();
        averages.emplace_back();
        for (const JsonValue& slot : *parsed.Value->Member("slots")->Array())
            averages.back().push_back(*slot.Member("average")->Number());
    }
    ASSERT_EQ(averages[0].size(), 2u);
    ASSERT_EQ(averages[1].size(), 2u);

    const std::string page = program_ + "compared.htm";
    RunningProgram tool(program_ + "WildmereCompare.exe",
                        "\"" + folder + inputs[0] + "\" \"" + folder + inputs[1] + "\" -o \"" + page + "\"", folder);
    ASSERT_TRUE(tool.WaitForExit(30000));
    EXPECT_EQ(tool.ExitCode(), 0u);
    const std::string html = ReadAll(page);
    for (const std::string& input : inputs) EXPECT_NE(html.find(input), std::string::npos) << input;
    // Filters the program did not set read as an en dash in both columns.
    EXPECT_NE(html.find("<th>Antialiasing</th><td>\xE2\x80\x93</td><td>\xE2\x80\x93</td>"), std::string::npos);
    for (std::size_t k = 0; k < 2; ++k) {
        char expected[32];
        std::snprintf(expected, sizeof expected, ">%+.1f %%</td>", (averages[1][k] - averages[0][k]) / averages[0][k] * 100);
        EXPECT_NE(html.find(expected), std::string::npos) << expected;
    }
}

// The same two resolutions benchmarked with repeats off, then on, while the game's runs at 800 wide vary by
// 20 % either way: off, each resolution is launched once; on, 800 wide goes again twice more (the set most)
// with the same command line, and its data file entry holds the runs of all three launches.
TEST_F(ResultsE2E, AResolutionWhoseRunsVaryIsLaunchedAgainOnlyWithRepeatsOn) {
    PointAtGame();
    WriteAll(game_ + "wildmere-test.ini", "spread=20\r\nspread_width=800\r\n");
    StartProgram();
    ChooseTypicalSettings("3");
    for (int slot : {0, 1}) CheckResolution(slot);
    RunBenchmark(kSuccessStatus);
    const std::vector<std::string> off = Launches();
    ASSERT_EQ(off.size(), 2u);

    ShowPage(5);
    SetCheck(Ctl(IDC_REPEATBOX), true);
    TypeText(Ctl(IDC_REPEATLIMITEDIT), "3");
    TypeText(Ctl(IDC_REPEATMOSTEDIT), "2");
    RunBenchmark(kSuccessStatus);
    CloseProgram();
    EXPECT_EQ(Setting("Repeat"), "1");
    EXPECT_EQ(Setting("RepeatMost"), "2");

    const std::vector<std::string> all = Launches();
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[2], off[0]);
    for (std::size_t i : {3u, 4u, 5u}) EXPECT_EQ(all[i], off[1]) << i;

    const std::string folder = game_ + "Benchmark\\";
    const auto reports = ReportsIn(folder);
    ASSERT_EQ(reports.size(), 2u);
    std::vector<JsonParse> files;
    for (const std::string& report : reports) {
        files.push_back(ParseJson(ReadAll(folder + report.substr(0, report.size() - 4) + ".json")));
        ASSERT_TRUE(files.back().Value) << files.back().Error.Text();
    }
    // The sequence with repeats on is the one whose settings name them.
    if (files[0].Value->Member("settings")->Member("repeatLimit")) std::swap(files[0], files[1]);
    const JsonArray& before = *files[0].Value->Member("slots")->Array();
    const JsonArray& after = *files[1].Value->Member("slots")->Array();
    ASSERT_EQ(before.size(), 2u);
    ASSERT_EQ(after.size(), 2u);
    for (const JsonValue& slot : before) {
        EXPECT_FALSE(slot.Member("launches"));
        EXPECT_EQ(slot.Member("runs")->Array()->size(), 3u);
    }
    EXPECT_FALSE(files[0].Value->Member("settings")->Member("repeatLimit"));
    EXPECT_EQ(*files[1].Value->Member("settings")->Member("repeatMost")->Number(), 2);

    EXPECT_EQ(*after[0].Member("launches")->Number(), 1);
    EXPECT_TRUE(*after[0].Member("stable")->Bool());
    EXPECT_EQ(*after[1].Member("launches")->Number(), 3);
    EXPECT_FALSE(*after[1].Member("stable")->Bool());
    const JsonArray& runs = *after[1].Member("runs")->Array();
    ASSERT_EQ(runs.size(), 9u);
    for (std::size_t j = 0; j < runs.size(); ++j) {
        EXPECT_EQ(*runs[j].Member("launch")->Number(), static_cast<double>(j / 3 + 1)) << j;
    }
    // Each launch of the same command line gives the same runs: the game's files stayed as they were.
    const auto score = [&](std::size_t j) { return *runs[j].Member("score")->Number(); };
    for (std::size_t j = 0; j < 3; ++j) {
        EXPECT_EQ(score(j), score(j + 3)) << j;
        EXPECT_EQ(score(j), score(j + 6)) << j;
    }
}

}  // namespace
}  // namespace wmb::e2e
