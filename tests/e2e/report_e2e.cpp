// What a sequence leaves behind: the HTML report of a benchmark (its file, its content, the browser
// asked to show it) and, in screenshot mode, the captured pictures with their information files.

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "e2e/bench_fixture.h"
#include "e2e/registry_override.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

// The Unix path of a file on Wine's drive Z:.
std::string UnixPath(const std::string& windowsPath) {
    std::string path = windowsPath.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string Url(const std::string& unixPath) {
    std::string url = "file://";
    for (char c : unixPath) url += c == ' ' ? std::string("%20") : std::string(1, c);
    return url;
}

// Every line break is CR LF, the last line included.
bool EndsEveryLineWithCrLf(const std::string& bytes) {
    if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
    }
    return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The frame-rate text of a timedemo result line: after the first comma, then after the first colon.
std::string ScoreText(std::string line) {
    if (auto comma = line.find(','); comma != std::string::npos) line = line.substr(comma + 1);
    if (auto colon = line.find(':'); colon != std::string::npos) line = line.substr(colon + 1);
    return line;
}

// The report's lines for the scores of a three-run log: one per run, then the average, worked out in
// single precision and cut (not rounded) after two decimals.
std::vector<std::string> ExpectedScoreLines(const std::string& log) {
    const auto lines = SplitLines(log);
    std::vector<std::string> expected;
    float sum = 0;
    for (int run = 1; run <= 3; ++run) {
        const std::size_t index = 3 + 5 * (run - 1);
        if (index >= lines.size()) return {};
        const std::string score = ScoreText(lines[index]);
        sum = static_cast<float>(std::strtod(score.c_str(), nullptr) + sum);
        expected.push_back("<span class=\"style5\">Score = " + score + " FPS (Run " + std::to_string(run) + ")</span><br>");
    }
    const float average = sum / 3;
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(average));
    std::string averageText = text;
    if (auto dot = averageText.find('.'); dot != std::string::npos) averageText = averageText.substr(0, dot + 3);
    expected.push_back("<span class=\"style5\"><b>Average score = " + averageText + " FPS</b></span><br>");
    return expected;
}

bool ContainsBlock(const std::vector<std::string>& lines, const std::vector<std::string>& block) {
    return !block.empty() && std::search(lines.begin(), lines.end(), block.begin(), block.end()) != lines.end();
}

std::string ProductName() {
    return RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", KEY_READ)
        .ReadString("ProductName");
}

class ReportE2E : public BenchTest {
protected:
    // Shader model 2.0b, antialiasing 4, anisotropic filtering 8, Direct3D: every choice shows in the
    // report's and the information file's lines.
    void ChooseRenderingOptions() {
        ShowPage(3);
        Click(Ctl(IDC_PSHADER0 + 1));
        SelectComboItem(Ctl(IDC_AFBOX), "8");
        SelectComboItem(Ctl(IDC_AABOX), "4");
        ShowPage(4);
        SelectComboItem(Ctl(IDC_RENDERERBOX), "Direct3D");
    }

    std::string WorkFolder() const { return program_.substr(0, program_.size() - std::string("Bench\\").size()); }

    // The game's timedemo log of the Pier demo; rewritten by every slot.
    std::string LogPath() const { return game_ + "Levels\\Pier\\1.log"; }

    // Runs a benchmark and returns every slot's timedemo log in the order the slots ran. The program
    // deletes a slot's log before the next start, so the game keeps a copy of each (keep_logs).
    std::vector<std::string> BenchmarkKeepingLogs(const std::string& finalStatus) {
        WriteAll(game_ + "wildmere-test.ini", "keep_logs=1\r\n");
        RunBenchmark(finalStatus);
        std::vector<std::string> logs;
        for (std::size_t start = 1; start <= Launches().size(); ++start)
            logs.push_back(ReadAll(game_ + "wildmere-log-" + std::to_string(start) + ".txt"));
        return logs;
    }
};

std::vector<std::string> SectionHead(const std::string& resolution) {
    return {"<BR><B><FONT size=5>Resolution: " + resolution + "</FONT></B><BR>",
            "Maximum quality option, Direct3D renderer<br>",
            "Level: Pier, demo: 1.tmd<br>",
            "Pixel shader: model 2.0b<br>",
            "Antialising: 4\xD7<br>",
            "Anisotropic filtering: 8\xD7<br>",
            "HDR: disabled<br>",
            "Geometry Instancing: disabled<br>",
            "Normal-maps compression: disabled<br><br>"};
}

TEST_F(ReportE2E, TwoSlotsWithThreeRunsGiveOneReportThatTheBrowserIsAskedToShow) {
    const std::string script = WorkFolder() + "browser.sh";
    const std::string opened = WorkFolder() + "browser-opened.txt";
    WriteAll(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + UnixPath(opened) + "'\n");
    // Files made through Wine carry no execute permission, so the shell runs the script.
    RegistryValueOverride browsers(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers",
                                   "/bin/sh " + UnixPath(script));
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("3");
    ChooseRenderingOptions();
    CheckResolution(1);
    CheckResolution(2);
    const auto logs = BenchmarkKeepingLogs("The benchmarking is successful.");

    const auto reports = ReportsIn(game_ + "Benchmark");
    ASSERT_EQ(reports.size(), 1u);
    const std::string path = game_ + "Benchmark\\" + reports[0];
    const std::string bytes = ReadAll(path);
    EXPECT_TRUE(EndsEveryLineWithCrLf(bytes));
    EXPECT_NE(bytes.find('\xD7'), std::string::npos);
    const auto lines = SplitLines(bytes);

    // The file is named after the start time the report shows, made safe for a file name.
    const std::string startedAt = "   The benchmark started at ";
    const auto started = std::find_if(lines.begin(), lines.end(),
                                      [&](const std::string& line) { return line.rfind(startedAt, 0) == 0; });
    ASSERT_NE(started, lines.end());
    std::string stamp = started->substr(startedAt.size(), started->size() - startedAt.size() - 4);
    for (char& c : stamp) {
        if (std::string(":./-\\ ").find(c) != std::string::npos) c = '_';
    }
    EXPECT_EQ(reports[0], "result_" + stamp + "_.htm");

    EXPECT_TRUE(ContainsBlock(lines, {"   <FONT size=2><b>Operating system:</b> " + ProductName() + "</FONT><br>"}));
    const auto cpu = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("   <FONT size=2><b>CPU:</b> ", 0) == 0;
    });
    ASSERT_NE(cpu, lines.end());
    EXPECT_GT(cpu->size(), std::string("   <FONT size=2><b>CPU:</b> </FONT><br>").size()) << *cpu;
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find("<FONT size=5>Resolution:") != std::string::npos; }),
              2);

    auto first = SectionHead("800\xD7" "600");
    auto second = SectionHead("1024\xD7" "768");
    ASSERT_EQ(logs.size(), 2u) << "the test saw " << logs.size() << " complete logs";
    const auto firstScores = ExpectedScoreLines(logs[0]);
    const auto secondScores = ExpectedScoreLines(ReadAll(LogPath()));
    EXPECT_EQ(ReadAll(LogPath()).rfind(logs[1], 0), 0u);
    ASSERT_EQ(firstScores.size(), 4u);
    ASSERT_EQ(secondScores.size(), 4u);
    first.insert(first.end(), firstScores.begin(), firstScores.end());
    first.push_back("<br><HR>");
    second.insert(second.end(), secondScores.begin(), secondScores.end());
    second.push_back("<br><HR>");
    const auto firstAt = std::search(lines.begin(), lines.end(), first.begin(), first.end());
    const auto secondAt = std::search(lines.begin(), lines.end(), second.begin(), second.end());
    EXPECT_NE(firstAt, lines.end()) << bytes;
    EXPECT_NE(secondAt, lines.end()) << bytes;
    EXPECT_LT(firstAt, secondAt);
    EXPECT_EQ(lines.back().substr(lines.back().size() - std::string("</BODY></HTML>").size()), "</BODY></HTML>");

    // The shell hands the report to the browser as an address.
    ASSERT_TRUE(WaitUntil([&] { return !ReadAll(opened).empty(); }, 30000)) << "the browser was not started";
    EXPECT_EQ(LinesOf(opened), std::vector<std::string>{Url(UnixPath(path))});
    CloseProgram();
}

TEST_F(ReportE2E, EmptyResultsFolderIsRefilledAtStartAndOtherwiseFallsBackToTheProgramFolder) {
    PointAtGame();
    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), game_ + "Benchmark\\");
    EXPECT_EQ(Setting("ResultPath"), game_ + "Benchmark\\");
    CloseProgram();

    // A start with the game puts the default back in place of an empty setting.
    SetSetting("ResultPath", "");
    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), game_ + "Benchmark\\");
    EXPECT_EQ(Setting("ResultPath"), game_ + "Benchmark\\");

    // No control lets a person empty the read-only box while a game is known, so the test does it
    // directly to see where a report without a Results folder goes.
    SendMessageA(Ctl(IDC_RESEDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_EQ(GetText(Ctl(IDC_RESEDIT)), "");
    ChooseTypicalSettings("1");
    CheckResolution(1);
    RunBenchmark("The benchmarking is successful.");
    const auto reports = ReportsIn(program_ + "Benchmark");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("result_", 0), 0u);
    EXPECT_NE(ReadAll(program_ + "Benchmark\\" + reports[0]).find("Resolution: 800\xD7" "600"), std::string::npos);
    EXPECT_TRUE(FilesIn(game_ + "Benchmark").empty());
    CloseProgram();
}

TEST_F(ReportE2E, ScreenshotModeLeavesOnePictureAndInformationFilePerSlot) {
    // A day.month.year date and a 24-hour clock make the picture stamp fourteen digits.
    RegistryValueOverride date(HKEY_CURRENT_USER, "Control Panel\\International", "sShortDate", "dd.MM.yyyy");
    RegistryValueOverride clock(HKEY_CURRENT_USER, "Control Panel\\International", "sTimeFormat", "HH:mm:ss");
    SetSetting("TRun", "2");
    PointAtGame();
    WriteAll(game_ + "Wildmere0000.jpg", "picture of an earlier run");
    StartProgram();
    ChooseTypicalSettings("3");
    ChooseRenderingOptions();

    ShowPage(6);
    SetCheck(Ctl(IDC_ENABLESCSHOT), true);
    EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Screenshot");
    EXPECT_EQ(Status(), "Set the parameters & get screenshot!");
    EXPECT_EQ(ComboText(Ctl(IDC_RUNNUMBERBOX)), "1");
    TypeText(Ctl(IDC_FRAMEEDIT), "500");
    LeaveControl(Ctl(IDC_FRAMEEDIT));
    ASSERT_EQ(GetText(Ctl(IDC_FRAMEEDIT)), "500");
    CheckResolution(1);
    CheckResolution(3);
    RunBenchmark("Screenshot mode is successful.");

    const std::string frameArgument = " \"#demo_screenshot_frame=501\" ";
    ASSERT_EQ(Launches().size(), 2u);
    for (const auto& launch : Launches()) {
        ASSERT_GE(launch.size(), frameArgument.size());
        EXPECT_EQ(launch.substr(launch.size() - frameArgument.size()), frameArgument) << launch;
    }
    EXPECT_FALSE(Exists(game_ + "Wildmere0000.jpg"));
    EXPECT_TRUE(FilesIn(game_ + "Benchmark").empty());
    const std::string folder = game_ + "Screenshot\\";
    auto files = FilesIn(folder);
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 4u);
    const std::string prefix = "frame500_";
    ASSERT_EQ(files[0].rfind(prefix, 0), 0u) << files[0];
    const std::string stamp = files[0].substr(prefix.size(), 14);
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos) << stamp;
    const std::vector<std::string> expected = {prefix + stamp + "_1280.jpg", prefix + stamp + "_1280.txt",
                                               prefix + stamp + "_800.jpg", prefix + stamp + "_800.txt"};
    ASSERT_EQ(files, expected);

    for (const char* slot : {"800", "1280"}) {
        const std::string base = folder + prefix + stamp + "_" + slot;
        const std::string picture = ReadAll(base + ".jpg");
        EXPECT_EQ(picture.substr(0, 2), "\xFF\xD8") << slot;
        const std::string info = ReadAll(base + ".txt");
        EXPECT_TRUE(EndsEveryLineWithCrLf(info)) << slot;
        const std::string resolution = std::string(slot) == "800" ? "800\xD7" "600" : "1280\xD7" "1024";
        const std::vector<std::string> lines = {"Resolution: " + resolution,
                                                "Frame: 500",
                                                "Renderer: Direct3D",
                                                "Demo: 1.tmd",
                                                "Pixel shader: model 2.0b",
                                                "Antialising: 4\xD7",
                                                "Anisotropic filtering: 8\xD7",
                                                "Quality: Maximum quality option",
                                                "HDR: disabled",
                                                "Normal-maps compression: disabled",
                                                "Geometry Instancing: disabled"};
        EXPECT_EQ(SplitLines(info), lines) << slot;
    }

    ShowPage(6);
    SetCheck(Ctl(IDC_ENABLESCSHOT), false);
    EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Benchmark");
    EXPECT_EQ(ComboText(Ctl(IDC_RUNNUMBERBOX)), "2");
    EXPECT_EQ(Status(), "");
    ShowPage(4);
    EXPECT_TRUE(IsEnabled(Ctl(IDC_RUNNUMBERBOX)));
    CloseProgram();
}

TEST_F(ReportE2E, PictureOfAnEarlierRunIsDeletedBeforeTheFirstSlot) {
    PointAtGame();
    WriteAll(game_ + "Wildmere0000.jpg", "picture of an earlier run");
    // The game saves no picture this time, so only the old one could end up in the Screenshot folder.
    WriteAll(game_ + "wildmere-test.ini", "no_picture=1\r\n");
    StartProgram();
    ChooseTypicalSettings("1");
    SwitchOnScreenshotMode("500");
    CheckResolution(1);
    RunBenchmark("Screenshot mode is successful.");
    EXPECT_EQ(Launches().size(), 1u);
    EXPECT_FALSE(Exists(game_ + "Wildmere0000.jpg"));
    EXPECT_TRUE(FilesIn(game_ + "Screenshot").empty());
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
