#include "run/run_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>

#include "gameconfig/backup_journal.h"
#include "gameconfig/config_writer.h"
#include "results/sequence_results.h"
#include "run/run_controller_fixture.h"
#include "support/memory_file_system.h"
#include "support/windows1252.h"

namespace wmb {
namespace {

using namespace test;  // the fakes and the fixture

TEST_F(RunControllerTest, RefusedPressesLeaveTheGameAsItWas) {
    struct Case {
        const char* name;
        std::function<void(BenchSettings&, MemorySettings&)> arrange;
        std::string message;
        std::vector<std::string> calls;  // nothing at all, or the splash put back after a late refusal
    };
    const char* const kChoose = "Please, choose a resolution and/or the language of Wildmere.";
    const std::vector<std::string> kSplashBack = {"BeginSequence", "InstallBenchSplash", "RestoreGameSplash"};
    const std::string kResults = "The report cannot be saved in the Results folder ";
    files.Put("C:\\Games\\file\\", "a file where a folder should be");
    files.MakeReadOnly("C:\\Locked\\");
    const std::vector<Case> cases = {
        {"no slot", [](BenchSettings&, MemorySettings&) {}, kChoose, {}},
        {"no language", [](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, s.LanguageIndex = 0; },
         kChoose, {}},
        {"custom slot without size",
         [](BenchSettings& s, MemorySettings&) { s.CustomResolution = true, s.CustomWidth = "1152"; }, kChoose, {}},
        {"no demo", [](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, s.DemoIndex = -1; },
         "Please, choose a demo on the \"Demos\" page.", {}},
        {"user demo outside the Levels folder",
         [](BenchSettings& s, MemorySettings&) {
             s.ResolutionChecked[1] = true, s.DemoIndex = kUserDemoIndex, s.UserMapFolder = "..";
             s.UserDemoFile = "mine.tmd";
         },
         "Please, choose a map and a demo inside the game's \"Levels\" folder.", {}},
        {"user demo without a map",
         [](BenchSettings& s, MemorySettings&) {
             s.ResolutionChecked[1] = true, s.DemoIndex = kUserDemoIndex, s.UserMapFolder = "";
             s.UserDemoFile = "ghost.tmd";
         },
         "Please, choose a map for your own demo on the \"Demos\" page.", {}},
        {"run count outside the list before any sequence",
         [](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, s.RunCount = "7"; },
         "Please, choose the number of runs from the list on the \"Settings 3\" page.", {}},
        {"missing custom configuration",
         [](BenchSettings& s, MemorySettings&) {
             s.ResolutionChecked[1] = true, s.DetailLevel = 3, s.CustomConfigPath = "E:\\gone\\system.cfg";
         },
         "The custom configuration file E:\\gone\\system.cfg cannot be read. Please, choose an existing file.", {}},
        {"relative Results folder", [](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, s.ResultsFolder = "Results\\"; },
         kResults + "Results\\: it is not a full path. Please, choose the folder on the \"General\" page.", {}},
        {"Results folder path too long",
         [](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, s.ResultsFolder = "C:\\" + std::string(10000, 'r') + "\\"; },
         kResults + "C:\\" + std::string(10000, 'r') + "\\: the path is too long. Please, choose another folder on the \"General\" page.", {}},
        {"Results folder that cannot be made",
         [](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, s.ResultsFolder = "C:\\Locked\\R\\"; },
         kResults + "C:\\Locked\\R\\: it cannot be created. Please, choose another folder on the \"General\" page.", {}},
        {"journal cannot be written", [&](BenchSettings& s, MemorySettings&) { s.ResolutionChecked[1] = true, steps.BeginFails = true; },
         "The benchmark cannot start: Cannot write C:\\Bench\\Backup\\sequence.jnl: Access denied.", {"BeginSequence"}},
        {"flag cannot be set",
         [](BenchSettings& s, MemorySettings& m) { s.ResolutionChecked[1] = true, m.Refused.insert("NoErrorWarning"); },
         "The benchmark cannot start: the crash-recovery flag \"NoErrorWarning\" cannot be written to the registry.",
         kSplashBack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BenchSettings kept = window.Settings;
        c.arrange(window.Settings, store);
        window.Messages.clear();
        steps.Calls.clear();
        controller.BenchButtonClick();
        EXPECT_EQ(window.Messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(window.ButtonEnabled);
        EXPECT_TRUE(game.Starts.empty());
        EXPECT_NE(store.Values["NoErrorWarning"], "1");
        EXPECT_EQ(steps.Calls, c.calls);
        EXPECT_EQ(controller.State(), SequenceState::Idle);
        window.Settings = kept;
        store.Refused.clear();
        steps.BeginFails = false;
    }
}

TEST_F(RunControllerTest, OneSlotRunsOnceAndFinishesTheReport) {
    SelectSlots({2});
    controller.BenchButtonClick();
    EXPECT_EQ(store.Values["NoErrorWarning"], "1");
    Settle();
    ASSERT_EQ(game.Starts.size(), 1u);
    EXPECT_EQ(game.Starts[0].Application, std::string(kBin32) + "Wildmere.exe");
    EXPECT_EQ(game.Starts[0].Folder, kBin32);
    EXPECT_EQ(game.Starts[0].CommandLine,
              "C:\\Games\\Wildmere\\Bin32\\Wildmere.exe -DEVMODE  \"#demo_num_runs=2\" \"#demo_quit=1\" "
              "\"#r_Width=1024\" \"#r_Height=768\" \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\" "
              "\"#r_HDRRendering=0\" \"#r_TexNormalMapCompressed=0\" \"map pier\" \"demo 1\"");
    EXPECT_EQ(controller.State(), SequenceState::Running);
    EXPECT_EQ(controller.CurrentSlotKey(), "1024");
    EXPECT_FALSE(window.PanelEverShown);

    PlayAllSucceeding();
    EXPECT_EQ(window.Statuses.back(), "The benchmarking is successful.");
    const std::string report = "C:\\Results\\result_05_04_2007_15_04_05_.htm";
    const std::string html = files.Get(report);
    EXPECT_NE(html.find("<head 05.04.2007 15:04:06>"), std::string::npos);
    EXPECT_NE(html.find("Average score = 73.80 FPS"), std::string::npos);
    EXPECT_EQ(window.Opened, std::vector<std::string>{report});
    ExpectGameFilesBack();
    EXPECT_TRUE(window.Messages.empty());
    // No pause between slots with a single slot: only launch preparation and restore.
    EXPECT_EQ(window.Timers, (std::vector<int>{500, 1000}));
    EXPECT_EQ(steps.Calls, (std::vector<std::string>{"BeginSequence", "InstallBenchSplash", "CollectSystemInfo", "WriteGameConfig",
                                                     "ReportHeader", "RestoreUserConfig", "RestoreGameSplash"}));
}

TEST_F(RunControllerTest, SkipsUnselectedSlotsAndPausesBetweenSelectedOnes) {
    SelectSlots({1, 4});
    controller.BenchButtonClick();
    EXPECT_TRUE(window.PanelShown);
    EXPECT_EQ(controller.WaitMs(), 2000);
    PlayAllSucceeding({"70.00", "76.42", "75.00"}, [&] {
        // The next start is ready before the pause ends; only the start itself is left for after it.
        EXPECT_FALSE(files.FileExists(kPierLog));
        EXPECT_EQ(game.Starts.size(), 1u);
        EXPECT_EQ(window.Statuses.back(), "Benchmarking in progress... Resolution: 800\xD7" "600");
    });
    ASSERT_EQ(game.Starts.size(), 2u);
    EXPECT_NE(game.Starts[0].CommandLine.find("\"#r_Width=800\" \"#r_Height=600\""), std::string::npos);
    EXPECT_NE(game.Starts[1].CommandLine.find("\"#r_Width=1600\" \"#r_Height=1200\""), std::string::npos);
    EXPECT_EQ(window.Timers, (std::vector<int>{500, 2500, 1000}));
    EXPECT_EQ(window.Statuses[1], "Benchmarking in progress... Resolution: 800\xD7" "600");
    EXPECT_EQ(window.Statuses[2], "Benchmarking in progress... Resolution: 1600\xD7" "1200");
    EXPECT_FALSE(window.PanelShown);
    const std::string html = files.Get(controller.ReportPath());
    EXPECT_NE(html.find("Resolution: 800\xD7" "600</FONT>"), std::string::npos);
    EXPECT_NE(html.find("Resolution: 1600\xD7" "1200</FONT>"), std::string::npos);
}

TEST_F(RunControllerTest, CustomSlotRunsLastWithItsOwnSize) {
    SelectSlots({0});
    window.Settings.CustomResolution = true;
    window.Settings.CustomWidth = "1152";
    window.Settings.CustomHeight = "864";
    controller.BenchButtonClick();
    PlayAllSucceeding();
    ASSERT_EQ(game.Starts.size(), 2u);
    EXPECT_NE(game.Starts[1].CommandLine.find("\"#r_Width=1152\" \"#r_Height=864\""), std::string::npos);
    EXPECT_EQ(controller.CurrentSlotKey(), "custom");
}

TEST_F(RunControllerTest, AbortBetweenSlotsEndsWithoutReport) {
    SelectSlots({0, 1, 2});
    controller.BenchButtonClick();
    PlayAllSucceeding({"70.00", "76.42", "75.00"}, [&] { controller.Image2Click(); });
    EXPECT_EQ(game.Starts.size(), 1u);
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    EXPECT_TRUE(window.Opened.empty());
    EXPECT_FALSE(files.FileExists(controller.ReportPath()));
    EXPECT_TRUE(controller.ReportLines().empty());
    ExpectGameFilesBack();
}

TEST_F(RunControllerTest, FailedMiddleSlotIsLeftOutOfTheReport) {
    SelectSlots({0, 1, 2});
    controller.BenchButtonClick();
    PlayGames([](std::size_t n) { return Log({"70.00", "76.42", "75.00"}, n != 1); });
    ASSERT_EQ(game.Starts.size(), 3u);
    const std::string html = files.Get(controller.ReportPath());
    EXPECT_NE(html.find("Resolution: 640\xD7" "480"), std::string::npos);
    EXPECT_EQ(html.find("Resolution: 800\xD7" "600"), std::string::npos);
    EXPECT_NE(html.find("Resolution: 1024\xD7" "768"), std::string::npos);
    EXPECT_EQ(window.Statuses.back(), "The benchmarking is successful.");
}

TEST_F(RunControllerTest, FailedLastSlotKeepsTheSectionsOfTheSlotsBeforeIt) {
    SelectSlots({0, 1});
    controller.BenchButtonClick();
    PlayGames([](std::size_t n) -> std::optional<std::string> {
        if (n == 1) return Log({"70.00", "76.42", "75.00"}, false);
        return Log({"70.00", "76.42", "75.00"});
    });
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    const std::string html = files.Get(controller.ReportPath());
    EXPECT_NE(html.find("Resolution: 640\xD7" "480"), std::string::npos);
    EXPECT_EQ(html.find("Resolution: 800\xD7" "600"), std::string::npos);
    EXPECT_EQ(window.Opened, std::vector<std::string>{controller.ReportPath()});
    ExpectGameFilesBack();
}

TEST_F(RunControllerTest, FailedOnlySlotWritesNoReportButStillOpensIt) {
    SelectSlots({0});
    controller.BenchButtonClick();
    PlayAllSucceeding({"70.00", "fast", "75.00"});  // scores that cannot be read fail the slot
    EXPECT_FALSE(controller.RunSucceeded());
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    EXPECT_FALSE(files.FileExists(controller.ReportPath()));
    EXPECT_EQ(window.Opened, std::vector<std::string>{controller.ReportPath()});
    ExpectGameFilesBack();
}

TEST_F(RunControllerTest, ReportIsOpenedOnlyOnceTheFilesAreBack) {
    SelectSlots({0});
    window.OnOpen = [&] {
        EXPECT_EQ(store.Values["NoErrorWarning"], "0");
        EXPECT_EQ(steps.Calls.back(), "RestoreGameSplash");
    };
    controller.BenchButtonClick();
    PlayAllSucceeding();
    EXPECT_EQ(window.Opened.size(), 1u);
}

TEST_F(RunControllerTest, ReportThatCannotBeWrittenIsNoSuccess) {
    SelectSlots({0});
    controller.BenchButtonClick();
    files.MakeReadOnly("C:\\Results\\");
    PlayAllSucceeding();
    EXPECT_EQ(std::count(window.Statuses.begin(), window.Statuses.end(), "The benchmarking is successful."), 0);
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    ASSERT_EQ(window.Messages.size(), 1u);
    EXPECT_NE(window.Messages[0].find("Access denied: C:\\Results\\"), std::string::npos);
    ExpectGameFilesBack();
}

TEST_F(RunControllerTest, ResultsFolderWithoutClosingBackslashHoldsTheReport) {
    window.Settings.ResultsFolder = "C:\\Results";
    SelectSlots({0});
    controller.BenchButtonClick();
    PlayAllSucceeding();
    EXPECT_TRUE(files.FileExists("C:\\Results\\result_05_04_2007_15_04_05_.htm"));
}

TEST_F(RunControllerTest, ReportGoesToTheProgramFolderWithoutResultsFolder) {
    window.Settings.ResultsFolder.clear();
    SelectSlots({0});
    controller.BenchButtonClick();
    PlayAllSucceeding();
    EXPECT_EQ(controller.ReportPath(), "C:\\Bench\\Benchmark\\result_05_04_2007_15_04_05_.htm");
    EXPECT_TRUE(files.FileExists(controller.ReportPath()));
}

TEST_F(RunControllerTest, EveryEndedSlotGoesIntoTheDataFilesBesideTheReport) {
    SelectSlots({0, 1, 2, 3});
    controller.BenchButtonClick();
    PlayGames([](std::size_t n) -> std::optional<std::string> {
        switch (n) {
            case 0: return std::nullopt;
            case 1: return Log({"70.00", "76.42", "75.00"}, false);
            case 2: return Log({"70.00", "fast", "75.00"});
            default: return Log({"70.00", "76.42", "75.00"});
        }
    });
    EXPECT_EQ(window.Statuses.back(), "The benchmarking is successful.");
    const auto& slots = controller.SlotResults();
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_EQ(slots[0].Failure, SlotFailure::NoLog);
    EXPECT_EQ(slots[1].Failure, SlotFailure::NoFinishLine);
    EXPECT_EQ(slots[2].Failure, SlotFailure::UnreadableScore);
    EXPECT_FALSE(slots[3].Failure);
    EXPECT_EQ(slots[3].Slot, 3);

    const std::string json = files.Get("C:\\Results\\result_05_04_2007_15_04_05_.json");
    for (const char* part : {"\"version\": \"1.8.0.0\"", "\"started\": \"05.04.2007 15:04:06\"",
                             "{\"name\": \"CPU\", \"value\": \"Athlon\\u00ae 64\"}", "\"runs\": 3,",
                             "\"quality\": \"Maximum quality option\"", "\"failure\": \"no log\"",
                             "\"failure\": \"unreadable score\"", "{\"run\": 2, \"text\": \"76.42\", \"score\": 76.42}",
                             "\"averageText\": \"73.80\""}) {
        EXPECT_NE(json.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(files.Get("C:\\Results\\result_05_04_2007_15_04_05_.csv"),
              "slot,resolution,run,score,width,height\r\n3,1280x1024,1,70,1280,1024\r\n"
              "3,1280x1024,2,76.42,1280,1024\r\n3,1280x1024,3,75,1280,1024\r\n");
}

TEST_F(RunControllerTest, DataFileThatCannotBeWrittenLeavesTheReportSavedAndSaysSo) {
    SelectSlots({0});
    controller.BenchButtonClick();
    files.ReadOnlyFiles.insert("c:\\results\\result_05_04_2007_15_04_05_.json");
    PlayAllSucceeding();
    EXPECT_EQ(window.Statuses.back(), "The benchmarking is successful.");
    EXPECT_TRUE(files.FileExists(controller.ReportPath()));
    EXPECT_TRUE(files.FileExists("C:\\Results\\result_05_04_2007_15_04_05_.csv"));
    ASSERT_EQ(window.Messages.size(), 1u);
    EXPECT_NE(window.Messages[0].find("Access denied: C:\\Results\\result_05_04_2007_15_04_05_.json"),
              std::string::npos);
    EXPECT_EQ(window.Opened, std::vector<std::string>{controller.ReportPath()});
    ExpectGameFilesBack();
}

class ScreenshotModeTest : public RunControllerTest {
protected:
    ScreenshotModeTest() {
        window.Settings.ScreenshotMode = true;
        window.Settings.RunCount = "1";
        window.Settings.ScreenshotFrame = "500";
        window.Settings.ScreenshotFolder = "C:\\Shots\\";
    }
    void PlayTakingPictures(const std::function<void()>& duringPause = nullptr) {
        PlayGames(
            [&](std::size_t n) {
                files.Put(std::string(kGame) + "Wildmere0000.jpg", "picture " + std::to_string(n));
                return Log({"70.00"});
            },
            duringPause);
    }
};

TEST_F(ScreenshotModeTest, MovesPicturesAndWritesNoReport) {
    SelectSlots({1, 3});
    files.Put(std::string(kGame) + "Wildmere0000.jpg", "old picture");
    controller.BenchButtonClick();
    EXPECT_FALSE(files.FileExists(std::string(kGame) + "Wildmere0000.jpg"));
    EXPECT_TRUE(files.FolderExists(std::string(kGame) + "Screenshot"));
    Settle();
    ASSERT_EQ(game.Starts.size(), 1u);
    EXPECT_NE(game.Starts[0].CommandLine.find("\"demo 1\" \"#demo_screenshot_frame=501\" "), std::string::npos);
    PlayTakingPictures();
    EXPECT_EQ(files.Get("C:\\Shots\\frame500_05042007150405_800.jpg"), "picture 0");
    EXPECT_EQ(files.Get("C:\\Shots\\frame500_05042007150405_1280.jpg"), "picture 1");
    EXPECT_TRUE(files.FileExists("C:\\Shots\\frame500_05042007150405_1280.txt"));
    EXPECT_EQ(window.Statuses.back(), "Screenshot mode is successful.");
    EXPECT_TRUE(window.Opened.empty());
    EXPECT_FALSE(files.FileExists(controller.ReportPath()));
    EXPECT_TRUE(controller.SlotResults().empty());
    EXPECT_FALSE(files.FileExists(BesideReport(controller.ReportPath(), ".json")));
}

TEST_F(ScreenshotModeTest, AbortStillMovesThePictureOfTheFinishedSlot) {
    SelectSlots({0, 1});
    controller.BenchButtonClick();
    PlayTakingPictures([&] { controller.Image2Click(); });
    EXPECT_TRUE(files.FileExists("C:\\Shots\\frame500_05042007150405_640.jpg"));
    EXPECT_EQ(game.Starts.size(), 1u);
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
}

TEST_F(ScreenshotModeTest, UnwritableFolderEndsTheSequenceAndPutsTheFilesBack) {
    SelectSlots({0, 1, 2});
    files.MakeReadOnly("C:\\Shots\\");
    controller.BenchButtonClick();
    PlayTakingPictures();
    EXPECT_EQ(game.Starts.size(), 1u);
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    ASSERT_EQ(window.Messages.size(), 1u);
    EXPECT_NE(window.Messages[0].find("Access denied: C:\\Shots\\"), std::string::npos);
    ExpectGameFilesBack();
}

TEST_F(RunControllerTest, WaitsForTheDiagnosticToolAndItsReportBeforeStarting) {
    steps.DeferCollection = true;
    SelectSlots({0});
    controller.BenchButtonClick();
    EXPECT_EQ(controller.State(), SequenceState::Collecting);
    EXPECT_EQ(window.Statuses.back(), "Collecting system information, please wait...");
    EXPECT_FALSE(window.ButtonEnabled);
    controller.dxrunTerminate();
    EXPECT_EQ(window.Timers, std::vector<int>{1000});  // the tool's report settles first
    EXPECT_TRUE(game.Starts.empty());
    Settle();
    EXPECT_EQ(game.Starts.size(), 1u);
    EXPECT_EQ(controller.SequenceStamp(), "05_04_2007_15_04_05");
    EXPECT_EQ(controller.SequenceStartText(), "05.04.2007 15:04:06");
    EXPECT_EQ(controller.ShaderLabel(), "Pixel shader: default model");
}

TEST_F(RunControllerTest, FailuresOnTheWayEndTheSequenceWithOneMessage) {
    struct Case {
        const char* name;
        bool* failing;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"game cannot start", &game.Fail, "The system cannot find the file"},
        {"configuration", &steps.ConfigFails, "could not be backed up"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        *c.failing = true;
        window.Messages.clear();
        SelectSlots({0, 1});
        controller.BenchButtonClick();
        Settle();
        EXPECT_TRUE(game.Starts.empty());
        EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
        ASSERT_EQ(window.Messages.size(), 1u);
        EXPECT_NE(window.Messages[0].find(c.reason), std::string::npos);
        ExpectGameFilesBack();
        game.Fail = steps.ConfigFails = false;
    }
}

TEST_F(RunControllerTest, RestoreFailureRunsEveryStepAndLeavesTheRecoveryFlag) {
    SelectSlots({0});
    steps.RestoreFails = true;
    files.Put(std::string(kGame) + "Systemcfgoverride.cfg", "override");
    controller.BenchButtonClick();
    PlayAllSucceeding();
    EXPECT_EQ(controller.State(), SequenceState::Idle);
    EXPECT_TRUE(window.ButtonEnabled);
    EXPECT_EQ(steps.Calls.back(), "RestoreGameSplash");
    EXPECT_FALSE(files.FileExists(std::string(kGame) + "Systemcfgoverride.cfg"));
    EXPECT_EQ(store.Values["NoErrorWarning"], "1");  // the next start offers the recovery
    ASSERT_EQ(window.Messages.size(), 1u);
    EXPECT_NE(window.Messages[0].find("Access denied"), std::string::npos);
    EXPECT_NE(window.Messages[0].find("offers to restore them"), std::string::npos);
    // The report is saved, yet the sequence is not told a success while the game's files are not back.
    EXPECT_TRUE(files.FileExists(controller.ReportPath()));
    EXPECT_EQ(std::count(window.Statuses.begin(), window.Statuses.end(), "The benchmarking is successful."), 0);
    EXPECT_EQ(window.Statuses.back(), "The benchmark ended, but the game's files are not all back.");
}

TEST_F(RunControllerTest, GameFilesGoBackBeforeTheReportAndTheDataFiles) {
    SelectSlots({0});
    const std::string overrideFile = std::string(kGame) + "Systemcfgoverride.cfg";
    files.Put(overrideFile, "r_geominstancing = \"1\"");
    int restores = 0;
    steps.OnRestore = [&] {
        ++restores;
        for (const char* ending : {".htm", ".json", ".csv", "chart.htm"}) {
            EXPECT_FALSE(files.FileExists(BesideReport(controller.ReportPath(), ending))) << ending;
        }
        EXPECT_EQ(window.Statuses.back(), "Benchmarking in progress... Resolution: 640\xD7" "480");
    };
    controller.BenchButtonClick();
    PlayAllSucceeding();
    EXPECT_EQ(restores, 2);
    const auto removed = std::find(files.Log.begin(), files.Log.end(), "delete " + overrideFile);
    const auto written = std::find(files.Log.begin(), files.Log.end(), "write " + controller.ReportPath());
    EXPECT_LT(removed, written);
    EXPECT_NE(written, files.Log.end());
    EXPECT_TRUE(files.FileExists(BesideReport(controller.ReportPath(), ".csv")));
    EXPECT_EQ(window.Statuses.back(), "The benchmarking is successful.");
    EXPECT_EQ(window.Opened, std::vector<std::string>{controller.ReportPath()});
    ExpectGameFilesBack();
}

// The disk runs full while the game plays: the user's configuration goes back first (in place of the file the
// program wrote), and the report that no longer fits is the one that fails.
TEST_F(RunControllerTest, FullDiskPutsTheUserConfigurationBackBeforeTheReport) {
    const std::string userConfig = "-- mine\r\nr_Width = \"1152\"\r\ns_SoundEnable = \"1\"\r\n";
    files.Put(std::string(kGame) + "system.cfg", userConfig);
    BackupJournal journal(files);
    GameConfigWriter writer(files, journal, [](const std::string&) { return std::string("Value Not Available"); });
    steps.Writer = &writer;
    steps.WriterFolders = {kProgram, kBin32, kGame};
    SelectSlots({0});
    controller.BenchButtonClick();
    Settle();
    ASSERT_EQ(game.Starts.size(), 1u);
    ASSERT_NE(files.Get(std::string(kGame) + "system.cfg"), userConfig);
    files.Put(kPierLog, Log({"70.00", "76.42", "75.00"}));
    // The room left is less than the user's file: it fits only where the program's file was. Once it is
    // back, the disk is full again.
    files.Capacity = files.UsedBytes() + 16;
    steps.OnRestore = [&] {
        if (steps.Calls.back() == "RestoreGameSplash") files.Capacity = files.UsedBytes() + 16;
    };
    controller.cpTerminate();
    Settle();
    EXPECT_EQ(files.Get(std::string(kGame) + "system.cfg"), userConfig);
    EXPECT_FALSE(files.FileExists(controller.ReportPath()));
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    ASSERT_EQ(window.Messages.size(), 1u);
    EXPECT_NE(window.Messages[0].find("not enough space"), std::string::npos) << window.Messages[0];
    EXPECT_EQ(window.Messages[0].find("not all back"), std::string::npos) << window.Messages[0];
    ExpectGameFilesBack();
}

TEST_F(RunControllerTest, CloseBetweenSlotsAbortsAndClosesAtOnce) {
    SelectSlots({0, 1});
    controller.BenchButtonClick();
    Settle();
    files.Put(kPierLog, Log({"70.00", "76.42", "75.00"}));
    controller.cpTerminate();
    ASSERT_EQ(controller.State(), SequenceState::BetweenSlots);
    EXPECT_TRUE(controller.RequestClose());
    EXPECT_FALSE(window.TimerPending);
    EXPECT_EQ(game.Starts.size(), 1u);
    EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
    ExpectGameFilesBack();
    EXPECT_EQ(window.Closes, 0);  // the caller closes the window itself
}

TEST_F(RunControllerTest, CloseWhileTheGameRunsWaitsForItsEnd) {
    SelectSlots({0, 1});
    controller.BenchButtonClick();
    Settle();
    EXPECT_FALSE(controller.RequestClose());
    EXPECT_EQ(store.Values["NoErrorWarning"], "1");
    EXPECT_EQ(window.Closes, 0);
    files.Put(kPierLog, Log({"70.00", "76.42", "75.00"}));
    controller.cpTerminate();
    EXPECT_EQ(game.Starts.size(), 1u);
    ExpectGameFilesBack();
    EXPECT_EQ(window.Closes, 1);
}

TEST_F(RunControllerTest, EndOfSessionPutsTheFilesBackEvenWhileTheGameRuns) {
    SelectSlots({0});
    controller.BenchButtonClick();
    Settle();
    controller.EndNow();
    ExpectGameFilesBack();
    controller.cpTerminate();  // the game's end after the session's is ignored
    EXPECT_EQ(std::count(steps.Calls.begin(), steps.Calls.end(), "RestoreUserConfig"), 1);
}

TEST_F(RunControllerTest, PreparationRemovesTheBatchFileAndThePreviousLog) {
    SelectSlots({0});
    files.Put(std::string(kBin32) + "rerurov.bat", "@echo off");
    controller.BenchButtonClick();
    EXPECT_FALSE(files.FileExists(std::string(kBin32) + "rerurov.bat"));
    PlayAllSucceeding();
    ASSERT_TRUE(files.FileExists(kPierLog));
    controller.BenchButtonClick();  // the next sequence deletes the old log before it starts the game
    EXPECT_FALSE(files.FileExists(kPierLog));
}

TEST(WaitMilliseconds, UsesTheBoxOrThreeSeconds) {
    EXPECT_EQ(WaitMillisecondsFrom("1"), 1000);
    EXPECT_EQ(WaitMillisecondsFrom("10"), 10000);
    EXPECT_EQ(WaitMillisecondsFrom(""), 3000);
    EXPECT_EQ(WaitMillisecondsFrom("x"), 3000);
    EXPECT_EQ(WaitMillisecondsFrom("0"), 3000);
    EXPECT_EQ(WaitMillisecondsFrom("99999999999"), 3000);
}

}  // namespace
}  // namespace wmb
