// The main window as a person first meets it.

#include <utility>

#include "e2e/bench_fixture.h"
#include "platform/win32/registry_key.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

using MainWindowE2E = BenchTest;

TEST_F(MainWindowE2E, StartsWithCaptionPagesAndNoGame) {
    StartProgram();
    EXPECT_EQ(GetText(Main()), "Kestrane Wildmere Benchmark v1.8.0.0 - www.kestrane.com");
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, 538);
    EXPECT_EQ(client.bottom, 454);
    const LONG style = GetWindowLongA(Main(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    HWND tabs = Ctl(IDC_TABS);
    ASSERT_EQ(TabCount(tabs), 8);
    const char* titles[] = {"Path", "Demos", "Settings 1", "Settings 2", "Settings 3", "General", "Screen", "Specific"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(TabText(tabs, i), titles[i]);
    EXPECT_EQ(CurrentTab(tabs), 0);
    EXPECT_EQ(Status(), "Please define the Wildmere path!");
    EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), "Wildmere version: not available");
    EXPECT_FALSE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Benchmark");
    CloseProgram();
    EXPECT_EQ(app_->ExitCode(), 0u);
}

TEST_F(MainWindowE2E, FindsTheStoredGameAndIsReady) {
    PointAtGame();
    StartProgram();
    EXPECT_EQ(Status(), "Set the parameters & bench!");
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), bin32_ + "Wildmere.exe");
    EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), "Wildmere version: 1.4");
    CloseProgram();
}

TEST_F(MainWindowE2E, StartWithoutTheSettingsKeyStopsAndSaysToReinstall) {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrane\\RERurov");
    const std::string message = StartAnsweringMessage();
    EXPECT_NE(message.find("settings key HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\RERurov is missing"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("reinstall"), std::string::npos) << message;
    EXPECT_EQ(Status(), "The settings key is missing: please reinstall the program.");
    CloseProgram();
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrane\\RERurov", KEY_READ).IsOpen());
}

TEST_F(MainWindowE2E, SecondStartEndsAtOnceWithoutTouchingSettings) {
    PointAtGame();
    StartProgram();
    SetSetting("Note", "kept");
    RunningProgram second(program_ + "WildmereBench.exe", "", program_);
    ASSERT_TRUE(second.WaitForExit(20000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(Setting("Note"), "kept");
    EXPECT_TRUE(app_->IsRunning());
    CloseProgram();
}

TEST_F(MainWindowE2E, SettingsOfPagesNeverOpenedSurviveAQuickStartAndExit) {
    // The pages after the first are made only once the window is ready; a close that comes before (or
    // after) that must keep every stored choice of theirs, the rules that start-up applies included.
    PointAtGame();
    const std::pair<const char*, const char*> stored[] = {
        {"800", "1"},       {"1280", "1"},       {"CusW", "1280"},   {"CusH", "1024"},    {"CusRes", "1"},
        {"Demo", "3"},      {"Detail", "2"},     {"PS", "3"},        {"AFLevel", "3"},    {"AALevel", "6"},
        {"Renderer", "2"},  {"TRun", "15"},      {"Language", "8"},  {"Note", "untouched"}, {"Wait", "5"},
        {"Decimal", ","},   {"HDR", "1"},        {"HDRLevel", "7"},  {"GI", "1"},         {"NormalMaps", "1"},
        {"AddScInf", "0"},  {"FirstRun", "Some"},
    };
    for (const auto& [name, value] : stored) SetSetting(name, value);
    SetSetting("ResultPath", game_ + "Benchmark\\");
    SetSetting("ScrPath", game_ + "Screenshot\\");

    for (const bool waitForPages : {false, true}) {
        app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
        main_ = WaitForTopWindow(app_->ProcessId(), kMainWindowClass, 30000);
        ASSERT_NE(main_, nullptr) << "the main window did not appear";
        if (waitForPages) WaitForAllPages();
        CloseProgram();
        for (const auto& [name, value] : stored) {
            EXPECT_EQ(Setting(name), value) << name << ", pages waited for: " << waitForPages;
        }
        EXPECT_EQ(Setting("ResultPath"), game_ + "Benchmark\\");
        EXPECT_EQ(Setting("ScrPath"), game_ + "Screenshot\\");
    }
}

}  // namespace
}  // namespace wmb::e2e
