#include "results/svg_bar_chart.h"

#include <gtest/gtest.h>

#include <regex>

namespace wmb {

namespace {

// The heights of the bars (filled with a series colour, not the flagged overlay), in document order.
std::vector<double> BarHeights(const std::string& svg) {
    std::vector<double> heights;
    const std::regex bar(R"re(<rect x="[^"]+" y="[^"]+" width="36\.0" height="([^"]+)" fill="#)re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), bar); it != std::sregex_iterator(); ++it)
        heights.push_back(std::stod((*it)[1]));
    return heights;
}

ChartBar Bar(double value) {
    ChartBar bar;
    bar.Value = value;
    return bar;
}

BarChart TwoSeries() {
    BarChart chart;
    chart.Title = "Averages";
    chart.ValueAxisLabel = "Frames per second";
    chart.SeriesNames = {"A", "B"};
    chart.Groups = {{"800x600", {Bar(40), Bar(20)}}, {"1024x768", {Bar(10), Bar(30)}}};
    return chart;
}

}  // namespace

TEST(ChartScale, RoundsTheHighestValueUpToAStepOfOneTwoOrFive) {
    struct Case { double Highest, Top, Step; };
    for (const Case& c : {Case{45.3, 50, 10}, Case{40, 40, 5}, Case{7, 7, 1}, Case{0.33, 0.35, 0.05},
                          Case{1234, 1400, 200}, Case{0, 1, 0.2}}) {
        const ChartScale scale = ChartScaleFor(c.Highest);
        EXPECT_NEAR(scale.Top, c.Top, 1e-9) << c.Highest;
        EXPECT_NEAR(scale.Step, c.Step, 1e-9) << c.Highest;
    }
}

TEST(BarChartSvg, BarHeightsAreProportionalToTheValuesOnAnAxisFromZero) {
    const std::string svg = BarChartSvg(TwoSeries());
    // The axis runs from 0 to 40 over 320 px.
    const std::vector<double> expected = {320, 160, 80, 240};
    EXPECT_EQ(BarHeights(svg), expected);
    EXPECT_NE(svg.find(">40.0</text>"), std::string::npos);
    EXPECT_NE(svg.find(">1024x768</text>"), std::string::npos);
}

TEST(BarChartSvg, WhiskersAndMarksWidenTheAxisAndAMissingBarShowsItsLabel) {
    BarChart chart = TwoSeries();
    chart.Groups[0].Bars[0].Whisker = std::pair(35.0, 70.0);
    chart.Groups[0].Bars[1].Marks = {18, 22};
    chart.Groups[1].Bars[0].Missing = true;
    chart.MissingLabel = "failed";
    const std::string svg = BarChartSvg(chart);
    // The axis now runs to 70: 40 -> 182.9 px.
    ASSERT_EQ(BarHeights(svg).size(), 3u);
    EXPECT_NEAR(BarHeights(svg)[0], 40.0 / 70 * 320, 0.06);
    EXPECT_NE(svg.find(">failed</text>"), std::string::npos);
    EXPECT_NE(svg.find("<circle"), std::string::npos);
}

TEST(BarChartSvg, EveryTextIsEscapedAndNothingIsScripted) {
    BarChart chart = TwoSeries();
    chart.Title = "<script>alert(1)</script>";
    chart.ValueAxisLabel = "fps & \"more\"";
    chart.SeriesNames = {"<b>A</b>", "B & C"};
    chart.Groups[0].Label = "<img src=x>";
    chart.Groups[0].Bars[0].Flagged = true;
    chart.FlaggedLegend = "CV > 3 %";
    const std::string svg = BarChartSvg(chart);
    EXPECT_EQ(svg.find("<script"), std::string::npos);
    EXPECT_EQ(svg.find("<b>"), std::string::npos);
    EXPECT_EQ(svg.find("<img"), std::string::npos);
    for (const char* escaped : {"&lt;script&gt;", "fps &amp; &quot;more&quot;", "&lt;b&gt;A&lt;/b&gt;", "B &amp; C",
                                "&lt;img src=x&gt;", "CV &gt; 3 %"})
        EXPECT_NE(svg.find(escaped), std::string::npos) << escaped;
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
}

}  // namespace wmb
