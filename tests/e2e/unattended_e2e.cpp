// Unattended starts: profiles saved from the window and run from a script's command line, sweeps, refusals,
// the recovery before a run and a second start.

#include <map>
#include <string>
#include <vector>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr UINT kSaveProfileCommand = 0x0100;
constexpr UINT kLoadProfileCommand = 0x0110;
constexpr int kRunMs = 240000;

// Every value of the settings key, name to text.
std::map<std::string, std::string> SettingsKeyValues() {
    std::map<std::string, std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrane\\RERurov", 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        values[name] = std::string(reinterpret_cast<const char*>(data), dataSize);
    }
    RegCloseKey(key);
    return values;
}

// The values that differ between two readings of the settings key, "name: before -> after" each, but for the
// crash-recovery flag, which every sequence sets and clears.
std::vector<std::string> ChangedValues(const std::map<std::string, std::string>& before,
                                       const std::map<std::string, std::string>& after) {
    std::map<std::string, std::pair<std::string, std::string>> both;
    for (const auto& [name, value] : before) both[name].first = value;
    for (const auto& [name, value] : after) both[name].second = value;
    std::vector<std::string> changed;
    for (const auto& [name, values] : both) {
        if (name != "NoErrorWarning" && values.first != values.second) {
            changed.push_back(name + ": \"" + values.first + "\" -> \"" + values.second + "\"");
        }
    }
    return changed;
}

class UnattendedE2E : public BenchTest {
protected:
    // Runs the program with `arguments` and waits for its end; its exit code.
    DWORD RunUnattended(const std::string& arguments) {
        RunningProgram run(program_ + "WildmereBench.exe", arguments, program_);
        EXPECT_TRUE(run.WaitForExit(kRunMs)) << "the unattended start did not end: " << arguments;
        if (run.IsRunning()) run.Terminate();
        return run.ExitCode().value_or(999);
    }

    // A profile of fixed slots (800 x 600 unless given), the first demo and two runs, its results in `results`.
    std::string WriteProfile(const std::string& name, const std::string& quality, const std::string& results,
                             const std::string& resolutions = "800x600") {
        const std::string path = program_ + name;
        WriteAll(path, "[WildmereBench profile]\r\nResolutions=" + resolutions + "\r\nCustomResolution=\r\nQuality=" + quality +
                           "\r\nDemo=Pixelgrund Demo\r\nRuns=2\r\nWait=1\r\nLanguage=English\r\nResultsFolder=" +
                           results + "\r\nScreenshotMode=off\r\n");
        return path;
    }

    // Chooses `path` in the file dialog that the system menu's `command` opens.
    void ProfileThroughMenu(UINT command, const std::string& path) {
        PostMessageA(Main(), WM_SYSCOMMAND, command, 0);
        HWND dialog = WaitForTopWindow(app_->ProcessId(), "#32770", 15000);
        ASSERT_NE(dialog, nullptr) << "no file dialog";
        ASSERT_TRUE(EnterFileName(dialog, path)) << "no file name box in the file dialog";
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 15000));
    }

    std::string LogIn(const std::string& folder) { return ReadAll(folder + "WildmereBench-unattended.log"); }
    // The log without /results: in the Results folder the program starts with.
    std::string StartLog() { return LogIn(game_ + "Benchmark\\"); }
};

TEST_F(UnattendedE2E, SavingAndLoadingAProfileGivesBackEveryControl) {
    enum class Shown { Checked, Unchecked, Text, Combo, Kept };  // Kept: shown as stored, not typed
    struct Control {
        int Page;
        int Id;
        Shown How;
        const char* Value;
    };
    const Control controls[] = {
        {1, IDC_DEMO0 + 2, Shown::Checked, ""},
        {2, IDC_RES0 + 1, Shown::Checked, ""},
        {2, IDC_RES0 + 3, Shown::Checked, ""},
        {2, IDC_RES0, Shown::Unchecked, ""},
        {2, IDC_CUSRESBOX, Shown::Checked, ""},
        {2, IDC_CUSWIDTH, Shown::Kept, "1280"},
        {2, IDC_CUSHEIGHT, Shown::Kept, "1024"},
        {2, IDC_DETAIL0 + 1, Shown::Checked, ""},
        {3, IDC_PSHADER0 + 2, Shown::Checked, ""},
        {3, IDC_AFBOX, Shown::Combo, "4"},
        {3, IDC_AABOX, Shown::Combo, "6"},
        {4, IDC_RENDERERBOX, Shown::Combo, "OpenGL"},
        {4, IDC_RUNNUMBERBOX, Shown::Combo, "15"},
        {4, IDC_LANGBOX, Shown::Combo, "Russian"},
        {5, IDC_NOTEEDIT, Shown::Text, "Quiet room"},
        {5, IDC_WAITS, Shown::Text, "5"},
        {5, IDC_DECBOX, Shown::Combo, ","},
        {5, IDC_REPEATBOX, Shown::Checked, ""},
        {5, IDC_REPEATLIMITEDIT, Shown::Text, "12"},
        {7, IDC_HDRBOX, Shown::Checked, ""},
        {7, IDC_HDRLEVELBOX, Shown::Text, "7"},
        {7, IDC_GIBOX, Shown::Checked, ""},
        {7, IDC_COMPRESSBOX, Shown::Checked, ""},
    };
    PointAtGame();
    SetSetting("CusW", "1280");
    SetSetting("CusH", "1024");
    StartProgram();
    ChooseTypicalSettings("15");
    for (const Control& c : controls) {
        ShowPage(c.Page);
        switch (c.How) {
        case Shown::Checked: SetCheck(Ctl(c.Id), true); break;
        case Shown::Unchecked: SetCheck(Ctl(c.Id), false); break;
        case Shown::Text: TypeText(Ctl(c.Id), c.Value); break;
        case Shown::Combo: SelectComboItem(Ctl(c.Id), c.Value); break;
        case Shown::Kept: break;
        }
    }
    const std::string profile = program_ + "every.ini";
    ProfileThroughMenu(kSaveProfileCommand, profile);
    ASSERT_TRUE(WaitUntil([&] { return Exists(profile); }, 15000)) << "the profile was not saved";
    CloseProgram();

    // A first start with the game: nothing chosen yet; the profile brings every choice back.
    ResetSettingsKey();
    PointAtGame();
    StartProgram();
    ProfileThroughMenu(kLoadProfileCommand, profile);
    for (const Control& c : controls) {
        switch (c.How) {
        case Shown::Checked: EXPECT_TRUE(IsChecked(Ctl(c.Id))) << c.Id; break;
        case Shown::Unchecked: EXPECT_FALSE(IsChecked(Ctl(c.Id))) << c.Id; break;
        case Shown::Text:
        case Shown::Kept: EXPECT_EQ(GetText(Ctl(c.Id)), c.Value) << c.Id; break;
        case Shown::Combo: EXPECT_EQ(ComboText(Ctl(c.Id)), c.Value) << c.Id; break;
        }
    }
    EXPECT_TRUE(IsEnabled(Ctl(IDC_HDRLEVELBOX))) << "the HDR rule did not follow the loaded choice";
    CloseProgram();
}

TEST_F(UnattendedE2E, AProfileSavedFromTheWindowRunsQuietlyFromTheCommandLine) {
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("2");
    CheckResolution(1);
    const std::string profile = program_ + "lab.ini";
    ProfileThroughMenu(kSaveProfileCommand, profile);
    ASSERT_TRUE(WaitUntil([&] { return Exists(profile); }, 15000)) << "the profile was not saved";
    CloseProgram();

    // The script's edit: the results go elsewhere.
    std::string text = ReadAll(profile);
    const std::size_t at = text.find("ResultsFolder=");
    ASSERT_NE(at, std::string::npos) << text;
    const std::string results = program_ + "Lab results\\";
    text.replace(at, text.find("\r\n", at) - at, "ResultsFolder=" + results);
    WriteAll(profile, text);
    const auto before = SettingsKeyValues();

    EXPECT_EQ(RunUnattended("/run \"" + profile + "\" /quiet"), 0u) << StartLog();
    EXPECT_EQ(ReportsIn(results).size(), 1u);
    const std::string report = ReportsIn(results).empty() ? "" : ReportsIn(results)[0];
    EXPECT_TRUE(Exists(results + report.substr(0, report.size() - 4) + ".json"));
    EXPECT_NE(StartLog().find("exit code 0"), std::string::npos) << StartLog();
    EXPECT_EQ(ChangedValues(before, SettingsKeyValues()), std::vector<std::string>{});
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), ReadAll(program_ + "Backup\\system.cfg"))
        << "the game's configuration is not back";
    EXPECT_EQ(Launches().size(), 1u);
}

TEST_F(UnattendedE2E, ASweepWithAFailingSlotEndsWithOneAndComparesAllThree) {
    PointAtGame();
    // The third profile has two slots; the third start, its first, ends before its last run: that slot
    // fails, the sequence goes on and writes its report.
    WriteAll(game_ + "wildmere-test.ini", "keep_logs=1\r\n[launch 3]\r\nquit_early=1\r\n");
    const std::string results = program_ + "Sweep\\";
    const std::string low = WriteProfile("low.ini", "Minimum", results);
    const std::string high = WriteProfile("high.ini", "Ultra", results);
    const std::string failing = WriteProfile("failing.ini", "Maximum", results, "800x600, 1024x768");

    EXPECT_EQ(RunUnattended("/run \"" + low + "\" \"" + high + "\" \"" + failing + "\" /quiet"), 1u) << StartLog();
    EXPECT_EQ(ReportsIn(results).size(), 3u);
    std::string page;
    for (const std::string& file : FilesIn(results)) {
        if (file.size() > 12 && file.substr(file.size() - 12) == "_compare.htm") page = ReadAll(results + file);
    }
    ASSERT_FALSE(page.empty()) << "no comparison page";
    for (const char* each : {"low.ini", "high.ini", "failing.ini"}) EXPECT_NE(page.find(each), std::string::npos) << each;
    EXPECT_NE(page.find("<h2>Not compared</h2>"), std::string::npos);
    EXPECT_NE(page.find("failing.ini: the sequence failed"), std::string::npos);
}

TEST_F(UnattendedE2E, AProfileWithAnUnknownKeyIsRefusedAndTouchesNothing) {
    PointAtGame();
    const std::string results = program_ + "Refused\\";
    const std::string profile = program_ + "odd.ini";
    WriteAll(profile, "[WildmereBench profile]\r\nRuns=2\r\nTurbo=on\r\nResultsFolder=" + results + "\r\n");
    const std::string gameConfig = ReadAll(game_ + "system.cfg");

    // The profile is refused before its results folder is read, so the log goes to the /results folder.
    // Without its last backslash, which would escape the closing quote on a command line.
    const std::string folder = results.substr(0, results.size() - 1);
    EXPECT_EQ(RunUnattended("/run \"" + profile + "\" /results \"" + folder + "\" /quiet"), 2u);
    const std::string log = LogIn(results);
    EXPECT_NE(log.find("line 3"), std::string::npos) << log;
    EXPECT_NE(log.find("Turbo"), std::string::npos) << log;
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), gameConfig);
    EXPECT_FALSE(Exists(program_ + "Backup\\system.cfg")) << "a backup means the sequence started";
    EXPECT_TRUE(Launches().empty());
}

TEST_F(UnattendedE2E, ASequenceCutShortIsPutRightBeforeTheRun) {
    PointAtGame();
    const std::string userConfig = ReadAll(game_ + "system.cfg");
    // A sequence cut short: the program ends while the game of its first slot runs.
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=5\r\n");
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(0);
    Click(Ctl(IDC_BENCHBUTTON));
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
    app_->Terminate();
    main_ = nullptr;
    ASSERT_EQ(Setting("NoErrorWarning"), "1");
    ASSERT_TRUE(WaitUntil([&] { return GameEnded(); }, 30000)) << "the game did not end";
    const std::string left = ReadAll(game_ + "system.cfg");
    ASSERT_NE(left, userConfig);
    WriteAll(game_ + "wildmere-test.ini", "");

    const std::string results = program_ + "After recovery\\";
    const std::string profile = WriteProfile("after.ini", "Maximum", results);
    EXPECT_EQ(RunUnattended("/run \"" + profile + "\" /quiet"), 0u) << StartLog();
    const std::string log = StartLog();
    EXPECT_NE(log.find("Yes (unattended start)"), std::string::npos) << log;
    EXPECT_LT(log.find("Yes (unattended start)"), log.find("starts.")) << log;
    // As after any sequence, the user's file is back as the backup holds it (repaired where it needs).
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), ReadAll(program_ + "Backup\\system.cfg"));
    EXPECT_NE(ReadAll(game_ + "system.cfg"), left) << "the configuration the cut sequence left is still there";
    EXPECT_EQ(ReportsIn(results).size(), 1u);
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
}

TEST_F(UnattendedE2E, ASecondUnattendedStartWhileOneRunsEndsWithFour) {
    PointAtGame();
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=5\r\n");
    const std::string results = program_ + "First\\";
    const std::string profile = WriteProfile("first.ini", "Maximum", results);
    RunningProgram first(program_ + "WildmereBench.exe", "/run \"" + profile + "\" /quiet", program_);
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << "the first run did not start its game";
    EXPECT_EQ(RunUnattended("/run \"" + profile + "\" /quiet"), 4u);
    ASSERT_TRUE(first.WaitForExit(kRunMs));
    EXPECT_EQ(first.ExitCode().value_or(999), 0u);
}

}  // namespace
}  // namespace wmb::e2e
