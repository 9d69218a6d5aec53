#include "timedemo_log.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace wmb::game {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
        lines.push_back(text.substr(start, pos - start));
    }
    EXPECT_EQ(start, text.size()) << "every line, the last included, ends with CR LF";
    return lines;
}

// The score as a benchmark cuts it from a result line: after the first comma, after the next colon.
std::string Score(std::string line) {
    if (const size_t comma = line.find(','); comma != std::string::npos) line = line.substr(comma + 1);
    if (const size_t colon = line.find(':'); colon != std::string::npos) line = line.substr(colon + 1);
    return line;
}

std::vector<RunResult> Runs(std::initializer_list<double> fps) {
    std::vector<RunResult> runs;
    for (double f : fps) runs.push_back({f, f * 0.6, f * 1.4, 10, 20, 3721 / f});
    return runs;
}

RenderSetup MakeSetup() {
    RenderSetup s;
    s.map = "pier";
    s.demo = "1";
    s.frames = 3721;
    return s;
}

TEST(TimedemoLog, ResultLinesEveryFiveLinesAndFinalFinishLine) {
    const auto lines = Lines(BuildTimedemoLog(MakeSetup(), Runs({77.806, 77.42, 78.03}), {}));
    ASSERT_EQ(lines.size(), 3u + 5u * 3u - 1u);
    EXPECT_EQ(lines[3], "TimeDemo Run 0 Finished. Play Time: 47.82s, Average FPS: 77.81");
    EXPECT_EQ(Score(lines[3]), " 77.81");
    EXPECT_EQ(Score(lines[8]), " 77.42");
    EXPECT_EQ(Score(lines[13]), " 78.03");
    EXPECT_EQ(lines.back(), "!TimeDemo Run 2 Finished.");
    EXPECT_EQ(lines[2], "TimeDemo Run 0 Started.");
    EXPECT_EQ(lines[7], "TimeDemo Run 1 Started.");
}

TEST(TimedemoLog, SingleRun) {
    const auto lines = Lines(BuildTimedemoLog(MakeSetup(), Runs({120.5}), {}));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(Score(lines[3]), " 120.50");
    EXPECT_EQ(lines[6], "!TimeDemo Run 0 Finished.");
}

TEST(TimedemoLog, QuitEarlyDropsOnlyTheLastFinishLine) {
    const auto lines = Lines(BuildTimedemoLog(MakeSetup(), Runs({50, 51}), {false, false, false, true}));
    EXPECT_EQ(lines.back(), " Frames: 3721, Resolution: 1024 x 768");
    EXPECT_EQ(lines[6], "!TimeDemo Run 0 Finished.");
    for (const std::string& line : lines) EXPECT_NE(line, "!TimeDemo Run 1 Finished.");
}

TEST(TimedemoLog, CommaBadScoreAndShortLog) {
    const auto comma = Lines(BuildTimedemoLog(MakeSetup(), Runs({77.81}), {true, false, false, false}));
    EXPECT_EQ(Score(comma[3]), " 77,81");
    const auto bad = Lines(BuildTimedemoLog(MakeSetup(), Runs({77.81, 70}), {false, true, false, false}));
    EXPECT_EQ(Score(bad[3]), " n/a");
    EXPECT_EQ(Score(bad[8]), " n/a");
    const auto shortLog = Lines(BuildTimedemoLog(MakeSetup(), Runs({1, 2, 3}), {false, false, true, false}));
    ASSERT_EQ(shortLog.size(), 2u);
    EXPECT_EQ(shortLog[1], "!TimeDemo Run 2 Finished.");
}

TEST(FormatFps, TwoDecimalsWithChosenSeparator) {
    EXPECT_EQ(FormatFps(77.805, false).size(), 5u);
    EXPECT_EQ(FormatFps(100, false), "100.00");
    EXPECT_EQ(FormatFps(9.999, true), "10,00");
    EXPECT_EQ(FormatFps(std::numeric_limits<double>::infinity(), false), "0.00");
}

}  // namespace
}  // namespace wmb::game
