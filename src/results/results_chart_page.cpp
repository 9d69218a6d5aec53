#include "results/results_chart_page.h"

#include <optional>
#include <utility>

#include "results/report.h"
#include "results/statistics.h"

namespace wmb {
namespace {

constexpr const char* kStyle =
    "body {font-family: Segoe UI, Tahoma, Arial, sans-serif; font-size: 13px; color: #333333; margin: 24px;}\r\n"
    "h1 {font-size: 22px; margin: 0 0 6px 0;}\r\n"
    "p.settings {margin: 0 0 16px 0; color: #555555;}\r\n"
    "table {border-collapse: collapse; margin-top: 16px;}\r\n"
    "caption {text-align: left; font-weight: bold; padding-bottom: 4px;}\r\n"
    "th, td {border: 1px solid #cccccc; padding: 3px 10px;}\r\n"
    "th {background: #f0f0f0; text-align: left;}\r\n"
    "td.number {text-align: right;}\r\n"
    ".unstable {color: #c05a00; font-weight: bold;}\r\n"
    ".failed {color: #990000;}\r\n";

// The settings in one line; an option the program did not set for the game is left out.
std::string SettingsSummary(const ResultSettings& s, const std::optional<RepeatSettings>& repeat) {
    std::string summary;
    const auto add = [&summary](const std::string& part) { summary += (summary.empty() ? "" : ", ") + part; };
    if (s.Quality) add(*s.Quality);
    if (s.Renderer) add(*s.Renderer + " renderer");
    const std::pair<const char*, const std::optional<std::string>*> options[] = {
        {"pixel shader", &s.ShaderModel}, {"antialiasing", &s.Antialiasing}, {"anisotropic filtering", &s.Anisotropic}};
    for (const auto& [caption, text] : options) {
        if (*text) add(std::string(caption) + " " + **text);
    }
    const std::pair<const char*, const std::string*> flags[] = {
        {"HDR", &s.Hdr}, {"geometry instancing", &s.Instancing}, {"normal-maps compression", &s.NormalMaps}};
    for (const auto& [caption, text] : flags) {
        if (!text->empty()) add(std::string(caption) + " " + *text);
    }
    summary += "; demo " + s.Demo + "; " + std::to_string(s.Runs) + (s.Runs == 1 ? " run" : " runs") + " per resolution";
    if (repeat) {
        summary += ", launched again while they vary more than " + std::to_string(repeat->LimitPercent) +
                   " % (at most " + std::to_string(repeat->MostExtraLaunches) + " more times)";
    }
    return s.Note.empty() ? summary : summary + "; comment: " + s.Note;
}

std::string Cell(const std::string& text, const char* cls = nullptr) {
    return cls ? "<td class=\"" + std::string(cls) + "\">" + text + "</td>" : "<td>" + text + "</td>";
}

// The launches a slot took, while slots whose runs vary are launched again.
std::string LaunchesCell(const SlotResult& slot) {
    if (!slot.Repeats) return Cell("");
    const SlotRepeats& r = *slot.Repeats;
    const std::string text = std::to_string(r.Launches) + (r.Stable ? ", stable" : ", still varies");
    return Cell(text, r.Stable ? nullptr : "unstable");
}

std::string SlotRow(const SlotResult& slot, bool launches) {
    std::string row = "<tr>" + Cell(EscapeHtml(slot.Resolution));
    if (slot.Failure) {
        return row + "<td colspan=\"" + (launches ? "8" : "7") + "\" class=\"failed\">failed: " +
               FailureText(*slot.Failure) + "</td></tr>";
    }
    const RunStatistics stats = StatisticsOf(ScoresOf(slot));
    std::string runs;
    for (const RunScore& run : slot.Runs) runs += (runs.empty() ? "" : ", ") + EscapeHtml(run.Text);
    row += Cell(runs) + Cell(FixedText(stats.Mean, 2), "number") + Cell(FixedText(stats.Min, 2), "number") +
           Cell(FixedText(stats.Max, 2), "number") + Cell(FixedText(stats.StdDev, 2), "number") +
           Cell(FixedText(stats.CvPercent, 2) + " %", "number");
    row += stats.Unstable ? Cell("unstable", "unstable") : Cell("stable");
    return row + (launches ? LaunchesCell(slot) : "") + "</tr>";
}

std::optional<std::pair<double, double>> IntervalWhisker(const std::vector<double>& scores) {
    const std::optional<SampleSummary> sample = SummaryOf(scores);
    const std::optional<Interval> interval = sample ? MeanInterval95(*sample) : std::nullopt;
    if (!interval) return std::nullopt;
    return std::make_pair(interval->Low, interval->High);
}

}  // namespace

BarChart ResultsChart(const SequenceResults& results) {
    BarChart chart;
    chart.Title = "Average frame rate per resolution";
    chart.ValueAxisLabel = "Frames per second";
    // While slots whose runs vary are launched again the line is the 95 % interval of the average, as what
    // the repeats aim at is an average to rely on; the dots still show each run, so the lowest and highest too.
    const bool interval = results.Repeat.has_value();
    chart.SeriesNames = {interval ? "Average of the runs (dots: each run, line: 95 % interval of the average)"
                                  : "Average of the runs (dots: each run, line: lowest to highest)"};
    chart.MissingLabel = "failed";
    chart.Decimals = 2;
    for (const SlotResult& slot : results.Slots) {
        ChartBar bar;
        if (slot.Failure) {
            bar.Missing = true;
        } else {
            const RunStatistics stats = StatisticsOf(ScoresOf(slot));
            bar.Value = stats.Mean;
            bar.Marks = ScoresOf(slot);
            if (slot.Runs.size() > 1) {
                bar.Whisker = interval ? IntervalWhisker(ScoresOf(slot)) : std::make_pair(stats.Min, stats.Max);
            }
            bar.Flagged = stats.Unstable;
        }
        if (bar.Flagged) chart.FlaggedLegend = "Unstable: the runs vary by more than " + NumberText(kUnstableCvPercent) + " %";
        chart.Groups.push_back({slot.Resolution, {bar}});
    }
    return chart;
}

std::string ResultsChartPage(const SequenceResults& results) {
    const std::string started = EscapeHtml(results.Started);
    const bool launches = results.Repeat.has_value();
    std::string page =
        "<!DOCTYPE html>\r\n"
        "<html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
        "<title>Wildmere Benchmark - " + started + "</title>\r\n"
        "<style type=\"text/css\">\r\n" + kStyle + "</style>\r\n"
        "</head>\r\n"
        "<body>\r\n"
        "<h1>Wildmere Benchmark of " + started + "</h1>\r\n"
        "<p class=\"settings\">" + EscapeHtml(SettingsSummary(results.Settings, results.Repeat)) + "</p>\r\n" +
        BarChartSvg(ResultsChart(results)) +
        "<table>\r\n"
        "<caption>Figures per resolution</caption>\r\n"
        "<tr><th>Resolution</th><th>Runs (FPS)</th><th>Average</th><th>Lowest</th><th>Highest</th>"
        "<th>Standard deviation</th><th>Variation</th><th>Spread</th>" +
        (launches ? "<th>Launches</th>" : "") + "</tr>\r\n";
    for (const SlotResult& slot : results.Slots) page += SlotRow(slot, launches) + "\r\n";
    page += "</table>\r\n<table>\r\n<caption>System</caption>\r\n";
    for (const MachineFact& fact : results.Machine) {
        page += "<tr><th>" + EscapeHtml(fact.Label) + "</th>" + Cell(EscapeHtml(fact.Value)) + "</tr>\r\n";
    }
    return page + "</table>\r\n<p>WildmereBench " + EscapeHtml(results.Version) + "</p>\r\n</body>\r\n</html>\r\n";
}

}  // namespace wmb
