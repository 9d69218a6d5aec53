#include "results/repeats.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

TEST(RepeatDecision, AnUnstableSlotGoesAgainWhileExtraLaunchesAreLeft) {
    // 100 and 110: mean 105, deviation 7.07, CV 6.73 %. 100 and 104: CV 2.77 %.
    const struct {
        std::vector<double> runs;
        int launches;
        RepeatSettings settings;
        bool relaunch;
        bool stable;
    } cases[] = {
        {{100, 110}, 1, {3, 2}, true, false},
        {{100, 110, 100, 110}, 2, {3, 2}, true, false},
        {{100, 110, 100, 110, 100, 110}, 3, {3, 2}, false, false},  // the third launch was the last
        {{100, 104}, 1, {3, 2}, false, true},
        {{100, 110}, 1, {7, 2}, false, true},   // 6.73 % is within 7 %
        {{100, 110}, 1, {6, 2}, true, false},
        {{100, 110, 100, 110}, 2, {3, 1}, false, false},
        {{100, 110}, 10, {3, 9}, false, false},
        {{97, 103}, 1, {3, 2}, true, false},     // CV 4.24 %
        {{100}, 1, {1, 2}, false, true},         // one run cannot vary
        {{}, 1, {1, 2}, false, true},
        {{0, 0, 0}, 1, {1, 2}, false, true},     // no frame rate at all: no spread in percent
    };
    for (const auto& c : cases) {
        const RepeatDecision d = DecideRepeat(c.runs, c.launches, c.settings);
        EXPECT_EQ(d.Relaunch, c.relaunch) << c.runs.size() << " runs, launch " << c.launches;
        EXPECT_EQ(d.Stable, c.stable) << c.runs.size() << " runs, launch " << c.launches;
    }
}

TEST(RepeatDecision, ExactlyAtTheLimitIsStable) {
    // 1 and 3: mean 2, deviation 1.414, CV 70.7 %: on a 71 % limit stable, on 70 % not.
    EXPECT_TRUE(DecideRepeat({1, 3}, 1, {71, 2}).Stable);
    EXPECT_FALSE(DecideRepeat({1, 3}, 1, {70, 2}).Stable);
}

TEST(RepeatSettings, TheOptionOffGivesNoneAndBadBoxesTheirDefaults) {
    const struct {
        bool on;
        const char* limit;
        const char* most;
        std::optional<std::pair<int, int>> expected;
    } cases[] = {
        {false, "3", "2", std::nullopt},
        {true, "3", "2", std::pair{3, 2}},
        {true, "15", "9", std::pair{15, 9}},
        {true, "", "", std::pair{3, 2}},
        {true, "0", "0", std::pair{3, 2}},
        {true, "100", "10", std::pair{3, 2}},
        {true, "05", "x", std::pair{3, 2}},
        {true, "99", "1", std::pair{99, 1}},
    };
    for (const auto& c : cases) {
        BenchSettings settings;
        settings.RepeatVaryingSlots = c.on;
        settings.RepeatLimitPercent = c.limit;
        settings.RepeatMostLaunches = c.most;
        const auto repeat = RepeatSettingsFrom(settings);
        ASSERT_EQ(repeat.has_value(), c.expected.has_value()) << c.limit << " " << c.most;
        if (!repeat) continue;
        EXPECT_EQ(repeat->LimitPercent, c.expected->first) << c.limit;
        EXPECT_EQ(repeat->MostExtraLaunches, c.expected->second) << c.most;
    }
}

TEST(LaunchRuns, AFurtherLaunchAddsItsRunsAndTheAverageOfAll) {
    RunResults all{{"40,5", "49,5"}, "45", {"40.5", "49.5"}, {40.5, 49.5}};
    const RunResults more{{"60,25", "61"}, "60,62", {"60.25", "61"}, {60.25, 61}};
    ASSERT_TRUE(AddLaunchRuns(all, more, ','));
    EXPECT_EQ(all.Scores, (std::vector<std::string>{"40,5", "49,5", "60,25", "61"}));
    EXPECT_EQ(all.GameTexts, (std::vector<std::string>{"40.5", "49.5", "60.25", "61"}));
    EXPECT_EQ(all.Values, (std::vector<double>{40.5, 49.5, 60.25, 61}));
    EXPECT_EQ(all.Average, "52,81");  // 211.25 / 4 = 52.8125, cut after two digits

    // Sums beyond the single-precision range give no average: nothing is added.
    const RunResults huge{{"3e38"}, "", {"3e38"}, {3e38}};
    RunResults big{{"3e38"}, "", {"3e38"}, {3e38}};
    EXPECT_FALSE(AddLaunchRuns(big, huge, '.'));
    EXPECT_EQ(big.Values.size(), 1u);
    EXPECT_EQ(big.Average, "");
}

}  // namespace
}  // namespace wmb
