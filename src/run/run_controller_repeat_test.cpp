// A slot whose runs vary more than the General page allows is launched again with the same command line.

#include <gtest/gtest.h>

#include <algorithm>

#include "results/sequence_results.h"
#include "run/run_controller.h"
#include "run/run_controller_fixture.h"

namespace wmb {
namespace {

using namespace test;  // the fakes and the fixture

// 60, 80, 70: CV 14.3 %; 70, 70.5, 70.2: CV 0.36 %.
const std::vector<std::string> kVarying = {"60.00", "80.00", "70.00"};
const std::vector<std::string> kSteady = {"70.00", "70.50", "70.20"};

class RepeatTest : public RunControllerTest {
protected:
    RepeatTest() {
        window.Settings.RepeatVaryingSlots = true;
        window.Settings.RepeatLimitPercent = "3";
        window.Settings.RepeatMostLaunches = "2";
    }
    std::string Json() const { return files.Get(BesideReport(controller.ReportPath(), ".json")); }
    std::string Csv() const { return files.Get(BesideReport(controller.ReportPath(), ".csv")); }
    std::string Report() const { return files.Get(controller.ReportPath()); }
};

TEST_F(RepeatTest, AVaryingSlotGoesAgainAtMostTheSetNumberOfTimesWithTheSameCommandLine) {
    SelectSlots({0, 2});
    controller.BenchButtonClick();
    std::vector<std::size_t> logWrites;  // where each start's log was put, in the file system's log
    PlayGames([&](std::size_t n) {
        logWrites.push_back(files.Log.size());
        return n == 0 ? Log(kSteady) : Log(kVarying);
    });
    // The steady slot once, the varying one three times: the first launch and two more.
    ASSERT_EQ(game.Starts.size(), 4u);
    EXPECT_NE(game.Starts[0].CommandLine, game.Starts[1].CommandLine);
    EXPECT_EQ(game.Starts[1].CommandLine, game.Starts[2].CommandLine);
    EXPECT_EQ(game.Starts[1].CommandLine, game.Starts[3].CommandLine);
    // The game's configuration is written once; between the launches of a slot only its read log goes.
    EXPECT_EQ(std::count(steps.Calls.begin(), steps.Calls.end(), "WriteGameConfig"), 1);
    for (std::size_t launch = 2; launch < 4; ++launch) {
        std::vector<std::string> changes;
        for (std::size_t i = logWrites[launch - 1]; i < logWrites[launch]; ++i) changes.push_back(files.Log[i]);
        EXPECT_EQ(changes, std::vector<std::string>{std::string("delete ") + kPierLog}) << launch;
    }
    EXPECT_NE(std::find(window.Statuses.begin(), window.Statuses.end(),
                        "Benchmarking in progress... Resolution: 1024\xD7" "768 (launch 3)"),
              window.Statuses.end());
    EXPECT_EQ(window.Statuses.back(), "The benchmarking is successful.");

    const std::vector<SlotResult>& slots = controller.SlotResults();
    ASSERT_EQ(slots.size(), 2u);
    ASSERT_TRUE(slots[0].Repeats && slots[1].Repeats);
    EXPECT_EQ(slots[0].Runs.size(), 3u);
    EXPECT_EQ(slots[0].Repeats->Launches, 1);
    EXPECT_TRUE(slots[0].Repeats->Stable);
    EXPECT_EQ(slots[1].Runs.size(), 9u);
    EXPECT_EQ(slots[1].Repeats->Launches, 3);
    EXPECT_FALSE(slots[1].Repeats->Stable);

    const std::string report = Report();
    EXPECT_NE(report.find("Score =  70.00 FPS (Run 9)"), std::string::npos);
    EXPECT_NE(report.find("Average score = 70 FPS"), std::string::npos);
    EXPECT_NE(report.find("<i>1 launch, 3 runs: stable within 3 %</i><br>"), std::string::npos);
    EXPECT_NE(report.find("<i>3 launches, 9 runs: still varies more than 3 %</i><br>"), std::string::npos);
    EXPECT_NE(Json().find("\"launches\": 3,\r\n      \"stable\": false"), std::string::npos);
    EXPECT_NE(Json().find("\"repeatLimit\": 3,\r\n    \"repeatMost\": 2\r\n"), std::string::npos);
    EXPECT_NE(Csv().find("2,1024x768,9,70,1024,768,3\r\n"), std::string::npos);
    ExpectGameFilesBack();
}

TEST_F(RepeatTest, ASlotThatSettlesOnALaterLaunchEndsStable) {
    window.Settings.RepeatMostLaunches = "5";
    SelectSlots({1});
    controller.BenchButtonClick();
    // 67, 73, 70: CV 4.3 %; with 70, 70, 70 added the six runs vary by 2.7 %.
    PlayGames([&](std::size_t n) {
        return n == 0 ? Log({"67.00", "73.00", "70.00"}) : Log({"70.00", "70.00", "70.00"});
    });
    ASSERT_EQ(game.Starts.size(), 2u);
    const std::vector<SlotResult>& slots = controller.SlotResults();
    ASSERT_EQ(slots.size(), 1u);
    EXPECT_EQ(slots[0].Repeats->Launches, 2);
    EXPECT_TRUE(slots[0].Repeats->Stable);
    EXPECT_EQ(ScoresOf(slots[0]), (std::vector<double>{67, 73, 70, 70, 70, 70}));
    EXPECT_NE(Report().find("<i>2 launches, 6 runs: stable within 3 %</i><br>"), std::string::npos);
    EXPECT_NE(Csv().find("1,800x600,4,70,800,600,2\r\n"), std::string::npos);
    ExpectGameFilesBack();
}

TEST_F(RepeatTest, AFailedLaunchIsNotRepeatedAndFailsTheSlot) {
    SelectSlots({0, 1});
    controller.BenchButtonClick();
    // The first slot varies; its second launch ends before its last run.
    PlayGames([&](std::size_t n) { return n == 1 ? Log(kVarying, false) : Log(n == 0 ? kVarying : kSteady); });
    ASSERT_EQ(game.Starts.size(), 3u);
    const std::vector<SlotResult>& slots = controller.SlotResults();
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0].Failure, SlotFailure::NoFinishLine);
    EXPECT_FALSE(slots[0].Repeats);
    EXPECT_EQ(slots[1].Repeats->Launches, 1);
    EXPECT_EQ(Report().find("Resolution: 640"), std::string::npos);
    ExpectGameFilesBack();
}

TEST_F(RepeatTest, AbortOrCloseDuringTheRepeatsEndsTheSequenceWithoutAnotherLaunch) {
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "close" : "abort");
        game.Starts.clear();
        window.Closes = 0;
        SelectSlots({2});
        controller.BenchButtonClick();
        Settle();
        ASSERT_EQ(game.Starts.size(), 1u);
        files.Put(kPierLog, Log(kVarying));
        controller.cpTerminate();
        EXPECT_EQ(controller.State(), SequenceState::BetweenSlots);
        if (close) {
            EXPECT_TRUE(controller.RequestClose());
        } else {
            controller.Image2Click();
            Settle();
        }
        EXPECT_EQ(game.Starts.size(), 1u);
        EXPECT_EQ(window.Statuses.back(), "Benchmark aborted.");
        EXPECT_FALSE(files.FileExists(controller.ReportPath()));
        ExpectGameFilesBack();
    }
}

TEST_F(RepeatTest, TheOptionOffLaunchesEverySlotOnceAndWritesNoLaunches) {
    window.Settings.RepeatVaryingSlots = false;
    SelectSlots({0, 2});
    controller.BenchButtonClick();
    PlayAllSucceeding(kVarying);
    EXPECT_EQ(game.Starts.size(), 2u);
    EXPECT_EQ(Report().find("launch"), std::string::npos);
    EXPECT_EQ(Json().find("launch"), std::string::npos);
    EXPECT_EQ(Json().find("repeat"), std::string::npos);
    EXPECT_EQ(Csv().find("launch"), std::string::npos);
    EXPECT_EQ(window.Timers, (std::vector<int>{500, 2500, 1000}));
}

}  // namespace
}  // namespace wmb
