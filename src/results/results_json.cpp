#include "results/results_json.h"

#include <cmath>

#include <cstdio>
#include <optional>
#include <vector>

#include "results/statistics.h"

namespace wmb {
namespace {

constexpr const char* kEol = "\r\n";

std::string Escaped(char16_t unit) {
    switch (unit) {
        case u'"': return "\\\"";
        case u'\\': return "\\\\";
        case u'\b': return "\\b";
        case u'\f': return "\\f";
        case u'\n': return "\\n";
        case u'\r': return "\\r";
        case u'\t': return "\\t";
        default: break;
    }
    if (unit >= 0x20 && unit < 0x7F) return std::string(1, static_cast<char>(unit));
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(unit));
    return buffer;
}

// Writes "key": value pairs, one per line at `indent`, separated by commas.
class ObjectLines {
public:
    ObjectLines(std::string& out, const AnsiToUtf16& toUtf16, int indent)
        : out_(out), toUtf16_(toUtf16), indent_(indent, ' ') {}
    ObjectLines& Text(const char* key, const std::string& value) { return Raw(key, JsonString(value, toUtf16_)); }
    // A setting the program did not set is null.
    ObjectLines& Setting(const char* key, const std::optional<std::string>& value) {
        return value ? Text(key, *value) : Raw(key, "null");
    }
    ObjectLines& Number(const char* key, double value) { return Raw(key, NumberText(value)); }
    ObjectLines& Flag(const char* key, bool value) { return Raw(key, value ? "true" : "false"); }
    ObjectLines& Raw(const char* key, const std::string& json) {
        if (!first_) out_ += std::string(",") + kEol;
        first_ = false;
        out_ += indent_ + "\"" + key + "\": " + json;
        return *this;
    }

private:
    std::string& out_;
    const AnsiToUtf16& toUtf16_;
    std::string indent_;
    bool first_ = true;
};

// Items of an array, one per line at `indent`, between "[" and the closing "]" one level out.
std::string ArrayOf(const std::vector<std::string>& items, int indent) {
    if (items.empty()) return "[]";
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    std::string json = std::string("[") + kEol;
    for (std::size_t i = 0; i < items.size(); ++i) json += pad + items[i] + (i + 1 < items.size() ? "," : "") + kEol;
    return json + std::string(static_cast<std::size_t>(indent - 2), ' ') + "]";
}

// The 95 % confidence interval of the average, {"low": L, "high": H}, to a millionth of a frame per second:
// the digits after that differ between processors (x87 and SSE arithmetic); null for a single run.
std::string IntervalJson(const std::vector<double>& scores) {
    const auto sample = SummaryOf(scores);
    const auto interval = sample ? MeanInterval95(*sample) : std::nullopt;
    if (!interval) return "null";
    const auto rounded = [](double bound) { return NumberText(std::round(bound * 1e6) / 1e6); };
    return "{\"low\": " + rounded(interval->Low) + ", \"high\": " + rounded(interval->High) + "}";
}

std::string SlotJson(const SlotResult& slot, const AnsiToUtf16& toUtf16) {
    std::string json = std::string("{") + kEol;
    ObjectLines lines(json, toUtf16, 6);
    lines.Number("slot", slot.Slot)
        .Text("resolution", slot.Resolution)
        .Number("width", slot.Width)
        .Number("height", slot.Height);
    if (slot.Failure) {
        lines.Text("status", "failed").Text("failure", FailureText(*slot.Failure));
    } else {
        std::vector<std::string> runs;
        for (std::size_t j = 0; j < slot.Runs.size(); ++j) {
            const std::string launch =
                slot.Repeats ? ", \"launch\": " + std::to_string(slot.Repeats->LaunchOf(j)) : std::string();
            runs.push_back("{\"run\": " + std::to_string(j + 1) + ", \"text\": " +
                           JsonString(slot.Runs[j].Text, toUtf16) + ", \"score\": " + NumberText(slot.Runs[j].Score) +
                           launch + "}");
        }
        const std::vector<double> scores = ScoresOf(slot);
        const RunStatistics stats = StatisticsOf(scores);
        lines.Text("status", "ok")
            .Raw("runs", ArrayOf(runs, 8))
            .Number("average", stats.Mean)
            .Text("averageText", slot.AverageText)
            .Number("min", stats.Min)
            .Number("max", stats.Max)
            .Number("stddev", stats.StdDev)
            .Number("cv", stats.CvPercent)
            .Flag("unstable", stats.Unstable)
            .Raw("interval95", IntervalJson(scores));
        // While slots whose runs vary are launched again: how many launches this one took, and whether its
        // runs ended within the limit.
        if (slot.Repeats) lines.Number("launches", slot.Repeats->Launches).Flag("stable", slot.Repeats->Stable);
    }
    return json + kEol + "    }";
}

}  // namespace

std::string JsonString(const std::string& text, const AnsiToUtf16& toUtf16) {
    std::string json = "\"";
    for (char16_t unit : toUtf16(text)) json += Escaped(unit);
    return json + "\"";
}

std::string ResultsJson(const SequenceResults& results, const AnsiToUtf16& toUtf16) {
    std::vector<std::string> machine;
    for (const MachineFact& fact : results.Machine) {
        machine.push_back("{\"name\": " + JsonString(fact.Label, toUtf16) + ", \"value\": " +
                          JsonString(fact.Value, toUtf16) + "}");
    }

    const ResultSettings& s = results.Settings;
    std::string settings = std::string("{") + kEol;
    ObjectLines settingLines(settings, toUtf16, 4);
    settingLines.Text("demo", s.Demo)
        .Setting("quality", s.Quality)
        .Setting("renderer", s.Renderer)
        .Setting("shaderModel", s.ShaderModel)
        .Setting("antialiasing", s.Antialiasing)
        .Setting("anisotropic", s.Anisotropic)
        .Text("hdr", s.Hdr)
        .Text("instancing", s.Instancing)
        .Text("normalMaps", s.NormalMaps)
        .Number("runs", s.Runs)
        .Text("note", s.Note);
    // Only while slots whose runs vary are launched again: the limit and the most extra launches.
    if (const auto& repeat = results.Repeat) {
        settingLines.Number("repeatLimit", repeat->LimitPercent).Number("repeatMost", repeat->MostExtraLaunches);
    }
    settings += std::string(kEol) + "  }";

    std::vector<std::string> slots;
    for (const SlotResult& slot : results.Slots) slots.push_back(SlotJson(slot, toUtf16));

    std::string json = std::string("{") + kEol;
    ObjectLines(json, toUtf16, 2)
        .Text("program", "WildmereBench")
        .Text("version", results.Version)
        .Text("started", results.Started)
        .Raw("machine", ArrayOf(machine, 4))
        .Raw("settings", settings)
        .Raw("slots", ArrayOf(slots, 4));
    return json + kEol + "}" + kEol;
}

}  // namespace wmb
