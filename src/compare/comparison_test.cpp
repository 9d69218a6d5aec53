#include "compare/comparison.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "compare/compare_tool.h"
#include "results/number_text.h"

namespace wmb {

namespace {

struct FixtureSlot {
    int Width, Height;
    double Average;  // < 0: the slot failed
};

// A results file as the program writes it, with one run per slot at its average.
std::string ResultsJson(const std::string& quality, const std::vector<FixtureSlot>& slots) {
    std::string json = "{\r\n  \"program\": \"WildmereBench\",\r\n  \"version\": \"1.8.0.0\",\r\n"
                       "  \"started\": \"09.12.2026 20:15\",\r\n"
                       "  \"machine\": [ {\"name\": \"CPU\", \"value\": \"Athlon <64>\"} ],\r\n"
                       "  \"settings\": {\"demo\": \"Pier\", \"quality\": \"" + quality + "\", \"runs\": 1},\r\n"
                       "  \"slots\": [";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const FixtureSlot& s = slots[i];
        const std::string size = std::to_string(s.Width) + "\\u00d7" + std::to_string(s.Height);
        const std::string average = NumberText(s.Average);
        json += (i ? ",\r\n    " : "\r\n    ") + std::string("{\"slot\": ") + std::to_string(i) + ", \"resolution\": \"" + size +
                "\", \"width\": " + std::to_string(s.Width) + ", \"height\": " + std::to_string(s.Height);
        json += s.Average < 0 ? ", \"status\": \"failed\", \"failure\": \"no log\"}"
                              : ", \"status\": \"ok\", \"runs\": [{\"run\": 1, \"text\": \"" + average + "\", \"score\": " +
                                    average + "}], \"average\": " + average + ", \"averageText\": \"" + average +
                                    "\", \"min\": " + average + ", \"max\": " + average +
                                    ", \"stddev\": 0, \"cv\": 0, \"unstable\": false}";
    }
    return json + "\r\n  ]\r\n}\r\n";
}

ComparedInput Input(const std::string& name, const std::string& quality, const std::vector<FixtureSlot>& slots) {
    ResultsRead read = ReadResultsFile(ResultsJson(quality, slots));
    EXPECT_TRUE(read.File) << read.Error;
    return {name, read.File.value_or(ResultsFile{})};
}

// An input whose one slot at 800 x 600 holds these runs.
ComparedInput InputWithRuns(const std::string& name, const std::vector<double>& scores) {
    ComparedInput input{name, {}};
    ResultsSlot slot;
    slot.Resolution = "800\xC3\x97" "600";
    slot.Width = 800, slot.Height = 600, slot.Ok = true, slot.Scores = scores;
    for (double score : scores) slot.Average += score / static_cast<double>(scores.size());
    input.File.Slots.push_back(slot);
    return input;
}

// The expected difference, computed here on its own: one decimal with its sign, no sign for zero.
std::string ExpectedPercent(double first, double other) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", (other - first) / first * 100);
    const std::string s = text;
    return (s == "+0.0" || s == "-0.0" ? "0.0" : s) + " %";
}

}  // namespace

TEST(Comparison, DifferencesArePercentsOfTheFirstInputsAverage) {
    const std::vector<std::pair<double, double>> pairs = {{50, 60}, {45.3, 41.27}, {88.8, 88.8}, {3, 1}, {77.81, 77.8},
                                                          {0.5, 100}};
    for (const auto& [first, other] : pairs) {
        const std::vector<ComparedInput> inputs = {Input("A.json", "High", {{800, 600, first}}),
                                                   Input("B.json", "Low", {{800, 600, other}})};
        const std::vector<ComparedRow> rows = ComparedRows(inputs);
        ASSERT_EQ(rows.size(), 1u);
        const std::string expected = ExpectedPercent(first, other);
        EXPECT_EQ(PercentAgainstFirst(rows[0].Slots[0], rows[0].Slots[1]), expected) << first << " " << other;
        EXPECT_NE(ComparisonPage(inputs).find(">" + expected + "</td>"), std::string::npos) << expected;
    }
}

TEST(Comparison, AFailedSlotOrAZeroFirstAverageHasNoDifference) {
    const std::vector<ComparedInput> inputs = {Input("A.json", "High", {{800, 600, 0}, {1024, 768, 40}, {1280, 1024, 30}}),
                                               Input("B.json", "Low", {{800, 600, 10}, {1024, 768, -1}, {1280, 1024, 33}})};
    const std::vector<ComparedRow> rows = ComparedRows(inputs);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].Resolution, "1024\xC3\x97" "768");
    EXPECT_EQ(PercentAgainstFirst(rows[0].Slots[0], rows[0].Slots[1]), "-");
    EXPECT_EQ(PercentAgainstFirst(rows[1].Slots[0], rows[1].Slots[1]), "-");
    EXPECT_EQ(PercentAgainstFirst(rows[2].Slots[0], rows[2].Slots[1]), "+10.0 %");
    EXPECT_NE(ComparisonPage(inputs).find(">failed (no log)</td>"), std::string::npos);
    EXPECT_FALSE(CheckResolutions(inputs));
}

TEST(Comparison, InputsWithResultsAtOtherResolutionsAreNamed) {
    const std::vector<ComparedInput> inputs = {Input("A.json", "High", {{800, 600, 50}, {1024, 768, 40}}),
                                               Input("B.json", "High", {{800, 600, 51}, {1024, 768, 41}}),
                                               Input("C.json", "Low", {{800, 600, 60}, {1280, 1024, 30}})};
    const auto mismatch = CheckResolutions(inputs);
    ASSERT_TRUE(mismatch);
    EXPECT_EQ(mismatch->Input, 2u);
    EXPECT_EQ(mismatch->What, "its resolutions (800\xC3\x97" "600, 1280\xC3\x97" "1024) differ from those of A.json (800\xC3\x97"
                              "600, 1024\xC3\x97" "768)");
}

TEST(Comparison, ThePageShowsTheInputsSideBySideEscapedWithTheDifferencesHighlighted) {
    const std::string page = ComparisonPage({Input("A.json", "High", {{800, 600, 50}}), Input("B<1>.json", "Low & fast", {{800, 600, 55}})});
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n", 0), 0u);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("<tr class=\"differs\"><th>Quality</th><td>High</td><td>Low &amp; fast</td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<tr><th>Demo</th><td>Pier</td><td>Pier</td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<th>B&lt;1&gt;.json</th>"), std::string::npos);
    EXPECT_NE(page.find("<td>Athlon &lt;64&gt;</td>"), std::string::npos);
    EXPECT_NE(page.find("<svg "), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    for (std::size_t lf = page.find('\n'); lf != std::string::npos; lf = page.find('\n', lf + 1))
        ASSERT_EQ(page[lf - 1], '\r') << "a line without CR at " << lf;
}

TEST(Comparison, WhatASweepCouldNotCompareIsListedEscapedAndNothingWithoutIt) {
    const std::vector<ComparedInput> inputs = {Input("low.ini", "Low", {{800, 600, 50}}),
                                               Input("high.ini", "High", {{800, 600, 40}})};
    const std::string page = ComparisonPage(inputs, {"odd.ini: refused: line 3: Renderer must be Direct3D or OpenGL, not \"<V>\"."});
    EXPECT_NE(page.find("<h2>Not compared</h2>\r\n<ul>\r\n<li>odd.ini: refused: line 3: Renderer must be Direct3D or "
                        "OpenGL, not &quot;&lt;V&gt;&quot;.</li>\r\n</ul>"),
              std::string::npos);
    EXPECT_LT(page.find("<h2>Inputs</h2>"), page.find("<h2>Not compared</h2>"));
    EXPECT_EQ(ComparisonPage(inputs).find("Not compared"), std::string::npos);
}

TEST(CompareTool, WritesBesideTheFirstInputOrNothingOnAnError) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "wmb_compare_tool_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    };
    const std::string a = write("A.JSON", ResultsJson("High", {{800, 600, 50}}));
    const std::string b = write("B.json", ResultsJson("Low", {{800, 600, 60}}));
    const std::string cut = write("cut.json", ResultsJson("Low", {{800, 600, 60}}).substr(0, 80));
    const auto same = [](const std::string& s) { return s; };
    const auto full = [](const std::string& s) { return std::filesystem::absolute(s).lexically_normal().string(); };

    CompareOutcome outcome = RunCompare({a, b}, same, full);
    EXPECT_EQ(outcome.ExitCode, 0) << outcome.Message;
    EXPECT_EQ(outcome.WrittenPath, (dir / "A_compare.htm").string());
    EXPECT_TRUE(std::filesystem::exists(dir / "A_compare.htm"));

    outcome = RunCompare({"-o", (dir / "out.htm").string(), a, cut}, same, full);
    EXPECT_EQ(outcome.ExitCode, 2);
    EXPECT_EQ(outcome.Message, cut + ": unexpected end of data in a string at line 4, column 22");
    outcome = RunCompare({a, (dir / "gone.json").string(), "-o", (dir / "out.htm").string()}, same, full);
    EXPECT_EQ(outcome.Message, (dir / "gone.json").string() + ": cannot be read");
    for (const std::vector<std::string>& usage : {std::vector<std::string>{a}, {a, b, "-o"}, {a, b, "-x"}}) {
        outcome = RunCompare(usage, same, full);
        EXPECT_EQ(outcome.ExitCode, 2);
        EXPECT_NE(outcome.Message.find("usage: WildmereCompare"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.htm"));
    std::filesystem::remove_all(dir);
}

// An output that names one of the inputs, however it is spelled, is refused and the input stays as it was.
TEST(CompareTool, RefusesAnOutputThatIsOneOfItsInputs) {
    // Full paths as the system makes them, relative to a current folder of the test's own.
    const std::string current = "C:\\Results\\";
    const auto full = [&](const std::string& path) {
        std::string whole = path.size() > 1 && path[1] == ':' ? path : current + path;
        for (std::string part : {"\\.\\", "\\sub\\..\\"}) {
            for (std::size_t at = whole.find(part); at != std::string::npos; at = whole.find(part)) whole.replace(at, part.size(), "\\");
        }
        return whole;
    };
    const auto same = [](const std::string& s) { return s; };
    const std::string a = "C:\\Results\\A.json";
    const std::string b = "C:\\Results\\B_compare.htm";
    const struct {
        std::vector<std::string> args;
        std::string output;
    } cases[] = {
        {{a, b, "-o", a}, a},
        {{a, b, "-o", "c:\\results\\a.JSON"}, "c:\\results\\a.JSON"},
        {{a, b, "-o", "A.json"}, "A.json"},
        {{a, b, "-o", ".\\sub\\..\\b_COMPARE.htm"}, ".\\sub\\..\\b_COMPARE.htm"},
        {{"C:\\Results\\B", b}, b},  // the default page of the first input is the second input
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const CompareOutcome outcome = RunCompare(c.args, same, full);
        EXPECT_EQ(outcome.ExitCode, 2);
        EXPECT_EQ(outcome.Message, c.output + ": is one of the inputs; choose another output file with -o OUT.htm");
        EXPECT_EQ(outcome.WrittenPath, "");
    }
}

TEST(Comparison, EachAverageHasItsIntervalAndEachDifferenceItsVerdict) {
    // Worked by hand: 60.44 +- 2.7764 * 0.5683 / sqrt(5) = 59.73 to 61.15; against it 58.30 is -3.5 %, Welch's
    // interval -5.0 to -2.1 %, p 0.0008: significant. {10, 12} against {14, 16}: +36 %, but 4 +- 4.3027 * sqrt(2)
    // of 11 is -19.0 to +91.7 %.
    const std::string dash = "\xE2\x80\x93";
    const struct {
        std::vector<double> first, second;
        std::string firstCell, verdictCell;
    } cases[] = {
        {{60.1, 61.3, 59.8, 60.6, 60.4}, {58.2, 58.9, 57.6, 58.5}, "59.73" + dash + "61.15",
         "<td class=\"significant\">significant (-5.0" + dash + "-2.1 %)</td>"},
        {{10, 12}, {14, 16}, "-1.71" + dash + "23.71", "<td>within noise (-19.0" + dash + "+91.7 %)</td>"},
        {{60}, {58.2, 58.9}, "", "<td>no estimate</td>"},
    };
    for (const auto& c : cases) {
        const std::string page = ComparisonPage({InputWithRuns("A.json", c.first), InputWithRuns("B.json", c.second)});
        if (!c.firstCell.empty()) {
            EXPECT_NE(page.find(" (" + c.firstCell + ")</td>"), std::string::npos) << c.firstCell;
        }
        EXPECT_NE(page.find(c.verdictCell), std::string::npos) << c.verdictCell;
    }
}

}  // namespace wmb
