#include "run/report.h"

#include "settings/slots.h"

namespace wmb {

namespace {

constexpr const char* kSiteName = "www.kestrane.com";
constexpr const char* kCreditText = "Wildmere Benchmark by Kestrane - www.kestrane.com";

std::string FontLine(const std::string& caption, const std::string& value) {
    return "   <FONT size=2><b>" + caption + ":</b> " + EscapeHtml(value) + "</FONT><br>";
}

void AppendAdapterLines(std::vector<std::string>& lines, const SystemInfo& info) {
    if (info.AtiAdapterFound) {
        lines.push_back("   <span class=\"style4\">VGA Information</span><br>");
        lines.push_back(FontLine("Graphics card", info.AtiAdapterName));
        if (!info.AtiBusType.empty() && !info.AtiMemoryType.empty()) lines.push_back(FontLine("Bustype", info.AtiBusType));
        lines.push_back(FontLine("Memory", info.DisplayMemory));
        lines.push_back(FontLine("Current VPU speed", info.AtiEngineClock));
        lines.push_back(FontLine("Current memory speed", info.AtiMemoryClock));
        lines.push_back(FontLine("Driver version", info.DriverVersion));
    }
    if (info.DisplayClassFound) {
        lines.push_back("   <align=\"left\"><span class=\"style4\">VGA Information</span><br>");
        lines.push_back(FontLine("Graphics card", info.AdapterDesc));
        lines.push_back(FontLine("Memory", info.DisplayMemory));
        lines.push_back(FontLine("Current GPU speed", info.GpuClock));
        lines.push_back(FontLine("Current memory speed", info.GpuMemoryClock));
        lines.push_back(FontLine("Driver version", info.DriverVersion));
    }
    if (!info.AtiAdapterFound && !info.DisplayClassFound) {
        lines.push_back("   <align=\"left\"><span class=\"style4\">VGA Information</span><br>");
        lines.push_back(FontLine("Graphics card", info.CardName));
        lines.push_back(FontLine("Memory", info.DisplayMemory));
        lines.push_back(FontLine("Driver version", info.DriverVersion));
    }
}

std::string HeadingLine(const ReportSectionInput& input) {
    const std::string resolution =
        input.Slot == kCustomSlot
            ? EscapeHtml(input.Settings.CustomWidth) + " \xD7 " + EscapeHtml(input.Settings.CustomHeight) + " (Custom)"
            : SlotLabel(input.Slot, input.Settings);
    return "<BR><B><FONT size=5>Resolution: " + resolution + "</FONT></B><BR>";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '&': escaped += "&amp;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string ShaderLabel(int shaderModel) {
    switch (shaderModel) {
        case 0: return "Pixel shader: default model";
        case 1: return "Pixel shader: model 2.0b";
        case 2: return "Pixel shader: model 3.0";
        default: return "";
    }
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
        FontLine("Operating system", info.OperatingSystem),
    };
    if (!info.SystemMemoryText.empty()) lines.push_back(FontLine("System memory", info.SystemMemoryText));
    lines.push_back(FontLine("CPU", info.CpuName));
    lines.push_back("   <FONT size=2><b>CPU speed:</b> " + std::to_string(info.CpuSpeedMHz) + " MHz</FONT><br>");
    lines.push_back(FontLine("Sound system", info.SoundDevice));
    AppendAdapterLines(lines, info);
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
    const std::string& mapFolder = input.Demo.MapFolder;
    const std::string mapName = mapFolder.empty() ? std::string() : mapFolder.substr(0, mapFolder.size() - 1);
    lines.push_back("Level: " + EscapeHtml(mapName) + ", demo: " + EscapeHtml(input.Demo.DemoName) + ".tmd<br>");
    if (!oneRun || s.RendererIndex == 0) lines.push_back(ShaderLabel(s.ShaderModel) + "<br>");

    const std::string antialias = ItemText(kAntialiasItems, s.AntialiasIndex);
    const bool plainAntialias = antialias == "None" || (oneRun && antialias == "From System");
    lines.push_back("Antialising: " + EscapeHtml(antialias) + (plainAntialias ? "<br>" : "\xD7<br>"));
    const std::string anisotropy = ItemText(kAnisotropyItems, s.AnisotropyIndex);
    const bool plainAnisotropy = oneRun && anisotropy == "From System";
    lines.push_back("Anisotropic filtering: " + EscapeHtml(anisotropy) + (plainAnisotropy ? "<br>" : "\xD7<br>"));

    lines.push_back(s.HdrEnabled ? "HDR: level " + EscapeHtml(s.HdrLevel) + "<br>" : std::string("HDR: disabled<br>"));
    lines.push_back(s.GeometryInstancing ? "Geometry Instancing: enabled<br>" : "Geometry Instancing: disabled<br>");
    lines.push_back(s.NormalMapCompression ? "Normal-maps compression: enabled<br><br>"
                                           : "Normal-maps compression: disabled<br><br>");

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
    lines.push_back("<br><HR>");
    return lines;
}

std::vector<std::string> ReportFootLines() {
    return {"<P></P>", std::string("<CENTER>") + kCreditText + "</CENTER><BR></BODY></HTML>"};
}

std::string JoinReport(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

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
