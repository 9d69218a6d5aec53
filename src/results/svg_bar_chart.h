#pragma once
// Bar charts drawn as an inline SVG element, for the pages written beside the report and by the
// comparison tool.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wmb {

struct ChartBar {
    double Value = 0;
    std::vector<double> Marks;                         // drawn as small dots on the bar (each run's score)
    std::optional<std::pair<double, double>> Whisker;  // min-max line with caps
    bool Flagged = false;                              // hatched in orange, with the chart's flagged legend entry
    bool Missing = false;                              // no value: no bar, the chart's MissingLabel in its place
};

struct ChartGroup {
    std::string Label;
    std::vector<ChartBar> Bars;  // one bar per series
};

struct BarChart {
    std::string Title;
    std::string ValueAxisLabel;           // e.g. "Frames per second"
    std::vector<std::string> SeriesNames;  // legend; one entry per bar of each group
    std::vector<ChartGroup> Groups;        // e.g. one group per resolution
    std::string FlaggedLegend;             // legend text for flagged bars ("" = no entry)
    std::string MissingLabel = "n/a";      // printed where a bar is missing
    int Decimals = 1;                      // digits after the point of the values printed above the bars
};

// An inline <svg ...>...</svg> element (no script, nothing from the network) with a value axis from 0 to a
// rounded maximum covering every value, mark and whisker, gridlines, group labels, the value printed above
// each bar, and a legend, in lines ending in CR LF. Every text goes through EscapeHtml (base/text.h).
std::string BarChartSvg(const BarChart& chart);

// The top of the value axis and the distance between its gridlines: a step of 1, 2 or 5 times a power of
// ten giving at most about eight intervals, and the smallest multiple of it that is at least `highest`.
struct ChartScale {
    double Top = 1;
    double Step = 0.2;
};
ChartScale ChartScaleFor(double highest);

}  // namespace wmb
