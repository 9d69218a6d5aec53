// The user's own demos through the window: the map and demo lists, the import, a benchmark of a user
// demo, the names kept across a restart, and the frames dialog of screenshot mode.

#include <algorithm>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr int kUserDemo = IDC_DEMO0 + 11;
constexpr const char* kFramesCaption = "User defined demo frames";

std::string DemoText(const std::string& level, const std::string& demo) {
    return "WILDMERE TIMEDEMO 1\r\nlevel=" + level + "\r\ndemo=" + demo + "\r\nframes=3000\r\n";
}

bool Holds(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

class UserDemosE2E : public BenchTest {
protected:
    std::string Levels() const { return game_ + "Levels\\"; }
    std::string Work() const { return program_.substr(0, program_.size() - std::string("Bench\\").size()); }
    void PutDemo(const std::string& map, const std::string& file) {
        CreateDirectoryA((Levels() + map).c_str(), nullptr);
        const auto slash = file.find('\\');
        if (slash != std::string::npos) CreateDirectoryA((Levels() + map + "\\" + file.substr(0, slash)).c_str(), nullptr);
        WriteAll(Levels() + map + "\\" + file, DemoText(map, file.substr(slash + 1, file.size() - slash - 5)));
    }
    HWND MapBox() const { return Ctl(IDC_MAPNAMEBOX); }
    HWND DemoBox() const { return Ctl(IDC_DEMONAMEBOX); }
    void ChooseUserDemo() {
        ShowPage(1);
        Click(Ctl(kUserDemo));
    }
    std::vector<std::string> SortedDemos() const {
        std::vector<std::string> items = ComboItems(DemoBox());
        std::sort(items.begin(), items.end());
        return items;
    }
    // Picks `file` in the import's open-file dialog; the program then answers with a message.
    std::string Import(const std::string& file) {
        Click(Ctl(IDC_TOOLBUTTON3));
        HWND dialog = WaitForTopWindow(app_->ProcessId(), "Browse for Wildmere demo files...", 15000);
        if (!dialog) return "no open-file dialog";
        if (!EnterFileName(dialog, file)) return "no file name box";
        return AnswerMessage();
    }
    HWND WaitForFramesDialog() { return WaitForTopWindow(app_->ProcessId(), kFramesCaption, 15000); }
    // Enters `total` in the frames dialog and presses `button`.
    void AnswerFrames(const std::string& total, int button) {
        HWND dialog = WaitForFramesDialog();
        ASSERT_NE(dialog, nullptr) << "no frames dialog";
        TypeText(FindControl(dialog, IDC_TOTALFRAMEEDIT), total);
        Click(FindControl(dialog, button));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 10000)) << "the frames dialog stayed open";
    }
};

TEST_F(UserDemosE2E, MapAndDemoListsFollowTheLevelFolders) {
    PutDemo("Harbour", "a.tmd");
    PutDemo("Harbour", "sub\\b.tmd");
    PutDemo("Pier", "p.tmd");
    CreateDirectoryA((Levels() + ".cache").c_str(), nullptr);
    WriteAll(Levels() + "Harbour\\notes.txt", "not a demo");
    PointAtGame();
    StartProgram();
    ChooseUserDemo();

    const std::vector<std::string> maps = ComboItems(MapBox());
    EXPECT_TRUE(Holds(maps, "Harbour") && Holds(maps, "Pier") && Holds(maps, "Archive"));
    EXPECT_FALSE(Holds(maps, ".cache"));
    ASSERT_FALSE(maps.empty());
    EXPECT_EQ(ComboText(MapBox()), maps.front());  // nothing stored: the first map

    SelectComboItem(MapBox(), "Harbour");
    EXPECT_EQ(SortedDemos(), (std::vector<std::string>{"a.tmd", "b.tmd"}));  // the subfolder's demo too
    EXPECT_TRUE(Holds({"a.tmd", "b.tmd"}, ComboText(DemoBox())));

    SelectComboItem(MapBox(), "Archive");
    EXPECT_TRUE(ComboItems(DemoBox()).empty());
    EXPECT_EQ(ComboText(DemoBox()), "No demos found");

    TypeText(MapBox(), "");  // no map: every level's demos
    EXPECT_EQ(SortedDemos(), (std::vector<std::string>{"a.tmd", "b.tmd", "p.tmd"}));
    TypeText(MapBox(), "..");  // never outside the Levels folder
    EXPECT_EQ(ComboText(DemoBox()), "No demos found");
}

TEST_F(UserDemosE2E, StoredMapAndDemoAreKeptAcrossARestart) {
    PutDemo("Harbour", "a.tmd");
    PutDemo("Harbour", "mine.tmd");
    PointAtGame();
    SetSetting("Demo", "12");
    SetSetting("Mapname", "Harbour");
    SetSetting("Demoname", "mine.tmd");
    StartProgram();
    EXPECT_EQ(ComboText(MapBox()), "Harbour");
    EXPECT_EQ(ComboText(DemoBox()), "mine.tmd");
    CloseProgram();
    EXPECT_EQ(Setting("Mapname"), "Harbour");
    EXPECT_EQ(Setting("Demoname"), "mine.tmd");

    // A stored map that is gone leaves the map empty, and the list shows every demo under Levels.
    SetSetting("Mapname", "Gone");
    StartProgram();
    EXPECT_EQ(ComboText(MapBox()), "");
    EXPECT_EQ(SortedDemos(), (std::vector<std::string>{"a.tmd", "mine.tmd"}));
}

TEST_F(UserDemosE2E, ImportReplacesAnExistingDemoAndReportsAFailedCopy) {
    PutDemo("Harbour", "mine.tmd");
    const std::string source = Work() + "mine.tmd";
    WriteAll(source, DemoText("Harbour", "mine") + "new take\r\n");
    PointAtGame();
    StartProgram();
    ChooseUserDemo();
    SelectComboItem(MapBox(), "Harbour");

    EXPECT_EQ(Import(source), "Demo successfully imported.");
    EXPECT_EQ(ReadAll(Levels() + "Harbour\\mine.tmd"), ReadAll(source));
    EXPECT_EQ(ComboItems(DemoBox()), std::vector<std::string>{"mine.tmd"});

    // A target the copy cannot replace (held open without sharing) is reported as a failure.
    const HANDLE held = CreateFileA((Levels() + "Harbour\\mine.tmd").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string failure = Import(source);
    CloseHandle(held);
    EXPECT_EQ(failure.rfind("The demo could not be imported: ", 0), 0u) << failure;
}

TEST_F(UserDemosE2E, BenchmarkOfAUserDemoCarriesItsMapAndDemo) {
    PutDemo("Harbour", "mine.tmd");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(1);
    ChooseUserDemo();
    SelectComboItem(MapBox(), "Harbour");
    SelectComboItem(DemoBox(), "mine.tmd");
    RunBenchmark(kSuccessStatus);

    const auto launches = Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].find("\"map Harbour\" \"demo mine\""), std::string::npos) << launches[0];
    const auto reports = ReportsIn(game_ + "Benchmark");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(ReadAll(game_ + "Benchmark\\" + reports[0]).find("Level: Harbour, demo: mine.tmd<br>"), std::string::npos);
}

TEST_F(UserDemosE2E, FramesDialogSetsTheRangeOrSwitchesScreenshotModeOff) {
    PutDemo("Harbour", "mine.tmd");
    PointAtGame();
    StartProgram();
    ChooseUserDemo();
    ShowPage(6);
    HWND screenshot = Ctl(IDC_ENABLESCSHOT);

    SetCheck(screenshot, true);
    AnswerFrames("2500", IDOK);
    EXPECT_EQ(GetText(Ctl(IDC_LABEL3)), "(1 - 2500 frames)");
    EXPECT_EQ(GetText(Ctl(IDC_FRAMEEDIT)), "2500");
    Focus(Ctl(IDC_FRAMEEDIT));
    TypeText(Ctl(IDC_FRAMEEDIT), "3000");
    LeaveControl(Ctl(IDC_FRAMEEDIT));
    EXPECT_EQ(GetText(Ctl(IDC_FRAMEEDIT)), "2500");  // 2500 is the maximum now
    EXPECT_TRUE(IsChecked(screenshot));

    // Closed by its frame: nothing changes.
    Click(Ctl(IDC_BUTTON1));
    HWND dialog = WaitForFramesDialog();
    ASSERT_NE(dialog, nullptr);
    RequestClose(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 10000));
    EXPECT_TRUE(IsChecked(screenshot));
    EXPECT_EQ(GetText(Ctl(IDC_LABEL3)), "(1 - 2500 frames)");

    // A total above the range keeps the dialog open; 0 switches screenshot mode off.
    Click(Ctl(IDC_BUTTON1));
    dialog = WaitForFramesDialog();
    ASSERT_NE(dialog, nullptr);
    TypeText(FindControl(dialog, IDC_TOTALFRAMEEDIT), "25000");
    Click(FindControl(dialog, IDOK));
    EXPECT_EQ(AnswerMessage(), "Please, enter a whole number from 0 to 20000.");
    EXPECT_TRUE(IsWindowVisible(dialog));
    AnswerFrames("0", IDOK);
    EXPECT_FALSE(IsChecked(screenshot));
    EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Benchmark");

    SetCheck(screenshot, true);
    AnswerFrames("", IDCANCEL);
    EXPECT_FALSE(IsChecked(screenshot));
}

}  // namespace
}  // namespace wmb::e2e
