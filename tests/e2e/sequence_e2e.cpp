// Benchmark sequences against the substitute game, driven through the window.

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

using SequenceE2E = BenchTest;

std::string ExpectedCommandLine(const std::string& bin32, const std::string& width, const std::string& height) {
    return bin32 + "Wildmere.exe -DEVMODE  \"#demo_num_runs=2\" \"#demo_quit=1\" \"#r_Width=" + width +
           "\" \"#r_Height=" + height +
           "\" \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\" \"#r_HDRRendering=0\" "
           "\"#r_TexNormalMapCompressed=0\" \"map pier\" \"demo 1\"";
}

TEST_F(SequenceE2E, RunsTheGameOncePerSelectedSlotInOrder) {
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings();
    CheckResolution(1);
    CheckResolution(4);
    RunBenchmark("The benchmarking is successful.");
    const auto launches = Launches();
    ASSERT_EQ(launches.size(), 2u);
    std::string folder = bin32_;
    folder.pop_back();
    EXPECT_EQ(launches[0], folder + "|" + ExpectedCommandLine(bin32_, "800", "600"));
    EXPECT_EQ(launches[1], folder + "|" + ExpectedCommandLine(bin32_, "1600", "1200"));
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    CloseProgram();
}

TEST_F(SequenceE2E, RefusesWithoutResolutionAndLeavesTheGamesFilesAsTheyWere) {
    const std::string gameSplash = ReadAll(game_ + "wmsplash.bmp");
    const std::string bin32Splash = ReadAll(bin32_ + "wmsplash.bmp");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings();
    Click(Ctl(IDC_BENCHBUTTON));
    EXPECT_EQ(AnswerMessage(), "Please, choose a resolution and/or the language of Wildmere.");
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 5000));
    EXPECT_TRUE(Launches().empty());
    // An orderly refusal: the game's splash is back and the next start asks no recovery question.
    EXPECT_TRUE(ReadAll(game_ + "wmsplash.bmp") == gameSplash) << "the Game folder's splash is not the game's";
    EXPECT_TRUE(ReadAll(bin32_ + "wmsplash.bmp") == bin32Splash) << "the Bin32 folder's splash is not the game's";
    EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
    EXPECT_NE(Setting("NoErrorWarning"), "1");
    CloseProgram();
}

TEST_F(SequenceE2E, AbortDuringTheFirstSlotEndsAfterIt) {
    PointAtGame();
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=4\r\n");
    StartProgram();
    ChooseTypicalSettings("1");
    for (int slot : {0, 1, 2}) CheckResolution(slot);
    Click(Ctl(IDC_BENCHBUTTON));
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 30000));
    HWND abortButton = Ctl(IDC_IMAGE2);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(abortButton); }, 5000));
    // The panel lies over every other control: a click on the Homepage button's place lands on the panel.
    RECT home;
    GetWindowRect(Ctl(IDC_HOMEPAGE), &home);
    const POINT middle{(home.left + home.right) / 2, (home.top + home.bottom) / 2};
    EXPECT_EQ(GetDlgCtrlID(WindowFromPoint(middle)), IDC_PANEL1);
    Click(abortButton);
    ASSERT_TRUE(WaitUntil([&] { return Status() == "Benchmark aborted." && IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 60000))
        << Status();
    EXPECT_EQ(Launches().size(), 1u);
    EXPECT_TRUE(FilesIn(game_ + "Benchmark").empty());
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    EXPECT_FALSE(IsVisible(abortButton));
    CloseProgram();
}

TEST_F(SequenceE2E, GameEndingEarlyFailsOnlyThatSlot) {
    PointAtGame();
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=2\r\n");
    StartProgram();
    ChooseTypicalSettings("2");
    for (int slot : {0, 1, 2}) CheckResolution(slot);
    Click(Ctl(IDC_BENCHBUTTON));
    // The second game start finds the early end in its control file; the third one is normal again.
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 30000));
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=2\r\nquit_early=1\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 2; }, 30000));
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=2\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Status() == "The benchmarking is successful." &&
                                       IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 90000)) << Status();
    EXPECT_EQ(Launches().size(), 3u);
    const auto reports = ReportsIn(game_ + "Benchmark");
    ASSERT_EQ(reports.size(), 1u);
    const std::string html = ReadAll(game_ + "Benchmark\\" + reports[0]);
    EXPECT_NE(html.find("Resolution: 640\xD7" "480"), std::string::npos);
    EXPECT_EQ(html.find("Resolution: 800\xD7" "600"), std::string::npos);
    EXPECT_NE(html.find("Resolution: 1024\xD7" "768"), std::string::npos);
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
