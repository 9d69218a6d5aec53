#include "compare/comparison.h"

#include <algorithm>
#include <tuple>

#include "base/text.h"
#include "results/number_text.h"
#include "results/statistics.h"
#include "results/svg_bar_chart.h"

namespace wmb {

namespace {

bool SameSize(const ResultsSlot& a, const ResultsSlot& b) { return a.Width == b.Width && a.Height == b.Height; }

const ResultsSlot* SlotOfSize(const ResultsFile& file, const ResultsSlot& like) {
    for (const ResultsSlot& slot : file.Slots)
        if (SameSize(slot, like)) return &slot;
    return nullptr;
}

// True when every successful slot of `from` has a slot of its size in `in`.
bool ResultsHeldBy(const ResultsFile& from, const ResultsFile& in) {
    return std::all_of(from.Slots.begin(), from.Slots.end(),
                       [&](const ResultsSlot& slot) { return !slot.Ok || SlotOfSize(in, slot); });
}

std::string ResolutionList(const ResultsFile& file) {
    std::string list;
    for (const ResultsSlot& slot : file.Slots) list += (list.empty() ? "" : ", ") + slot.Resolution;
    return list.empty() ? "none" : list;
}

std::string Cell(const std::string& tag, const std::string& text, const std::string& attributes = "") {
    return "<" + tag + (attributes.empty() ? "" : " " + attributes) + ">" + EscapeHtml(text) + "</" + tag + ">";
}

// The rows of name/value texts of every input, names in the order they first appear.
std::vector<std::string> SideBySide(const std::vector<ComparedInput>& inputs,
                                    std::vector<NamedText> ResultsFile::*texts, const std::string& heading) {
    std::vector<std::string> names;
    for (const ComparedInput& input : inputs)
        for (const NamedText& text : input.File.*texts)
            if (std::find(names.begin(), names.end(), text.first) == names.end()) names.push_back(text.first);
    std::vector<std::string> lines;
    std::string head = "<tr>" + Cell("th", heading);
    for (const ComparedInput& input : inputs) head += Cell("th", input.Name);
    lines.push_back(head + "</tr>");
    for (const std::string& name : names) {
        std::vector<const std::string*> values;
        for (const ComparedInput& input : inputs) {
            const auto& list = input.File.*texts;
            const auto found = std::find_if(list.begin(), list.end(), [&](const NamedText& t) { return t.first == name; });
            values.push_back(found == list.end() ? nullptr : &found->second);
        }
        const bool differs = std::any_of(values.begin(), values.end(), [&](const std::string* v) {
            return !v || !values[0] || *v != *values[0];
        });
        std::string row = std::string(differs ? "<tr class=\"differs\">" : "<tr>") + Cell("th", name);
        for (const std::string* value : values) row += value ? Cell("td", *value) : Cell("td", "(none)", "class=\"none\"");
        lines.push_back(row + "</tr>");
    }
    return lines;
}

constexpr const char* kEnDash = "\xE2\x80\x93";  // UTF-8, as the page is

// "L–H" with two decimals, or in percent with one decimal and signs ("-5.0–+2.1 %").
std::string IntervalText(const Interval& interval, bool percent) {
    const auto number = [percent](double value) {
        const std::string text = FixedText(value, percent ? 1 : 2);
        return percent && text[0] != '-' ? "+" + text : text;
    };
    return number(interval.Low) + kEnDash + number(interval.High) + (percent ? " %" : "");
}

std::string AverageCell(const ResultsSlot* slot) {
    if (!slot) return Cell("td", "no result", "class=\"none\"");
    if (!slot->Ok) return Cell("td", "failed (" + slot->Failure + ")", "class=\"failed\"");
    std::string text = slot->AverageText.empty() ? NumberText(slot->Average) : slot->AverageText;
    const auto sample = SummaryOf(slot->Scores);
    if (const auto interval = sample ? MeanInterval95(*sample) : std::nullopt)
        text += " (" + IntervalText(*interval, false) + ")";
    if (slot->Launches && *slot->Launches > 1) text += " (" + std::to_string(*slot->Launches) + " launches)";
    return Cell("td", text + (slot->Unstable ? " (unstable)" : ""), slot->Unstable ? "class=\"num unstable\"" : "class=\"num\"");
}

// Whether the difference to the first input is more than the runs' noise, with its 95 % interval in percent.
std::string SignificanceCell(const ResultsSlot* first, const ResultsSlot* slot) {
    if (!first || !slot || !first->Ok || !slot->Ok) return Cell("td", "-");
    const Comparison comparison = CompareRuns(first->Scores, slot->Scores);
    std::string text = SignificanceText(comparison.Verdict);
    if (comparison.Test && comparison.Test->DifferenceIntervalPercent)
        text += " (" + IntervalText(*comparison.Test->DifferenceIntervalPercent, true) + ")";
    return Cell("td", text, comparison.Verdict == Significance::Significant ? "class=\"significant\"" : "");
}

std::vector<std::string> AveragesTable(const std::vector<ComparedInput>& inputs, const std::vector<ComparedRow>& rows) {
    std::vector<std::string> lines;
    std::string head = "<tr>" + Cell("th", "Resolution");
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        head += Cell("th", inputs[i].Name);
        if (i > 0) head += Cell("th", "Difference") + Cell("th", "Significance");
    }
    lines.push_back(head + "</tr>");
    for (const ComparedRow& row : rows) {
        std::string line = "<tr>" + Cell("th", row.Resolution);
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            line += AverageCell(row.Slots[i]);
            if (i == 0) continue;
            const std::string percent = PercentAgainstFirst(row.Slots[0], row.Slots[i]);
            const char* direction = percent[0] == '+' ? "num up" : percent[0] == '-' && percent.size() > 1 ? "num down" : "num";
            line += Cell("td", percent, "class=\"" + std::string(direction) + "\"");
            line += SignificanceCell(row.Slots[0], row.Slots[i]);
        }
        lines.push_back(line + "</tr>");
    }
    return lines;
}

BarChart AveragesChart(const std::vector<ComparedInput>& inputs, const std::vector<ComparedRow>& rows) {
    BarChart chart;
    chart.Title = "Average frame rates per resolution";
    chart.ValueAxisLabel = "Frames per second";
    chart.MissingLabel = "no result";
    for (const ComparedInput& input : inputs) chart.SeriesNames.push_back(input.Name);
    bool anyFlagged = false;
    for (const ComparedRow& row : rows) {
        ChartGroup group{row.Resolution, {}};
        for (const ResultsSlot* slot : row.Slots) {
            ChartBar bar;
            bar.Missing = !slot || !slot->Ok;
            if (!bar.Missing) {
                bar.Value = slot->Average;
                if (slot->Scores.size() > 1) {
                    bar.Marks = slot->Scores;
                    bar.Whisker = std::pair(slot->Min, slot->Max);
                }
                bar.Flagged = slot->Unstable;
                anyFlagged = anyFlagged || bar.Flagged;
            }
            group.Bars.push_back(std::move(bar));
        }
        chart.Groups.push_back(std::move(group));
    }
    if (anyFlagged) chart.FlaggedLegend = "Unstable: the runs vary too much";
    return chart;
}

const char* const kStyle[] = {
    "<style>",
    "body { font-family: \"Segoe UI\", Tahoma, Arial, sans-serif; font-size: 14px; color: #222222; margin: 24px; }",
    "h1 { font-size: 22px; margin-bottom: 4px; }",
    "h2 { font-size: 17px; margin: 28px 0 8px; }",
    "table { border-collapse: collapse; }",
    "th, td { border: 1px solid #c8ccd2; padding: 4px 10px; text-align: left; vertical-align: top; }",
    "tr:first-child th { background: #e6ecf3; }",
    "th { background: #f4f6f9; font-weight: 600; }",
    "td.num { text-align: right; }",
    "td.up { color: #2e7d32; }",
    "td.down { color: #c62828; }",
    "td.failed, td.none { color: #8a8a8a; font-style: italic; }",
    "td.unstable { color: #b35900; }",
    "td.significant { font-weight: 600; }",
    "tr.differs th, tr.differs td { background: #fff1c2; }",
    "p.key span { background: #fff1c2; padding: 0 4px; }",
    "</style>",
};

}  // namespace

std::optional<ResolutionMismatch> CheckResolutions(const std::vector<ComparedInput>& inputs) {
    if (inputs.empty()) return std::nullopt;
    const ComparedInput& first = inputs.front();
    for (std::size_t i = 1; i < inputs.size(); ++i) {
        const ComparedInput& other = inputs[i];
        if (ResultsHeldBy(other.File, first.File) && ResultsHeldBy(first.File, other.File)) continue;
        return ResolutionMismatch{i, "its resolutions (" + ResolutionList(other.File) + ") differ from those of " +
                                         first.Name + " (" + ResolutionList(first.File) + ")"};
    }
    return std::nullopt;
}

std::string PercentAgainstFirst(const ResultsSlot* first, const ResultsSlot* slot) {
    if (!first || !slot || !first->Ok || !slot->Ok || first->Average == 0) return "-";
    const double percent = (slot->Average - first->Average) / first->Average * 100;
    const std::string text = FixedText(percent, 1);
    if (text == "0.0") return "0.0 %";
    return (text[0] == '-' ? "" : "+") + text + " %";
}

std::vector<ComparedRow> ComparedRows(const std::vector<ComparedInput>& inputs) {
    std::vector<ComparedRow> rows;
    std::vector<const ResultsSlot*> seen;
    for (const ComparedInput& input : inputs) {
        for (const ResultsSlot& slot : input.File.Slots) {
            if (std::any_of(seen.begin(), seen.end(), [&](const ResultsSlot* s) { return SameSize(*s, slot); })) continue;
            seen.push_back(&slot);
            ComparedRow row{slot.Resolution, {}};
            for (const ComparedInput& each : inputs) row.Slots.push_back(SlotOfSize(each.File, slot));
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::string ComparisonPage(const std::vector<ComparedInput>& inputs, const std::vector<std::string>& missing) {
    std::vector<std::string> lines = {"<!DOCTYPE html>", "<html lang=\"en\">", "<head>", "<meta charset=\"utf-8\">",
                                      "<title>WildmereBench comparison</title>"};
    lines.insert(lines.end(), std::begin(kStyle), std::end(kStyle));
    lines.insert(lines.end(), {"</head>", "<body>", "<h1>WildmereBench comparison</h1>"});
    if (!inputs.empty()) {
        lines.push_back("<p class=\"key\">Differences in percent are against the first input, " +
                        EscapeHtml(inputs.front().Name) + "; <span>highlighted</span> rows differ between the inputs.</p>");
        lines.push_back("<p>Each average shows its 95 % confidence interval. A difference is significant when Welch's "
                        "t-test finds less than a 5 % chance that the runs' noise alone made it (its 95 % interval "
                        "in brackets); within noise otherwise; no estimate when a side has a single run.</p>");
    }
    lines.push_back("<h2>Inputs</h2>");
    lines.push_back("<table>");
    lines.push_back("<tr><th>Input</th><th>Started</th><th>Program version</th></tr>");
    for (const ComparedInput& input : inputs)
        lines.push_back("<tr>" + Cell("th", input.Name) + Cell("td", input.File.Started) + Cell("td", input.File.Version) + "</tr>");
    lines.push_back("</table>");
    if (!missing.empty()) {
        lines.push_back("<h2>Not compared</h2>");
        lines.push_back("<ul>");
        for (const std::string& what : missing) lines.push_back("<li>" + EscapeHtml(what) + "</li>");
        lines.push_back("</ul>");
    }
    for (const auto& [heading, texts, first] : {std::tuple{"Settings", &ResultsFile::Settings, "Setting"},
                                               std::tuple{"Machine", &ResultsFile::Machine, "Fact"}}) {
        lines.push_back(std::string("<h2>") + heading + "</h2>");
        lines.push_back("<table>");
        const std::vector<std::string> rows = SideBySide(inputs, texts, first);
        lines.insert(lines.end(), rows.begin(), rows.end());
        lines.push_back("</table>");
    }
    const std::vector<ComparedRow> rows = ComparedRows(inputs);
    lines.push_back("<h2>Average frame rates</h2>");
    lines.push_back("<table>");
    const std::vector<std::string> averages = AveragesTable(inputs, rows);
    lines.insert(lines.end(), averages.begin(), averages.end());
    lines.push_back("</table>");
    lines.push_back("<h2>Chart</h2>");
    const std::string svg = BarChartSvg(AveragesChart(inputs, rows));
    lines.push_back(svg.substr(0, svg.size() - 2));  // without its last CR LF, which the join adds
    lines.insert(lines.end(), {"</body>", "</html>"});
    return JoinLines(lines);
}

}  // namespace wmb
