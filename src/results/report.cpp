#include "results/report.h"

#include <utility>

#include "settings/slots.h"

namespace wmb {

namespace {

constexpr const char* kSiteName = "www.kestrane.com";
constexpr const char* kCreditText = "Wildmere Benchmark by Kestrane - www.kestrane.com";

std::string FontLine(const std::string& caption, const std::string& value) {
    return "   <FONT size=2><b>" + caption + ":</b> " + EscapeHtml(value) + "</FONT><br>";
}

// The head's facts in groups, each after its heading line: the system's own (under the fixed "System
// Information" line), then one group per description of the graphics adapter.
struct FactGroup {
    std::string Heading;
    std::vector<MachineFact> Facts;
};

std::vector<FactGroup> FactGroups(const SystemInfo& info) {
    std::vector<FactGroup> groups(1);
    std::vector<MachineFact>& system = groups[0].Facts;
    system.push_back({"Operating system", info.OperatingSystem});
    if (!info.SystemMemoryText.empty()) system.push_back({"System memory", info.SystemMemoryText});
    system.push_back({"CPU", info.CpuName});
    system.push_back({"CPU speed", std::to_string(info.CpuSpeedMHz) + " MHz"});
    system.push_back({"Sound system", info.SoundDevice});

    const std::string plainHeading = "   <align=\"left\"><span class=\"style4\">VGA Information</span><br>";
    if (info.AtiAdapterFound) {
        FactGroup ati{"   <span class=\"style4\">VGA Information</span><br>", {{"Graphics card", info.AtiAdapterName}}};
        if (!info.AtiBusType.empty() && !info.AtiMemoryType.empty()) ati.Facts.push_back({"Bustype", info.AtiBusType});
        ati.Facts.push_back({"Memory", info.DisplayMemory});
        ati.Facts.push_back({"Current VPU speed", info.AtiEngineClock});
        ati.Facts.push_back({"Current memory speed", info.AtiMemoryClock});
        ati.Facts.push_back({"Driver version", info.DriverVersion});
        groups.push_back(std::move(ati));
    }
    if (info.DisplayClassFound) {
        groups.push_back({plainHeading,
                          {{"Graphics card", info.AdapterDesc},
                           {"Memory", info.DisplayMemory},
                           {"Current GPU speed", info.GpuClock},
                           {"Current memory speed", info.GpuMemoryClock},
                           {"Driver version", info.DriverVersion}}});
    }
    if (!info.AtiAdapterFound && !info.DisplayClassFound) {
        groups.push_back({plainHeading,
                          {{"Graphics card", info.CardName},
                           {"Memory", info.DisplayMemory},
                           {"Driver version", info.DriverVersion}}});
    }
    return groups;
}

std::string HeadingLine(const ReportSectionInput& input) {
    const std::string resolution =
        input.Slot == kCustomSlot
            ? EscapeHtml(input.Settings.CustomWidth) + " \xD7 " + EscapeHtml(input.Settings.CustomHeight) + " (Custom)"
            : SlotLabel(input.Slot, input.Settings);
    return "<BR><B><FONT size=5>Resolution: " + resolution + "</FONT></B><BR>";
}

}  // namespace

std::vector<MachineFact> MachineFacts(const SystemInfo& info) {
    std::vector<MachineFact> facts;
    for (const FactGroup& group : FactGroups(info)) facts.insert(facts.end(), group.Facts.begin(), group.Facts.end());
    return facts;
}

SettingTexts SectionSettingTexts(const BenchSettings& s, bool oneRun) {
    SettingTexts texts;
    texts.Antialias = ItemText(kAntialiasItems, s.AntialiasIndex);
    if (texts.Antialias != "None" && !(oneRun && texts.Antialias == "From System")) texts.Antialias += "\xD7";
    texts.Anisotropy = ItemText(kAnisotropyItems, s.AnisotropyIndex);
    if (!(oneRun && texts.Anisotropy == "From System")) texts.Anisotropy += "\xD7";
    texts.Hdr = s.HdrEnabled ? "level " + HdrLevelOrDefault(s.HdrLevel) : std::string("disabled");
    texts.Instancing = s.GeometryInstancing ? "enabled" : "disabled";
    texts.NormalMaps = s.NormalMapCompression ? "enabled" : "disabled";
    return texts;
}

std::string ShaderModelText(int shaderModel) {
    switch (shaderModel) {
        case 0: return "default model";
        case 1: return "model 2.0b";
        case 2: return "model 3.0";
        default: return "";
    }
}

std::string ShaderLabel(int shaderModel) {
    const std::string model = ShaderModelText(shaderModel);
    return model.empty() ? model : "Pixel shader: " + model;
}

std::vector<std::string> ReportHeaderLines(const ReportHeaderInput& input) {
    const SystemInfo& info = input.Info;
    std::vector<std::string> lines = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">",
        "<html>",
        "<head>",
        std::string("<title>Wildmere Benchmark - ") + kSiteName + "</title>",
        "<style type=\"text/css\">",
        "<!--",
        ".style4 {",
        "\tcolor: #0066FF;",
        "\tfont-weight: bold;",
        "}",
        ".style5 {color: #990000}",
        ".style6 {",
        "font-size: 36px;",
        "font-weight: bold;)",
        "}",
        "-->",
        "</style>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"></head>",
        "<body>",
        "<p align=\"center\" class=\"style6\">Wildmere Benchmark</p><br>",
        "   The benchmark started at " + EscapeHtml(input.SequenceStartText) + "<br>",
        "<p align=\"left\"><span class=\"style4\">System Information<br></span>",
    };
    for (const FactGroup& group : FactGroups(info)) {
        if (!group.Heading.empty()) lines.push_back(group.Heading);
        for (const MachineFact& fact : group.Facts) lines.push_back(FontLine(fact.Label, fact.Value));
    }
    if (!input.Note.empty()) lines.push_back("<FONT size=2><b>Comment:</b> " + EscapeHtml(input.Note) + "</FONT><br>");
    lines.push_back("<hr>");
    return lines;
}

std::vector<std::string> ReportSectionLines(const ReportSectionInput& input) {
    const BenchSettings& s = input.Settings;
    const bool oneRun = input.Results.Scores.size() <= 1;
    std::vector<std::string> lines;
    lines.push_back(HeadingLine(input));
    lines.push_back(EscapeHtml(input.QualityLabel) + ", " + EscapeHtml(input.RendererLabel) + " renderer<br>");
    lines.push_back("Level: " + EscapeHtml(MapName(input.Demo)) + ", demo: " + EscapeHtml(input.Demo.DemoName) + ".tmd<br>");
    if (!oneRun || s.RendererIndex == 0) lines.push_back(ShaderLabel(s.ShaderModel) + "<br>");

    const SettingTexts texts = SectionSettingTexts(s, oneRun);
    lines.push_back("Antialising: " + EscapeHtml(texts.Antialias) + "<br>");
    lines.push_back("Anisotropic filtering: " + EscapeHtml(texts.Anisotropy) + "<br>");
    lines.push_back("HDR: " + EscapeHtml(texts.Hdr) + "<br>");
    lines.push_back("Geometry Instancing: " + texts.Instancing + "<br>");
    lines.push_back("Normal-maps compression: " + texts.NormalMaps + "<br><br>");

    const std::vector<std::string>& scores = input.Results.Scores;
    if (oneRun) {
        for (const std::string& score : scores) {
            lines.push_back("<span class=\"style5\">Score = " + EscapeHtml(score) + " FPS</span><br>");
        }
    } else {
        for (std::size_t j = 0; j < scores.size(); ++j) {
            lines.push_back("<span class=\"style5\">Score = " + EscapeHtml(scores[j]) + " FPS (Run " +
                            std::to_string(j + 1) + ")</span><br>");
        }
        lines.push_back("<span class=\"style5\"><b>Average score = " + EscapeHtml(input.Results.Average) +
                        " FPS</b></span><br>");
    }
    if (input.Repeats) lines.push_back("<i>" + RepeatSummary(*input.Repeats, scores.size()) + "</i><br>");
    lines.push_back("<br><HR>");
    return lines;
}

std::vector<std::string> ReportFootLines() {
    return {"<P></P>", std::string("<CENTER>") + kCreditText + "</CENTER><BR></BODY></HTML>"};
}

std::string JoinReport(const std::vector<std::string>& lines) { return JoinLines(lines); }

std::string ReportFolder(const std::string& resultsFolder, const std::string& programFolder) {
    if (resultsFolder.empty()) return programFolder + "Benchmark\\";
    // A folder stored without its closing backslash still names the folder, not a prefix of the file name.
    return resultsFolder.back() == '\\' ? resultsFolder : resultsFolder + "\\";
}

std::string ReportFilePath(const std::string& resultsFolder, const std::string& programFolder,
                           const std::string& sequenceStamp) {
    return ReportFolder(resultsFolder, programFolder) + "result_" + sequenceStamp + "_.htm";
}

}  // namespace wmb
