// The game's configuration around a benchmark: the generated or custom system.cfg while the game runs, the
// user's own file afterwards, the backups, the override file, and how the game's frame rates reach the report.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/bench_fixture.h"
#include "platform/win32/registry_key.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

// The user's own configuration: mixed line ends (LF, CR LF, a lone CR), no line end after the last line
// and the sound switched off, as the game leaves it after a benchmark that was cut short.
const std::string kUserConfig =
    "-- My own settings\n\nr_Width = \"1152\"\r\nr_Height = \"864\"\rs_SoundEnable = \"0\"\nsys_spec = \"2\"";
// What the restore makes of it: CR LF everywhere and the sound switched on again.
const std::string kRestoredConfig =
    "-- My own settings\r\n\r\nr_Width = \"1152\"\r\nr_Height = \"864\"\r\ns_SoundEnable = \"1\"\r\n"
    "sys_spec = \"2\"\r\n";

constexpr const char* kPresetComment = "-- This file has been written by WildmereConfigurator.exe";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// The score text of a result line of the timedemo log: what follows its last colon, blank included.
std::string ScoreText(const std::string& resultLine) { return resultLine.substr(resultLine.rfind(':') + 1); }

double ScoreValue(std::string text) {
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    return std::strtod(text.c_str(), nullptr);
}

// The average frame rate as the report shows it: single-precision sum and average, at most 15 significant
// digits, cut (not rounded) after two decimals.
std::string ReportAverage(const std::vector<double>& scores) {
    float sum = 0;
    for (double v : scores) sum = static_cast<float>(static_cast<long double>(v) + sum);
    const float average = static_cast<float>(static_cast<long double>(sum) / scores.size());
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(average));
    std::string result = text;
    if (const auto point = result.find('.'); point != std::string::npos) result = result.substr(0, point + 3);
    return result;
}

// Lines of the report that carry frame rates, with their markup.
std::vector<std::string> ScoreLines(const std::string& report) {
    std::vector<std::string> found;
    for (const std::string& line : SplitCrLf(report)) {
        if (line.find("Score = ") != std::string::npos || line.find("Average score = ") != std::string::npos)
            found.push_back(line);
    }
    return found;
}

// Sets the user's decimal separator for the test's lifetime and puts the previous one back afterwards.
class DecimalSeparatorOverride {
public:
    explicit DecimalSeparatorOverride(const std::string& separator) {
        RegKey key = RegKey::Open(HKEY_CURRENT_USER, kInternational, KEY_ALL_ACCESS);
        hadValue_ = key.ValueExists("sDecimal");
        previous_ = key.ReadString("sDecimal");
        key.WriteString("sDecimal", separator);
    }
    ~DecimalSeparatorOverride() {
        RegKey key = RegKey::Open(HKEY_CURRENT_USER, kInternational, KEY_ALL_ACCESS);
        if (hadValue_) {
            key.WriteString("sDecimal", previous_);
        } else {
            key.DeleteValue("sDecimal");
        }
    }
    DecimalSeparatorOverride(const DecimalSeparatorOverride&) = delete;
    DecimalSeparatorOverride& operator=(const DecimalSeparatorOverride&) = delete;

private:
    static constexpr const char* kInternational = "Control Panel\\International";
    bool hadValue_ = false;
    std::string previous_;
};

class GameConfigE2E : public BenchTest {
protected:
    std::string WorkFolder() const { return program_.substr(0, program_.size() - std::string("Bench\\").size()); }
    std::string GameConfig() const { return ReadAll(game_ + "system.cfg"); }
    std::string OverrideFile() const { return ReadAll(game_ + "Systemcfgoverride.cfg"); }
    std::string UserBackup() const { return ReadAll(program_ + "Backup\\system.cfg"); }
    std::string PierLog() const { return game_ + "Levels\\Pier\\1.log"; }

    void ChooseDetail(int item) {
        ShowPage(2);
        Click(Ctl(IDC_DETAIL0 + item));
    }
    void SetGeometryInstancing(bool on) {
        ShowPage(7);
        SetCheck(Ctl(IDC_GIBOX), on);
    }
    bool GameIsRunning() const { return StartsWith(Status(), "Benchmarking in progress... Resolution: "); }

    // Presses Benchmark and waits until the game of the first slot has started.
    void StartBenchmarkAndWaitForGame() {
        Click(Ctl(IDC_BENCHBUTTON));
        ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 30000)) << Status();
    }
    void WaitForSuccess() {
        ASSERT_TRUE(WaitUntil([&] { return Status() == "The benchmarking is successful." &&
                                           IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 90000)) << Status();
    }

    // The first run's average frame rate from the timedemo log of the last game start.
    double FirstRunFps() const {
        const auto lines = LinesOf(PierLog());
        if (lines.size() < 4) return 0;
        return ScoreValue(ScoreText(lines[3]));
    }
};

TEST_F(GameConfigE2E, PresetIsInPlaceWhileTheGameRunsAndTheUserFileComesBackRepaired) {
    WriteAll(game_ + "system.cfg", kUserConfig);
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=4\r\n");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    ChooseDetail(0);
    SetGeometryInstancing(true);
    CheckResolution(0);
    StartBenchmarkAndWaitForGame();

    const auto running = SplitCrLf(GameConfig());
    const std::string overrideWhileRunning = OverrideFile();
    ASSERT_TRUE(GameIsRunning()) << "the game ended before its files were read; status: " << Status();
    ASSERT_GE(running.size(), 3u);
    EXPECT_EQ(running[0], kPresetComment);
    EXPECT_EQ(running[1], "");
    EXPECT_EQ(running.back(), "ui_TriggerWidgetEvents = \"1\"");  // the Ultra preset's last line
    EXPECT_EQ(overrideWhileRunning,
              "r_geominstancing = \"1\"\r\nr_water_ocean_sun_reflection = \"1\"\r\ne_water_ocean_tesselation = \"2\"\r\n");
    // The user's file waits in the backup, untouched, while the game runs.
    EXPECT_EQ(UserBackup(), kUserConfig);

    WaitForSuccess();
    EXPECT_EQ(GameConfig(), kRestoredConfig);
    EXPECT_EQ(UserBackup(), kRestoredConfig);  // the repair reaches the backup too
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    CloseProgram();
}

TEST_F(GameConfigE2E, AbortPutsTheUserFileBackRepaired) {
    WriteAll(game_ + "system.cfg", kUserConfig);
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=4\r\n");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    for (int slot : {0, 1, 2}) CheckResolution(slot);
    StartBenchmarkAndWaitForGame();
    EXPECT_TRUE(StartsWith(GameConfig(), kPresetComment));
    EXPECT_NE(OverrideFile().find("r_geominstancing = \""), std::string::npos);
    HWND abortButton = Ctl(IDC_IMAGE2);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(abortButton); }, 5000));
    Click(abortButton);
    ASSERT_TRUE(WaitUntil([&] { return Status() == "Benchmark aborted." && IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 60000))
        << Status();
    EXPECT_EQ(Launches().size(), 1u);
    EXPECT_EQ(GameConfig(), kRestoredConfig);
    EXPECT_EQ(UserBackup(), kRestoredConfig);
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    CloseProgram();
}

TEST_F(GameConfigE2E, StrayBin32ConfigEndsUpOnlyInTheBackup) {
    const std::string stray = "-- left behind by a patch\nr_Width = \"800\"\n";
    // Without a sound line the user's file comes back with only its line ends normalised, and its backup
    // keeps the original bytes.
    const std::string user = "r_Width = \"1152\"\nr_Height = \"864\"";
    WriteAll(bin32_ + "system.cfg", stray);
    WriteAll(game_ + "system.cfg", user);
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(0);
    RunBenchmark("The benchmarking is successful.");
    EXPECT_FALSE(Exists(bin32_ + "system.cfg"));
    EXPECT_EQ(ReadAll(program_ + "Backup\\Bin32\\system.cfg"), stray);
    EXPECT_EQ(GameConfig(), "r_Width = \"1152\"\r\nr_Height = \"864\"\r\n");
    EXPECT_EQ(UserBackup(), user);

    // A second sequence does not bring it back either, and its copy stays as it was.
    RunBenchmark("The benchmarking is successful.");
    EXPECT_FALSE(Exists(bin32_ + "system.cfg"));
    EXPECT_EQ(ReadAll(program_ + "Backup\\Bin32\\system.cfg"), stray);
    EXPECT_EQ(Launches().size(), 2u);
    CloseProgram();
}

TEST_F(GameConfigE2E, CustomFileIsTheGameConfigurationByteForByte) {
    // Options the presets would rewrite, with LF line ends and no final line end.
    const std::string custom =
        "-- tuned by hand\nr_Driver = \"OpenGL\"\nr_FSAA = \"0\"\nr_Texture_Anisotropic_Level = \"2\"\n"
        "g_language = \"german\"\ne_vegetation_sprites_distance_ratio = \"0.5\"";
    const std::string customPath = WorkFolder() + "My configs\\bench system.cfg";
    CreateDirectoryA((WorkFolder() + "My configs").c_str(), nullptr);
    WriteAll(customPath, custom);
    WriteAll(game_ + "system.cfg", kUserConfig);
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=4\r\n");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    ShowPage(3);
    SelectComboItem(Ctl(IDC_AFBOX), "16");
    SelectComboItem(Ctl(IDC_AABOX), "8");
    ShowPage(4);
    SelectComboItem(Ctl(IDC_RENDERERBOX), "Direct3D");
    SetGeometryInstancing(true);
    ChooseDetail(3);
    ASSERT_TRUE(IsEnabled(Ctl(IDC_DETAILEDIT)));
    TypeText(Ctl(IDC_DETAILEDIT), customPath);
    CheckResolution(0);
    StartBenchmarkAndWaitForGame();

    const std::string running = GameConfig();
    const std::string overrideWhileRunning = OverrideFile();
    ASSERT_TRUE(GameIsRunning()) << "the game ended before its files were read; status: " << Status();
    EXPECT_EQ(running, custom);
    EXPECT_EQ(overrideWhileRunning, "r_geominstancing = \"1\"\r\ne_vegetation_sprites_distance_ratio = \"100.0\"\r\n");

    WaitForSuccess();
    EXPECT_EQ(ReadAll(customPath), custom);
    EXPECT_EQ(GameConfig(), kRestoredConfig);
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    const auto reports = ReportsIn(game_ + "Benchmark");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(ReadAll(game_ + "Benchmark\\" + reports[0]).find("Custom quality option"), std::string::npos);
    CloseProgram();
}

TEST_F(GameConfigE2E, GameRunsClearlyFasterWithMinimumThanWithUltraDetails) {
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(2);
    ChooseDetail(0);
    RunBenchmark("The benchmarking is successful.");
    const double ultra = FirstRunFps();
    ChooseDetail(2);
    RunBenchmark("The benchmarking is successful.");
    const double minimum = FirstRunFps();
    ASSERT_GT(ultra, 0.0) << ReadAll(PierLog());
    EXPECT_GT(minimum, ultra * 1.3) << "Ultra " << ultra << " FPS, Minimum " << minimum << " FPS";
    // Both games got the same resolution: only the configuration differed.
    const auto launches = Launches();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0], launches[1]);
    CloseProgram();
}

TEST_F(GameConfigE2E, UnwritableBackupLeavesTheUserFileInPlace) {
    // A file where the Backup folder belongs: nothing can be saved below it.
    WriteAll(program_ + "Backup", "not a folder");
    WriteAll(game_ + "system.cfg", kUserConfig);
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(0);
    Click(Ctl(IDC_BENCHBUTTON));
    const std::string message = AnswerMessage(IDOK, 30000);
    EXPECT_NE(message.find("The benchmark cannot start: the game's configuration could not be backed up."),
              std::string::npos)
        << message;
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 30000)) << Status();
    EXPECT_EQ(GameConfig(), kUserConfig);
    EXPECT_TRUE(Launches().empty());
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
    EXPECT_NE(Setting("NoErrorWarning"), "1");
    EXPECT_EQ(ReadAll(program_ + "Backup"), "not a folder");
    CloseProgram();
}

TEST_F(GameConfigE2E, CommaLocaleReadsDotAndCommaLogsAlike) {
    DecimalSeparatorOverride comma(",");
    PointAtGame();
    StartProgram();
    // With an empty settings key the program takes the report's separator from the locale: it saw the comma.
    // (This process may hold the separator it read before, so only a fresh program can tell.)
    ASSERT_EQ(Setting("Decimal"), ",") << "the locale does not take the decimal separator from the registry";
    ChooseTypicalSettings("2");
    ShowPage(5);
    SelectComboItem(Ctl(IDC_DECBOX), ".");
    CheckResolution(0);

    for (const char* ini : {"", "comma=1\r\n"}) {
        SCOPED_TRACE(*ini ? "log with decimal commas" : "log with decimal points");
        WriteAll(game_ + "wildmere-test.ini", ini);
        RunBenchmark("The benchmarking is successful.");
        const auto log = LinesOf(PierLog());
        ASSERT_GE(log.size(), 9u);
        const std::string first = ScoreText(log[3]);
        const std::string second = ScoreText(log[8]);
        EXPECT_EQ(first.find(*ini ? '.' : ','), std::string::npos) << log[3];

        const auto reports = ReportsIn(game_ + "Benchmark");
        ASSERT_EQ(reports.size(), 1u);
        const std::string reportPath = game_ + "Benchmark\\" + reports[0];
        auto asReported = [](std::string score) {
            for (char& c : score) {
                if (c == ',') c = '.';
            }
            return score;
        };
        const std::vector<std::string> expected = {
            "<span class=\"style5\">Score = " + asReported(first) + " FPS (Run 1)</span><br>",
            "<span class=\"style5\">Score = " + asReported(second) + " FPS (Run 2)</span><br>",
            "<span class=\"style5\"><b>Average score = " + ReportAverage({ScoreValue(first), ScoreValue(second)}) +
                " FPS</b></span><br>"};
        EXPECT_EQ(ScoreLines(ReadAll(reportPath)), expected);
        DeleteFileA(reportPath.c_str());
    }
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
