#include "results/report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/slots.h"

namespace wmb {

namespace {

SystemInfo PlainSystem() {
    SystemInfo info;
    info.OperatingSystem = "Windows XP Professional";
    info.SystemMemoryText = "1024 MB";
    info.CpuName = "AMD Athlon(tm) 64 Processor 3200+";
    info.CpuSpeedMHz = 2000;
    info.SoundDevice = "Realtek AC97";
    info.CardName = "RADEON X800";
    info.DisplayMemory = "256.0 MB";
    info.DriverVersion = "6.14.10.6483";
    return info;
}

ReportSectionInput Section(int slot, int runs) {
    ReportSectionInput in;
    in.Slot = slot;
    in.Settings.ShaderModel = 0;
    in.Settings.RendererIndex = 0;
    in.Settings.AntialiasIndex = 0;
    in.Settings.AnisotropyIndex = 4;
    in.QualityLabel = "Ultra quality option";
    in.RendererLabel = "Direct3D";
    in.Demo = {"Pier\\", "1"};
    if (runs == 1) {
        in.Results.Scores = {"77.81"};
    } else {
        for (int j = 0; j < runs; ++j) in.Results.Scores.push_back("7" + std::to_string(j) + ".5");
        in.Results.Average = "71.5";
    }
    return in;
}

std::vector<std::string> Append(std::vector<std::string> lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(ReportHead, WholeHeadWithoutFlagsAndWithoutNote) {
    const auto lines = ReportHeaderLines({"05.04.2007 15:04:05", PlainSystem(), ""});
    const std::vector<std::string> expected = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">",
        "<html>",
        "<head>",
        "<title>Wildmere Benchmark - www.kestrane.com</title>",
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
        "   The benchmark started at 05.04.2007 15:04:05<br>",
        "<p align=\"left\"><span class=\"style4\">System Information<br></span>",
        "   <FONT size=2><b>Operating system:</b> Windows XP Professional</FONT><br>",
        "   <FONT size=2><b>System memory:</b> 1024 MB</FONT><br>",
        "   <FONT size=2><b>CPU:</b> AMD Athlon(tm) 64 Processor 3200+</FONT><br>",
        "   <FONT size=2><b>CPU speed:</b> 2000 MHz</FONT><br>",
        "   <FONT size=2><b>Sound system:</b> Realtek AC97</FONT><br>",
        "   <align=\"left\"><span class=\"style4\">VGA Information</span><br>",
        "   <FONT size=2><b>Graphics card:</b> RADEON X800</FONT><br>",
        "   <FONT size=2><b>Memory:</b> 256.0 MB</FONT><br>",
        "   <FONT size=2><b>Driver version:</b> 6.14.10.6483</FONT><br>",
        "<hr>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ReportHead, MemoryLineLeftOutWhenEmptyAndNoteBeforeTheRule) {
    SystemInfo info = PlainSystem();
    info.SystemMemoryText = "";
    const auto lines = ReportHeaderLines({"x", info, "fresh drivers"});
    EXPECT_EQ(CountStarting(lines, "   <FONT size=2><b>System memory:"), 0u);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "<FONT size=2><b>Comment:</b> fresh drivers</FONT><br>");
    EXPECT_EQ(lines.back(), "<hr>");
}

TEST(ReportHead, AdapterGroupsFollowTheFlags) {
    SystemInfo info = PlainSystem();
    info.AtiAdapterFound = true;
    info.AtiAdapterName = "RADEON X800 XT";
    info.AtiEngineClock = "500 MHz";
    info.AtiMemoryClock = "500 MHz";
    info.AtiBusType = "AGP";
    auto lines = ReportHeaderLines({"x", info, ""});
    const std::vector<std::string> ati = {
        "   <span class=\"style4\">VGA Information</span><br>",
        "   <FONT size=2><b>Graphics card:</b> RADEON X800 XT</FONT><br>",
        "   <FONT size=2><b>Memory:</b> 256.0 MB</FONT><br>",
        "   <FONT size=2><b>Current VPU speed:</b> 500 MHz</FONT><br>",
        "   <FONT size=2><b>Current memory speed:</b> 500 MHz</FONT><br>",
        "   <FONT size=2><b>Driver version:</b> 6.14.10.6483</FONT><br>",
    };
    EXPECT_TRUE(std::search(lines.begin(), lines.end(), ati.begin(), ati.end()) != lines.end());
    EXPECT_EQ(CountStarting(lines, "   <FONT size=2><b>Bustype:"), 0u);  // memory type unknown
    EXPECT_FALSE(Contains(lines, "   <FONT size=2><b>Graphics card:</b> RADEON X800</FONT><br>"));

    info.AtiMemoryType = "DDR3";
    info.DisplayClassFound = true;
    info.AdapterDesc = "NVIDIA GeForce 7800 GTX";
    info.GpuClock = "430 MHz";
    info.GpuMemoryClock = "600 MHz";
    lines = ReportHeaderLines({"x", info, ""});
    EXPECT_TRUE(Contains(lines, "   <FONT size=2><b>Bustype:</b> AGP</FONT><br>"));
    const std::vector<std::string> display = {
        "   <align=\"left\"><span class=\"style4\">VGA Information</span><br>",
        "   <FONT size=2><b>Graphics card:</b> NVIDIA GeForce 7800 GTX</FONT><br>",
        "   <FONT size=2><b>Memory:</b> 256.0 MB</FONT><br>",
        "   <FONT size=2><b>Current GPU speed:</b> 430 MHz</FONT><br>",
        "   <FONT size=2><b>Current memory speed:</b> 600 MHz</FONT><br>",
        "   <FONT size=2><b>Driver version:</b> 6.14.10.6483</FONT><br>",
        "<hr>",
    };
    EXPECT_TRUE(std::equal(display.rbegin(), display.rend(), lines.rbegin()));
    EXPECT_EQ(CountStarting(lines, "   <FONT size=2><b>Driver version:"), 2u);

    info.AtiAdapterFound = false;
    lines = ReportHeaderLines({"x", info, ""});
    EXPECT_EQ(CountStarting(lines, "   <span class=\"style4\">VGA"), 0u);
    EXPECT_EQ(CountStarting(lines, "   <align=\"left\"><span class=\"style4\">VGA"), 1u);
}

TEST(ReportHead, ValuesAreEscapedButKeepTheirVisibleText) {
    SystemInfo info = PlainSystem();
    info.CardName = "Card \"Pro\" <rev A>";
    const auto lines = ReportHeaderLines({"1 < 2", info, "<script>alert(1)</script> R&D"});
    EXPECT_TRUE(Contains(lines, "<FONT size=2><b>Comment:</b> &lt;script&gt;alert(1)&lt;/script&gt; R&amp;D</FONT><br>"));
    EXPECT_TRUE(Contains(lines, "   <FONT size=2><b>Graphics card:</b> Card &quot;Pro&quot; &lt;rev A&gt;</FONT><br>"));
    EXPECT_TRUE(Contains(lines, "   The benchmark started at 1 &lt; 2<br>"));
    EXPECT_EQ(EscapeHtml("plain \xD7 text"), "plain \xD7 text");
}

TEST(ReportSection, ThreeRunsAtAFixedSlot) {
    ReportSectionInput in = Section(2, 3);
    in.Settings.AntialiasIndex = 5;  // From System
    in.Settings.HdrEnabled = true;
    in.Settings.HdrLevel = "4";
    in.Settings.GeometryInstancing = true;
    const std::vector<std::string> expected = {
        "<BR><B><FONT size=5>Resolution: 1024\xD7" "768</FONT></B><BR>",
        "Ultra quality option, Direct3D renderer<br>",
        "Level: Pier, demo: 1.tmd<br>",
        "Pixel shader: default model<br>",
        "Antialising: From System\xD7<br>",
        "Anisotropic filtering: 16\xD7<br>",
        "HDR: level 4<br>",
        "Geometry Instancing: enabled<br>",
        "Normal-maps compression: disabled<br><br>",
        "<span class=\"style5\">Score = 70.5 FPS (Run 1)</span><br>",
        "<span class=\"style5\">Score = 71.5 FPS (Run 2)</span><br>",
        "<span class=\"style5\">Score = 72.5 FPS (Run 3)</span><br>",
        "<span class=\"style5\"><b>Average score = 71.5 FPS</b></span><br>",
        "<br><HR>",
    };
    EXPECT_EQ(ReportSectionLines(in), expected);
}

// With repeats on, the runs of every launch are listed and averaged together, and a line under them tells
// the launches.
TEST(ReportSection, RepeatedSlotTellsItsLaunchesUnderTheAverage) {
    const struct {
        SlotRepeats repeats;
        int runs;
        const char* line;
    } cases[] = {
        {{2, true, 3, 2}, 4, "<i>2 launches, 4 runs: stable within 3 %</i><br>"},
        {{3, false, 5, 2}, 6, "<i>3 launches, 6 runs: still varies more than 5 %</i><br>"},
        {{1, true, 3, 1}, 1, "<i>1 launch, 1 run: stable within 3 %</i><br>"},
    };
    for (const auto& c : cases) {
        ReportSectionInput in = Section(2, c.runs);
        const std::vector<std::string> plain = ReportSectionLines(in);
        in.Repeats = c.repeats;
        std::vector<std::string> expected = plain;
        expected.insert(expected.end() - 1, c.line);
        EXPECT_EQ(ReportSectionLines(in), expected) << c.line;
    }
}

TEST(ReportSection, OneRunAtTheCustomSlotWithOpenGl) {
    ReportSectionInput in = Section(kCustomSlot, 1);
    in.Settings.CustomWidth = "1152";
    in.Settings.CustomHeight = "864";
    in.Settings.RendererIndex = 1;
    in.RendererLabel = "OpenGL";
    in.Settings.AntialiasIndex = 5;
    in.Settings.AnisotropyIndex = 5;
    in.Settings.NormalMapCompression = true;
    const std::vector<std::string> expected = {
        "<BR><B><FONT size=5>Resolution: 1152 \xD7 864 (Custom)</FONT></B><BR>",
        "Ultra quality option, OpenGL renderer<br>",
        "Level: Pier, demo: 1.tmd<br>",
        "Antialising: From System<br>",
        "Anisotropic filtering: From System<br>",
        "HDR: disabled<br>",
        "Geometry Instancing: disabled<br>",
        "Normal-maps compression: enabled<br><br>",
        "<span class=\"style5\">Score = 77.81 FPS</span><br>",
        "<br><HR>",
    };
    EXPECT_EQ(ReportSectionLines(in), expected);
}

TEST(ReportSection, EndingsOfTheFilterLinesByRunCount) {
    ReportSectionInput in = Section(0, 1);
    in.Settings.AntialiasIndex = 0;  // None
    in.Settings.AnisotropyIndex = 1;
    auto lines = ReportSectionLines(in);
    EXPECT_TRUE(Contains(lines, "Antialising: None<br>"));
    EXPECT_TRUE(Contains(lines, "Anisotropic filtering: 2\xD7<br>"));
    EXPECT_TRUE(Contains(lines, "Pixel shader: default model<br>"));  // Direct3D shows it with one run

    in = Section(0, 3);
    in.Settings.RendererIndex = 1;
    in.Settings.ShaderModel = 2;
    in.Settings.AnisotropyIndex = 5;
    lines = ReportSectionLines(in);
    EXPECT_TRUE(Contains(lines, "Antialising: None<br>"));
    EXPECT_TRUE(Contains(lines, "Anisotropic filtering: From System\xD7<br>"));
    EXPECT_TRUE(Contains(lines, "Pixel shader: model 3.0<br>"));  // several runs show it with OpenGL too
}

TEST(ReportSection, LoggedAndTypedValuesAreEscaped) {
    ReportSectionInput in = Section(kCustomSlot, 1);
    in.Settings.CustomWidth = "<b>";
    in.Settings.CustomHeight = "&";
    in.Demo = {"R&D\\", "a<b"};
    in.Results.Scores = {"<i>9"};
    const auto lines = ReportSectionLines(in);
    EXPECT_EQ(lines[0], "<BR><B><FONT size=5>Resolution: &lt;b&gt; \xD7 &amp; (Custom)</FONT></B><BR>");
    EXPECT_EQ(lines[2], "Level: R&amp;D, demo: a&lt;b.tmd<br>");
    EXPECT_TRUE(Contains(lines, "<span class=\"style5\">Score = &lt;i&gt;9 FPS</span><br>"));
}

TEST(Report, ThreeSlotsOfThreeRunsMakeOneWholePage) {
    auto lines = ReportHeaderLines({"05.04.2007 15:04:05", PlainSystem(), ""});
    const std::size_t headSize = lines.size();
    for (int slot : {0, 2, 4}) lines = Append(lines, ReportSectionLines(Section(slot, 3)));
    lines = Append(lines, ReportFootLines());

    EXPECT_EQ(CountStarting(lines, "<!DOCTYPE"), 1u);
    EXPECT_EQ(CountStarting(lines, "<BR><B><FONT size=5>Resolution: "), 3u);
    EXPECT_EQ(CountStarting(lines, "<span class=\"style5\">Score = "), 9u);
    EXPECT_EQ(CountStarting(lines, "<span class=\"style5\"><b>Average score = "), 3u);
    EXPECT_EQ(lines[headSize], "<BR><B><FONT size=5>Resolution: 640\xD7" "480</FONT></B><BR>");
    EXPECT_EQ(lines[lines.size() - 2], "<P></P>");
    EXPECT_EQ(lines.back(), "<CENTER>Wildmere Benchmark by Kestrane - www.kestrane.com</CENTER><BR></BODY></HTML>");

    const std::string page = JoinReport(lines);
    EXPECT_EQ(page.substr(page.size() - 2), "\r\n");
    EXPECT_EQ(static_cast<std::size_t>(std::count(page.begin(), page.end(), '\n')), lines.size());
    EXPECT_EQ(page.find("\n\n"), std::string::npos);
}

TEST(Report, AFailedMiddleSlotLeavesOnlyTheOtherSections) {
    auto lines = ReportHeaderLines({"x", PlainSystem(), ""});
    lines = Append(lines, ReportSectionLines(Section(1, 3)));
    lines = Append(lines, ReportSectionLines(Section(4, 3)));
    lines = Append(lines, ReportFootLines());
    const std::string page = JoinReport(lines);
    EXPECT_NE(page.find("Resolution: 800\xD7" "600<"), std::string::npos);
    EXPECT_EQ(page.find("Resolution: 1024\xD7" "768<"), std::string::npos);
    EXPECT_NE(page.find("Resolution: 1600\xD7" "1200<"), std::string::npos);
    EXPECT_LT(page.find("Resolution: 800"), page.find("Resolution: 1600"));
}

TEST(Report, FileNameFromTheStamp) {
    EXPECT_EQ(ReportFilePath("D:\\Results\\", "C:\\Bench\\", "05_04_2007_15_04_05"),
              "D:\\Results\\result_05_04_2007_15_04_05_.htm");
    EXPECT_EQ(ReportFilePath("", "C:\\Bench\\", "S"), "C:\\Bench\\Benchmark\\result_S_.htm");
    EXPECT_EQ(JoinReport({}), "");
    EXPECT_EQ(ShaderLabel(1), "Pixel shader: model 2.0b");
    EXPECT_EQ(ShaderLabel(-1), "");
}

}  // namespace wmb
