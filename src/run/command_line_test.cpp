#include "run/command_line.h"
#include "run/demo_install.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "demos/demo_table.h"
#include "results/report.h"
#include "settings/slots.h"
#include "support/memory_file_system.h"

namespace wmb {

namespace {

BenchSettings DefaultRun() {
    BenchSettings s;
    s.RunCount = "3";
    s.DemoIndex = 0;
    return s;
}

}  // namespace

TEST(LaunchValues, RunCountTableAndUnlistedCountsKeepThePreviousValue) {
    LaunchValues values;
    BenchSettings s;
    s.RunCount = "7";
    UpdateLaunchValues(values, s);
    EXPECT_EQ(values.RunsArgument, "");  // nothing listed used yet

    for (const auto& [count, runs] : {std::pair{"1", "0"}, {"2", "1"}, {"3", "2"}, {"4", "3"}, {"5", "4"},
                                      {"15", "14"}, {"25", "24"}, {"50", "49"}, {"100", "99"}}) {
        s.RunCount = count;
        UpdateLaunchValues(values, s);
        EXPECT_EQ(values.RunsArgument, runs) << count;
    }
    s.RunCount = "10";
    UpdateLaunchValues(values, s);
    EXPECT_EQ(values.RunsArgument, "99");
    s.RunCount = " 3";
    UpdateLaunchValues(values, s);
    EXPECT_EQ(values.RunsArgument, "99");
}

TEST(LaunchValues, HdrAndNormalMapArgumentsCarryTheirQuotes) {
    LaunchValues values;
    BenchSettings s;
    s.HdrLevel = "4";
    UpdateLaunchValues(values, s);
    EXPECT_EQ(values.HdrArgument, "\"#r_HDRRendering=0\"");
    EXPECT_EQ(values.NormalMapArgument, "\"#r_TexNormalMapCompressed=0\"");
    s.HdrEnabled = true;
    s.NormalMapCompression = true;
    UpdateLaunchValues(values, s);
    EXPECT_EQ(values.HdrArgument, "\"#r_HDRRendering=4\"");
    EXPECT_EQ(values.NormalMapArgument, "\"#r_TexNormalMapCompressed=1\"");
}

TEST(CommandLine, ThreeRunsAtTenTwentyFourWithTheFirstDemo) {
    LaunchValues values;
    BenchSettings s = DefaultRun();
    UpdateLaunchValues(values, s);
    std::string line = BuildCommandLine("D:\\Games\\Wildmere\\Bin32\\", "", values, SlotWidth(2, s), SlotHeight(2, s));
    test::MemoryFileSystem fs;
    DemoLocation location;
    InstallDemo(fs, {"C:\\Bench\\", "D:\\Games\\Wildmere\\Bin32\\", "D:\\Games\\Wildmere\\"}, s, location, line);
    EXPECT_EQ(line,
              "D:\\Games\\Wildmere\\Bin32\\Wildmere.exe -DEVMODE  \"#demo_num_runs=2\" \"#demo_quit=1\" "
              "\"#r_Width=1024\" \"#r_Height=768\" \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\" "
              "\"#r_HDRRendering=0\" \"#r_TexNormalMapCompressed=0\" \"map pier\" \"demo 1\"");
}

TEST(CommandLine, ShaderModelThreeHdrAndScreenshotFrame) {
    LaunchValues values;
    BenchSettings s = DefaultRun();
    s.RunCount = "1";
    s.HdrEnabled = true;
    s.HdrLevel = "4";
    s.ScreenshotMode = true;
    s.ScreenshotFrame = "1200";
    UpdateLaunchValues(values, s);
    std::string line = BuildCommandLine("D:\\Games\\Wildmere\\Bin32\\", "\"r_SM30PATH 1\"", values, SlotWidth(2, s),
                                        SlotHeight(2, s));
    test::MemoryFileSystem fs;
    DemoLocation location;
    InstallDemo(fs, {"C:\\Bench\\", "D:\\Games\\Wildmere\\Bin32\\", "D:\\Games\\Wildmere\\"}, s, location, line);
    EXPECT_EQ(line,
              "D:\\Games\\Wildmere\\Bin32\\Wildmere.exe -DEVMODE \"r_SM30PATH 1\" \"#demo_num_runs=0\" "
              "\"#demo_quit=1\" \"#r_Width=1024\" \"#r_Height=768\" \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" "
              "\"#s_MusicEnable=0\" \"#r_HDRRendering=4\" \"#r_TexNormalMapCompressed=0\" \"map pier\" \"demo 1\" "
              "\"#demo_screenshot_frame=1201\" ");
}

TEST(CommandLine, CustomSlotSizesAndAnEmptyRunCount) {
    LaunchValues values;
    BenchSettings s;
    s.CustomWidth = "1152";
    s.CustomHeight = "864";
    UpdateLaunchValues(values, s);
    const std::string line = BuildCommandLine("C:\\W\\Bin32\\", "", values, SlotWidth(kCustomSlot, s),
                                              SlotHeight(kCustomSlot, s));
    EXPECT_EQ(line,
              "C:\\W\\Bin32\\Wildmere.exe -DEVMODE  \"#demo_num_runs=\" \"#demo_quit=1\" \"#r_Width=1152\" "
              "\"#r_Height=864\" \"#r_Fullscreen=1\" \"#s_SoundEnable=0\" \"#s_MusicEnable=0\" "
              "\"#r_HDRRendering=0\" \"#r_TexNormalMapCompressed=0\"");
}

// HDR on with a level the box does not offer (empty, out of range, or text that would break the quoting)
// gives the game the default level, never an empty value.
TEST(LaunchValues, HdrLevelOutsideOneToElevenGivesTheDefaultLevel) {
    const std::pair<std::string, const char*> cases[] = {
        {"1", "1"},   {"11", "11"}, {"7", "7"},   {"", "1"},    {"0", "1"},
        {"12", "1"},  {"07", "1"},  {"-1", "1"},  {"4\r\n", "1"}, {"1\" \"#demo_num_runs=0", "1"},
    };
    for (const auto& [level, given] : cases) {
        LaunchValues values;
        BenchSettings s = DefaultRun();
        s.HdrEnabled = true;
        s.HdrLevel = level;
        UpdateLaunchValues(values, s);
        EXPECT_EQ(values.HdrArgument, "\"#r_HDRRendering=" + std::string(given) + "\"") << level;
        const std::string line = BuildCommandLine("C:\\W\\Bin32\\", "", values, "1024", "768");
        EXPECT_EQ(line.find("=\""), std::string::npos) << line;
        EXPECT_EQ(SectionSettingTexts(s, false).Hdr, "level " + std::string(given)) << level;
    }
}

TEST(CommandLine, RefusesTextsThatWouldBreakItsQuotingAndNamesTheSetting) {
    const struct {
        const char* setting;
        std::string hdrLevel, width, height;
    } cases[] = {
        {"resolution width", "4", "1024\"", "768"},
        {"resolution height", "4", "1024", std::string("768\0", 4)},
    };
    for (const auto& c : cases) {
        LaunchValues values;
        BenchSettings s = DefaultRun();
        s.HdrEnabled = true;
        s.HdrLevel = c.hdrLevel;
        UpdateLaunchValues(values, s);
        try {
            BuildCommandLine("C:\\W\\Bin32\\", "", values, c.width, c.height);
            ADD_FAILURE() << c.setting << " went on the command line";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("The ") + c.setting +
                                                 " holds a double quote or a control character, which cannot go on "
                                                 "the game's command line. The game was not started.");
        }
    }
}

TEST(CommandLine, UserDemoNamesThatWouldBreakItsQuotingAreRefusedBeforeAnyCopy) {
    const struct {
        const char* setting;
        const char* map;
        const char* file;
    } cases[] = {{"map folder", "Pier\" \"#r_Width=4096", "x.tmd"}, {"demo file", "Pier", "x\ty.tmd"}};
    for (const auto& c : cases) {
        test::MemoryFileSystem fs;
        fs.Put("C:\\Bench\\Pier\\x.tmd", "demo");
        BenchSettings s = DefaultRun();
        s.DemoIndex = kUserDemoIndex;
        s.UserMapFolder = c.map;
        s.UserDemoFile = c.file;
        DemoLocation location;
        std::string line = "cmd";
        try {
            InstallDemo(fs, {"C:\\Bench\\", "D:\\W\\Bin32\\", "D:\\W\\"}, s, location, line);
            ADD_FAILURE() << c.setting << " went on the command line";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("The ") + c.setting + " holds"), std::string::npos);
        }
        EXPECT_EQ(line, "cmd");
        EXPECT_TRUE(fs.Log.empty()) << c.setting;
    }
}

}  // namespace wmb
