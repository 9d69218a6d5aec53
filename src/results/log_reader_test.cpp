#include "results/log_reader.h"

#include <gtest/gtest.h>

namespace wmb {

namespace {

// A log in the game's layout: three lines of preamble, then per run a result line followed by
// four other lines; the finish line of the last run closes it.
std::string GameLog(const std::vector<std::string>& scores, const std::string& eol = "\r\n") {
    std::string log = "TimeDemo log" + eol + "Map: pier" + eol + "Demo: 1" + eol;
    for (std::size_t j = 0; j < scores.size(); ++j) {
        log += "Run " + std::to_string(j) + ", 3721 frames, average fps:" + scores[j] + eol;
        log += "min fps: 20" + eol + "max fps: 140" + eol + "time: 51.2" + eol;
        log += "!TimeDemo Run " + std::to_string(j) + " Finished." + eol;
    }
    return log;
}

}  // namespace

TEST(LogLines, EveryKindOfLineEnd) {
    EXPECT_EQ(SplitLogLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLogLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLogLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLogLines("").empty());
}

TEST(CheckRunLog, FinishLineOfTheLastRunAsAWholeLineInAnyCase) {
    const std::string log = GameLog({"77.81", "77.42", "78.03"});
    EXPECT_TRUE(CheckRunLog(log, "2"));
    EXPECT_TRUE(CheckRunLog("x\n!timedemo run 2 finished.\n", "2"));
    EXPECT_TRUE(CheckRunLog("x\r!TIMEDEMO RUN 2 FINISHED.", "2"));
    EXPECT_FALSE(CheckRunLog("x\n!TimeDemo Run 2 Finished. \n", "2"));
    EXPECT_FALSE(CheckRunLog("x\n!TimeDemo Run 2 Finished\n", "2"));
    EXPECT_FALSE(CheckRunLog(GameLog({"77.81", "77.42"}), "2"));  // the game stopped after run 1
    EXPECT_FALSE(CheckRunLog("", "0"));
    EXPECT_FALSE(CheckRunLog(log, ""));
}

TEST(ScoreText, CutAfterTheFirstCommaThenTheFirstColon) {
    EXPECT_EQ(ReadScoreText("Run 0, 3721 frames, average fps:77.81"), "77.81");
    EXPECT_EQ(ReadScoreText("a:b, c, fps: 77.81"), " 77.81");  // colon before the first comma doesn't count
    EXPECT_EQ(ReadScoreText("fps: 77.81"), " 77.81");
    EXPECT_EQ(ReadScoreText("fps, 77.81"), " 77.81");
    EXPECT_EQ(ReadScoreText("77.81 fps"), "77.81 fps");
    EXPECT_EQ(ReadScoreText("a:b:c"), "b:c");
}

TEST(Separators, OnlyTheFirstOccurrenceChanges) {
    EXPECT_EQ(ToSeparator("77.81", ','), "77,81");
    EXPECT_EQ(ToSeparator("77,81", '.'), "77.81");
    EXPECT_EQ(ToSeparator("1.2.3", ','), "1,2.3");
    EXPECT_EQ(ToSeparator("1,2,3", '.'), "1.2,3");
    EXPECT_EQ(ToSeparator("77,81", ','), "77,81");
    EXPECT_EQ(ToSeparator("100", '.'), "100");
}

TEST(ParseDecimal, HonoursTheGivenSeparatorAndNeedsTheWholeText) {
    EXPECT_DOUBLE_EQ(*ParseDecimal("77.81", '.'), 77.81);
    EXPECT_DOUBLE_EQ(*ParseDecimal("  77,81 ", ','), 77.81);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-5", '.'), -5.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal("1.5E2", '.'), 150.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal(".5", '.'), 0.5);
    EXPECT_FALSE(ParseDecimal("77,81", '.'));
    EXPECT_FALSE(ParseDecimal("77.81", ','));
    EXPECT_FALSE(ParseDecimal("77.81 fps", '.'));
    EXPECT_FALSE(ParseDecimal("", '.'));
    EXPECT_FALSE(ParseDecimal(" . ", '.'));
    EXPECT_FALSE(ParseDecimal("1e", '.'));
    EXPECT_FALSE(ParseDecimal("nan", '.'));
    EXPECT_FALSE(ParseDecimal("0x10", '.'));
}

TEST(FormatAverage, FifteenDigitsCutNotRoundedAfterTwoDecimals) {
    EXPECT_EQ(FormatAverage(77.75333404541016f, '.'), "77.75");
    EXPECT_EQ(FormatAverage(73.21f, '.'), "73.20");
    EXPECT_EQ(FormatAverage(100.0f, '.'), "100");
    EXPECT_EQ(FormatAverage(77.75333404541016f, ','), "77,75");
    EXPECT_EQ(FormatAverage(77.5f, ','), "77,5");
}

TEST(FormatAverage, AnExponentStaysAfterTheCutDigits) {
    EXPECT_EQ(FormatAverage(1.5e20f, '.'), "1.50e+20");
    EXPECT_EQ(FormatAverage(1.5e20f, ','), "1,50e+20");
    EXPECT_EQ(FormatAverage(1e20f, '.'), "1.00e+20");
    EXPECT_EQ(FormatAverage(0.00001f, '.'), "9.99e-06");
}

TEST(RunResults, AveragesOfTheWorkedExamples) {
    auto r = ReadRunResults(GameLog({"77.81", "77.42", "78.03"}), "2", '.', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores, (std::vector<std::string>{"77.81", "77.42", "78.03"}));
    EXPECT_EQ(r->Average, "77.75");

    r = ReadRunResults(GameLog({"70.00", "76.42"}), "1", '.', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Average, "73.20");

    r = ReadRunResults(GameLog({"99.5", "100.5"}), "1", '.', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Average, "100");
}

TEST(RunResults, ReportSeparatorCommaWhateverTheSystemUses) {
    auto r = ReadRunResults(GameLog({"77.81", "77.42", "78.03"}), "2", ',', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores.front(), "77,81");
    EXPECT_EQ(r->Average, "77,75");

    r = ReadRunResults(GameLog({"77.81", "78.19"}), "1", ',', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores, (std::vector<std::string>{"77,81", "78,19"}));
    EXPECT_EQ(r->Average, "78");

    // A system with "," reads the game's "." and a comma-written log alike.
    r = ReadRunResults(GameLog({"77.81", "77.42", "78.03"}, "\n"), "2", '.', ',');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Average, "77.75");
    r = ReadRunResults("a\rb\rc\rRun 0, x:77,81\r\r\r\r\rRun 1, x:78,19\r", "1", '.', ',');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores, (std::vector<std::string>{"77.81", "78.19"}));
    EXPECT_EQ(r->Average, "78");
}

TEST(RunResults, SingleRunKeepsTheLoggedTextWithItsBlanks) {
    auto r = ReadRunResults(GameLog({" 77.81"}), "0", '.', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores, std::vector<std::string>{" 77.81"});
    EXPECT_EQ(r->Average, "");
}

TEST(RunResults, BlankBeforeAScoreIsConvertedAndKeptInItsText) {
    const auto r = ReadRunResults(GameLog({" 77.81", " 77.42 ", "78.03"}), "2", '.', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores, (std::vector<std::string>{" 77.81", " 77.42 ", "78.03"}));
    EXPECT_EQ(r->Average, "77.75");
}

TEST(RunResults, TwoCommasOnlyTheTextAfterTheFirstIsSearched) {
    const std::string log = "a\nb\nc\nRun 0, 3,721 frames: 80\n\n\n\n\nRun 1, 3,721 frames: 60\n";
    const auto r = ReadRunResults(log, "1", '.', '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Scores, (std::vector<std::string>{" 80", " 60"}));
    EXPECT_EQ(r->Average, "70");
}

TEST(RunResults, ShortLogsBadScoresAndBadRunCountsFailTheSlot) {
    std::string log = GameLog({"77.81", "77.42", "78.03"});
    EXPECT_FALSE(ReadRunResults(log, "3", '.', '.'));  // a fourth run is not in the log
    EXPECT_FALSE(ReadRunResults("a\nb\nc\n", "0", '.', '.'));
    EXPECT_FALSE(ReadRunResults("", "0", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"77.81", "fast"}), "1", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"77.81", "77.42 fps"}), "1", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"77.81", "1e39"}), "1", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"77.81", "1e999"}), "1", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"77.81", "-3.5"}), "1", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"n/a"}), "0", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"-77.81"}), "0", '.', '.'));
    EXPECT_FALSE(ReadRunResults(GameLog({"1e39"}), "0", '.', '.'));
    EXPECT_FALSE(ReadRunResults("a\nb\nc\nno score here\n", "0", ',', '.'));
    EXPECT_FALSE(ReadRunResults(log, "", '.', '.'));
    EXPECT_FALSE(ReadRunResults(log, "x", '.', '.'));
    EXPECT_FALSE(ReadRunResults(log, "99999999999999999999", '.', '.'));
    // The last result line is the last line of the log: enough.
    EXPECT_TRUE(ReadRunResults("a\nb\nc\nx:1\n\n\n\n\nx:2", "1", '.', '.'));
}

}  // namespace wmb
