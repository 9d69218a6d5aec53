// The main window as a person first meets it.

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

}  // namespace
}  // namespace wmb::e2e
