#include "results/svg_bar_chart.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/text.h"
#include "results/number_text.h"

namespace wmb {

namespace {

constexpr double kBarWidth = 36;
constexpr double kBarGap = 6;
constexpr double kGroupGap = 32;
constexpr double kPlotLeft = 76;
constexpr double kPlotTop = 60;
constexpr double kPlotHeight = 320;
constexpr double kRightMargin = 24;
constexpr double kMinPlotWidth = 480;
constexpr double kLegendRowHeight = 22;
constexpr double kCharWidth = 7;  // a rough width of one character of the 12 px legend text
constexpr int kMaxIntervals = 8;
constexpr const char* kFlagColor = "#e8740c";
constexpr const char* kInkColor = "#333333";
constexpr const char* kFlagPatternId = "wmb-chart-flagged";
const char* const kSeriesColors[] = {"#3b6ea5", "#59a14f", "#8c6bb1", "#d4494b",
                                     "#4aa3a0", "#b07aa1", "#9c755f", "#7f7f7f"};

double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

std::string Fixed(double v, int decimals) { return FixedText(Finite(v), decimals); }

std::string Coord(double v) { return Fixed(v, 1); }

const char* SeriesColor(std::size_t series) {
    return kSeriesColors[series % (sizeof kSeriesColors / sizeof kSeriesColors[0])];
}

// Digits after the point the labels of a gridline step need.
int StepDecimals(double step) {
    int decimals = 0;
    while (decimals < 9 && std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    return decimals;
}

double Highest(const BarChart& chart) {
    double highest = 0;
    for (const ChartGroup& group : chart.Groups) {
        for (const ChartBar& bar : group.Bars) {
            if (bar.Missing) continue;
            highest = std::max(highest, Finite(bar.Value));
            for (double mark : bar.Marks) highest = std::max(highest, Finite(mark));
            if (bar.Whisker) highest = std::max({highest, Finite(bar.Whisker->first), Finite(bar.Whisker->second)});
        }
    }
    return highest;
}

struct Frame {
    double Top = 1;
    double PlotWidth = 0;
    double Y(double v) const { return kPlotTop + kPlotHeight - std::clamp(Finite(v), 0.0, Top) / Top * kPlotHeight; }
    double Bottom() const { return kPlotTop + kPlotHeight; }
    double Right() const { return kPlotLeft + PlotWidth; }
};

std::string Text(double x, double y, const std::string& attributes, const std::string& text) {
    return "<text x=\"" + Coord(x) + "\" y=\"" + Coord(y) + "\" " + attributes + ">" + EscapeHtml(text) + "</text>\r\n";
}

std::string Rect(double x, double y, double w, double h, const std::string& attributes) {
    return "<rect x=\"" + Coord(x) + "\" y=\"" + Coord(y) + "\" width=\"" + Coord(w) + "\" height=\"" + Coord(h) +
           "\" " + attributes + "/>\r\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& attributes) {
    return "<line x1=\"" + Coord(x1) + "\" y1=\"" + Coord(y1) + "\" x2=\"" + Coord(x2) + "\" y2=\"" + Coord(y2) +
           "\" " + attributes + "/>\r\n";
}

std::string Axis(const BarChart& chart, const Frame& frame, const ChartScale& scale) {
    std::string out;
    const int decimals = StepDecimals(scale.Step);
    const int intervals = static_cast<int>(std::lround(scale.Top / scale.Step));
    for (int i = 0; i <= intervals; ++i) {
        const double value = i * scale.Step;
        const double y = frame.Y(value);
        out += Line(kPlotLeft, y, frame.Right(), y, i == 0 ? "stroke=\"#555555\"" : "stroke=\"#dddddd\"");
        out += Text(kPlotLeft - 8, y + 4, "text-anchor=\"end\" fill=\"#555555\"", Fixed(value, decimals));
    }
    const double middle = kPlotTop + kPlotHeight / 2;
    out += "<text transform=\"translate(18 " + Coord(middle) + ") rotate(-90)\" text-anchor=\"middle\" fill=\"" +
           std::string(kInkColor) + "\">" + EscapeHtml(chart.ValueAxisLabel) + "</text>\r\n";
    return out;
}

std::string Bar(const BarChart& chart, const ChartBar& bar, std::size_t series, double x, const Frame& frame) {
    const double center = x + kBarWidth / 2;
    if (bar.Missing) {
        // Written upwards from the axis, so that a long label stays in the bar's place.
        return "<text transform=\"translate(" + Coord(center + 4) + " " + Coord(frame.Bottom() - 6) +
               ") rotate(-90)\" fill=\"#888888\" font-style=\"italic\">" + EscapeHtml(chart.MissingLabel) + "</text>\r\n";
    }
    std::string out;
    const double top = frame.Y(bar.Value);
    const double height = frame.Bottom() - top;
    out += Rect(x, top, kBarWidth, height, "fill=\"" + std::string(SeriesColor(series)) + "\"");
    if (bar.Flagged) {
        out += Rect(x, top, kBarWidth, height,
                    "fill=\"url(#" + std::string(kFlagPatternId) + ")\" stroke=\"" + kFlagColor + "\" stroke-width=\"2\"");
    }
    double labelAbove = top;
    if (bar.Whisker) {
        const double low = frame.Y(bar.Whisker->first);
        const double high = frame.Y(bar.Whisker->second);
        // A white edge under the dark line keeps the whisker visible on a dark bar.
        const std::string ink = "stroke=\"" + std::string(kInkColor) + "\" stroke-width=\"1.5\"";
        for (const std::string& stroke : {std::string("stroke=\"#ffffff\" stroke-width=\"4\""), ink}) {
            out += Line(center, low, center, high, stroke);
            out += Line(center - 6, low, center + 6, low, stroke);
            out += Line(center - 6, high, center + 6, high, stroke);
        }
        labelAbove = std::min({labelAbove, low, high});
    }
    for (double mark : bar.Marks) {
        const double y = frame.Y(mark);
        out += "<circle cx=\"" + Coord(center) + "\" cy=\"" + Coord(y) + "\" r=\"3\" fill=\"#ffffff\" stroke=\"" +
               kInkColor + "\" stroke-width=\"1.2\"/>\r\n";
        labelAbove = std::min(labelAbove, y - 3);
    }
    out += Text(center, labelAbove - 6, "text-anchor=\"middle\" fill=\"" + std::string(kInkColor) + "\"",
                Fixed(bar.Value, chart.Decimals));
    return out;
}

struct LegendEntry {
    std::string Swatch;  // fill attribute(s) of the swatch
    std::string Label;
};

// The legend's entries laid out left to right, wrapped at the chart's width; returns the height used.
double Legend(const std::vector<LegendEntry>& entries, double top, double width, std::string& out) {
    double x = kPlotLeft;
    double y = top;
    for (const LegendEntry& entry : entries) {
        const double entryWidth = 14 + 6 + kCharWidth * static_cast<double>(entry.Label.size()) + 20;
        if (x > kPlotLeft && x + entryWidth > width - kRightMargin) {
            x = kPlotLeft;
            y += kLegendRowHeight;
        }
        out += Rect(x, y, 14, 14, entry.Swatch);
        out += Text(x + 20, y + 11, "fill=\"" + std::string(kInkColor) + "\"", entry.Label);
        x += entryWidth;
    }
    return entries.empty() ? 0 : y - top + kLegendRowHeight;
}

}  // namespace

ChartScale ChartScaleFor(double highest) {
    if (!(highest > 0) || !std::isfinite(highest)) return {};
    double magnitude = std::pow(10.0, std::floor(std::log10(highest / kMaxIntervals)));
    for (;; magnitude *= 10) {
        for (double mantissa : {1.0, 2.0, 5.0}) {
            const double step = mantissa * magnitude;
            const double intervals = std::ceil(highest / step - 1e-9);
            if (!std::isfinite(intervals * step)) return {highest, highest};  // near the largest double: one interval
            if (intervals <= kMaxIntervals) return {intervals * step, step};
        }
    }
}

std::string BarChartSvg(const BarChart& chart) {
    std::size_t barsPerGroup = chart.SeriesNames.size();
    for (const ChartGroup& group : chart.Groups) barsPerGroup = std::max(barsPerGroup, group.Bars.size());
    barsPerGroup = std::max<std::size_t>(barsPerGroup, 1);
    const double groupBarsWidth = static_cast<double>(barsPerGroup) * kBarWidth + static_cast<double>(barsPerGroup - 1) * kBarGap;
    const double groups = static_cast<double>(std::max<std::size_t>(chart.Groups.size(), 1));

    const ChartScale scale = ChartScaleFor(Highest(chart));
    Frame frame;
    frame.Top = scale.Top;
    frame.PlotWidth = std::max(kMinPlotWidth, groups * (groupBarsWidth + kGroupGap));
    const double width = frame.Right() + kRightMargin;

    std::vector<LegendEntry> legend;
    for (std::size_t s = 0; s < chart.SeriesNames.size(); ++s)
        legend.push_back({"fill=\"" + std::string(SeriesColor(s)) + "\"", chart.SeriesNames[s]});
    if (!chart.FlaggedLegend.empty()) {
        legend.push_back({"fill=\"url(#" + std::string(kFlagPatternId) + ")\" stroke=\"" + kFlagColor + "\" stroke-width=\"2\"",
                          chart.FlaggedLegend});
    }

    std::string body;
    body += Text(width / 2, 28, "text-anchor=\"middle\" font-size=\"16\" font-weight=\"bold\" fill=\"" +
                                    std::string(kInkColor) + "\"", chart.Title);
    body += Axis(chart, frame, scale);
    const double groupSpan = frame.PlotWidth / groups;
    for (std::size_t g = 0; g < chart.Groups.size(); ++g) {
        const ChartGroup& group = chart.Groups[g];
        const double groupCenter = kPlotLeft + groupSpan * (static_cast<double>(g) + 0.5);
        const double first = groupCenter - groupBarsWidth / 2;
        for (std::size_t b = 0; b < group.Bars.size(); ++b)
            body += Bar(chart, group.Bars[b], b, first + static_cast<double>(b) * (kBarWidth + kBarGap), frame);
        body += Text(groupCenter, frame.Bottom() + 20, "text-anchor=\"middle\" fill=\"" + std::string(kInkColor) + "\"",
                     group.Label);
    }
    const double legendTop = frame.Bottom() + 40;
    std::string legendMarkup;
    const double legendHeight = Legend(legend, legendTop, width, legendMarkup);
    body += legendMarkup;
    const double height = legendTop + legendHeight + 8;

    const std::string w = Coord(width);
    const std::string h = Coord(height);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " +
           h + "\" role=\"img\" font-family=\"Segoe UI, Tahoma, Arial, sans-serif\" font-size=\"12\">\r\n" +
           "<title>" + EscapeHtml(chart.Title) + "</title>\r\n" +
           "<defs><pattern id=\"" + kFlagPatternId +
           "\" width=\"6\" height=\"6\" patternUnits=\"userSpaceOnUse\" patternTransform=\"rotate(45)\">"
           "<rect width=\"6\" height=\"6\" fill=\"#ffffff\" fill-opacity=\"0.35\"/>"
           "<line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"6\" stroke=\"" + kFlagColor + "\" stroke-width=\"3\"/></pattern></defs>\r\n" +
           body + "</svg>\r\n";
}

}  // namespace wmb
