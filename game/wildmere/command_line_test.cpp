#include "command_line.h"

#include <gtest/gtest.h>

namespace wmb::game {
namespace {

const char* const kBenchLine =
    "D:\\Games\\Wildmere\\Bin32\\Wildmere.exe -DEVMODE  \"#demo_num_runs=2\" \"#demo_quit=1\" \"#r_Width=1024\" "
    "\"#r_Height=768\" \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\" \"#r_HDRRendering=0\" "
    "\"#r_TexNormalMapCompressed=0\" \"map pier\" \"demo 1\"";

TEST(SplitCommandLine, QuotesGroupBlanksAndDoubleBlanksMakeNoEmptyTokens) {
    const auto tokens = SplitCommandLine("a.exe -X  \"map pier\" \"#v=1\" ");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0], "a.exe");
    EXPECT_EQ(tokens[1], "-X");
    EXPECT_EQ(tokens[2], "map pier");
    EXPECT_EQ(tokens[3], "#v=1");
}

TEST(SplitCommandLine, EmptyQuotesAreAnEmptyToken) {
    const auto tokens = SplitCommandLine("a.exe \"\"");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1], "");
}

TEST(ParseGameArgs, BenchmarkLineGivesMapDemoAndSettings) {
    const GameArgs args = ParseGameArgs(kBenchLine);
    EXPECT_TRUE(args.devMode);
    EXPECT_EQ(args.map, "pier");
    EXPECT_EQ(args.demo, "1");
    EXPECT_EQ(args.vars.at("demo_num_runs"), "2");
    EXPECT_EQ(args.vars.at("r_width"), "1024");
    EXPECT_EQ(args.vars.at("r_height"), "768");
    EXPECT_EQ(args.vars.at("r_hdrrendering"), "0");
    EXPECT_EQ(args.vars.at("r_texnormalmapcompressed"), "0");
    EXPECT_EQ(args.vars.count("r_sm30path"), 0u);
}

TEST(ParseGameArgs, ShaderPathScreenshotFrameAndTrailingBlanks) {
    const GameArgs args = ParseGameArgs(
        "D:\\Games\\Wildmere\\Bin32\\Wildmere.exe -DEVMODE \"r_SM30PATH 1\" \"#demo_num_runs=0\" "
        "\"#r_HDRRendering=4\" \"map pier\" \"demo 1\" \"#demo_screenshot_frame=1201\" ");
    EXPECT_EQ(args.vars.at("r_sm30path"), "1");
    EXPECT_EQ(args.vars.at("r_hdrrendering"), "4");
    EXPECT_EQ(args.vars.at("demo_screenshot_frame"), "1201");
    EXPECT_EQ(args.demo, "1");
}

TEST(ParseGameArgs, UserDemoWithTrailingBlankAndOddTokensTolerated) {
    const GameArgs args = ParseGameArgs("C:\\My Games\\Bin32\\Wildmere.exe stray \"#\" \"#=5\" \"map Volcano\" "
                                        "\"demo mydemo\" ");
    EXPECT_FALSE(args.devMode);
    EXPECT_EQ(args.map, "Volcano");
    EXPECT_EQ(args.demo, "mydemo");
    EXPECT_TRUE(args.vars.empty());
}

TEST(ParseGameArgs, EmptyRunCountIsKeptAsEmptyText) {
    const GameArgs args = ParseGameArgs("w.exe \"#demo_num_runs=\"");
    EXPECT_EQ(args.vars.at("demo_num_runs"), "");
    EXPECT_EQ(VarWhole(args.vars, "demo_num_runs", 7), 7);
}

TEST(Numbers, WholeAndDecimalParsing) {
    EXPECT_EQ(ParseWhole(" 42 "), 42);
    EXPECT_EQ(ParseWhole("+3"), 3);
    EXPECT_EQ(ParseWhole("-3"), -3);
    EXPECT_FALSE(ParseWhole("4x"));
    EXPECT_FALSE(ParseWhole(""));
    EXPECT_DOUBLE_EQ(*ParseDecimal("100.000000"), 100.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-0.1f"), -0.1);
    EXPECT_FALSE(ParseDecimal("Direct3D9"));
    EXPECT_FALSE(ParseDecimal("1.0.0x"));
}

TEST(Numbers, VarLookupIgnoresCaseAndFallsBack) {
    ConsoleVars vars{{"r_fsaa_samples", "4"}, {"ratio", "0.9"}, {"bad", "many"}};
    EXPECT_EQ(VarWhole(vars, "R_FSAA_Samples", 1), 4);
    EXPECT_EQ(VarWhole(vars, "ratio", 1), 0);
    EXPECT_EQ(VarWhole(vars, "bad", 1), 1);
    EXPECT_EQ(VarWhole(vars, "missing", 9), 9);
    EXPECT_DOUBLE_EQ(VarDecimal(vars, "ratio", 1.0), 0.9);
}

}  // namespace
}  // namespace wmb::game
