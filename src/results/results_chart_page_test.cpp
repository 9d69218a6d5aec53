#include "results/results_chart_page.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

SlotResult Slot(const char* resolution, std::vector<double> scores) {
    SlotResult slot;
    slot.Resolution = resolution;
    for (double score : scores) slot.Runs.push_back({NumberText(score), score});
    return slot;
}

SequenceResults Sequence() {
    SequenceResults r;
    r.Started = "05.04.2007 <15:04>";
    r.Settings.Note = "driver \"A&B\"";
    r.Settings.Renderer = "Direct3D";
    r.Settings.Hdr = "level 2";
    r.Settings.Demo = "Pier, 1.tmd";
    r.Settings.Runs = 3;
    r.Machine = {{"Graphics card", "RADEON <X800>"}};
    SlotResult failed = Slot("800\xD7" "600", {});
    failed.Failure = SlotFailure::NoLog;
    r.Slots = {Slot("640\xD7" "480", {99, 100, 101}), failed, Slot("1024\xD7" "768", {10, 20, 30}),
               Slot("1280\xD7" "1024", {45.3})};
    return r;
}

TEST(ResultsChart, OneBarPerSlotWithRunsWhiskersAndFlags) {
    const BarChart chart = ResultsChart(Sequence());
    ASSERT_EQ(chart.Groups.size(), 4u);
    const ChartBar& steady = chart.Groups[0].Bars.at(0);
    EXPECT_EQ(chart.Groups[0].Label, "640\xD7" "480");
    EXPECT_DOUBLE_EQ(steady.Value, 100);
    EXPECT_EQ(steady.Marks, (std::vector<double>{99, 100, 101}));
    EXPECT_EQ(steady.Whisker, std::make_pair(99.0, 101.0));
    EXPECT_FALSE(steady.Flagged);
    EXPECT_TRUE(chart.Groups[1].Bars.at(0).Missing);
    EXPECT_TRUE(chart.Groups[2].Bars.at(0).Flagged);
    EXPECT_FALSE(chart.Groups[3].Bars.at(0).Whisker);
    EXPECT_NE(chart.FlaggedLegend.find("3 %"), std::string::npos);

    SequenceResults calm = Sequence();
    calm.Slots.erase(calm.Slots.begin() + 2);
    EXPECT_EQ(ResultsChart(calm).FlaggedLegend, "");
}

// With repeats on, the line of a bar is the 95 % interval of its average and the legend says so.
TEST(ResultsChart, RepeatsDrawTheIntervalOfTheAverage) {
    SequenceResults r = Sequence();
    r.Repeat = RepeatSettings{3, 2};
    const BarChart chart = ResultsChart(r);
    ASSERT_EQ(chart.SeriesNames.size(), 1u);
    EXPECT_NE(chart.SeriesNames[0].find("line: 95 % interval of the average"), std::string::npos);
    // 99, 100, 101: mean 100 +- t(0.975, 2) 4.3027 * 1 / sqrt(3) = 2.484.
    const auto steady = chart.Groups[0].Bars.at(0).Whisker;
    ASSERT_TRUE(steady);
    EXPECT_NEAR(steady->first, 97.516, 1e-3);
    EXPECT_NEAR(steady->second, 102.484, 1e-3);
    EXPECT_FALSE(chart.Groups[3].Bars.at(0).Whisker);  // one run: no interval
    EXPECT_NE(ResultsChart(Sequence()).SeriesNames[0].find("line: lowest to highest"), std::string::npos);
}

TEST(ResultsChartPage, RepeatsAddALaunchesColumnAndTheirSetting) {
    SequenceResults r = Sequence();
    r.Repeat = RepeatSettings{5, 2};
    r.Slots[0].Repeats = SlotRepeats{1, true, 5, 3};
    r.Slots[2].Repeats = SlotRepeats{3, false, 5, 3};
    const std::string page = ResultsChartPage(r);
    EXPECT_NE(page.find("3 runs per resolution, launched again while they vary more than 5 % (at most 2 more times)"),
              std::string::npos);
    EXPECT_NE(page.find("<th>Spread</th><th>Launches</th></tr>"), std::string::npos);
    EXPECT_NE(page.find("<td>stable</td><td>1, stable</td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"unstable\">3, still varies</td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<td colspan=\"8\" class=\"failed\">failed: no log</td>"), std::string::npos);
    EXPECT_EQ(ResultsChartPage(Sequence()).find("Launches"), std::string::npos);
}

TEST(ResultsChartPage, SelfContainedEscapedAnsiPage) {
    const std::string page = ResultsChartPage(Sequence());
    EXPECT_NE(page.find("charset=iso-8859-1"), std::string::npos);
    EXPECT_NE(page.find("<svg"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("<h1>Wildmere Benchmark of 05.04.2007 &lt;15:04&gt;</h1>"), std::string::npos);
    EXPECT_NE(page.find("<p class=\"settings\">Direct3D renderer, HDR level 2; demo Pier, 1.tmd; 3 runs per "
                        "resolution; comment: driver &quot;A&amp;B&quot;</p>"),
              std::string::npos);
    EXPECT_NE(page.find("RADEON &lt;X800&gt;"), std::string::npos);
    EXPECT_NE(page.find("failed: no log"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"unstable\">unstable</td>"), std::string::npos);
    for (std::size_t i = page.find('\n'); i != std::string::npos; i = page.find('\n', i + 1)) {
        ASSERT_EQ(page[i - 1], '\r') << i;
    }
}

}  // namespace
}  // namespace wmb
