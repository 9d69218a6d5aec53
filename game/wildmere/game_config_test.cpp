#include "game_config.h"

#include <gtest/gtest.h>

namespace wmb::game {
namespace {

TEST(ReadConfigText, AssignmentLinesWithAnyLineEnds) {
    ConsoleVars vars;
    ReadConfigText("-- This file has been written by WildmereConfigurator.exe\r\n\r\nr_Width = \"1280\"\r\n"
                   "r_Driver = \"OpenGL\"\nr_FSAA=1\rg_serverprofile = \"\"\r\n \r\n",
                   vars);
    EXPECT_EQ(vars.size(), 4u);
    EXPECT_EQ(vars.at("r_width"), "1280");
    EXPECT_EQ(vars.at("r_driver"), "OpenGL");
    EXPECT_EQ(vars.at("r_fsaa"), "1");
    EXPECT_EQ(vars.at("g_serverprofile"), "");
}

TEST(ReadConfigText, LaterFilesOverrideEarlierValues) {
    ConsoleVars vars;
    ReadConfigText("r_geominstancing = \"0\"\r\n", vars);
    ReadConfigText("R_GeomInstancing = \"1\"\r\n", vars);
    EXPECT_EQ(vars.at("r_geominstancing"), "1");
}

TEST(ReadConfigText, SkipsLinesThatAreNoAssignments) {
    ConsoleVars vars;
    ReadConfigText("just words\r\n= \"5\"\r\n\"quoted\" = 1\r\n", vars);
    EXPECT_TRUE(vars.empty());
}

TEST(ReadDemoFrameCount, ReadsFramesLineAndRejectsNonsense) {
    EXPECT_EQ(ReadDemoFrameCount("WILDMERE TIMEDEMO 1\r\nmap=Pier\r\nframes=3721\r\n"), 3721);
    EXPECT_EQ(ReadDemoFrameCount("Frames= 9576"), 9576);
    EXPECT_FALSE(ReadDemoFrameCount("frames=0\r\n"));
    EXPECT_FALSE(ReadDemoFrameCount("frames=lots\r\n"));
    EXPECT_FALSE(ReadDemoFrameCount(std::string("\x01\x02 binary demo")));
}

TEST(ReadTestControl, KeysSwitchOnWithUsualWords) {
    const TestControl c = ReadTestControl(
        "; comment\r\nquit_early=1\r\nno_log = yes\r\ncomma=true\r\nbad_score=on\r\nshort_log=1\r\nno_picture=1\r\n"
        "keep_logs=1\r\n");
    EXPECT_TRUE(c.quitEarly);
    EXPECT_TRUE(c.noLog);
    EXPECT_TRUE(c.comma);
    EXPECT_TRUE(c.badScore);
    EXPECT_TRUE(c.shortLog);
    EXPECT_TRUE(c.noPicture);
    EXPECT_TRUE(c.keepLogs);
    EXPECT_FALSE(c.runSeconds);
}

TEST(ReadTestControl, DefaultsOffAndRunSecondsValidated) {
    const TestControl off = ReadTestControl("quit_early=0\nunknown=1\n# no_log=1\n");
    EXPECT_FALSE(off.quitEarly);
    EXPECT_FALSE(off.noLog);
    EXPECT_DOUBLE_EQ(*ReadTestControl("run_seconds=2.5").runSeconds, 2.5);
    EXPECT_FALSE(ReadTestControl("run_seconds=-1").runSeconds);
    EXPECT_FALSE(ReadTestControl("run_seconds=soon").runSeconds);
}

TEST(ReadTestControl, SpreadAndItsWidth) {
    const struct {
        const char* text;
        double percent;
        long width;
    } cases[] = {
        {"", 0, 0},
        {"spread=20", 20, 0},
        {"spread=12.5\nspread_width=640", 12.5, 640},
        {"spread=100", 0, 0},
        {"spread=-5", 0, 0},
        {"spread=much\nspread_width=wide", 0, 0},
    };
    for (const auto& c : cases) {
        const TestControl control = ReadTestControl(c.text);
        EXPECT_DOUBLE_EQ(control.spreadPercent, c.percent) << c.text;
        EXPECT_EQ(control.spreadWidth, c.width) << c.text;
    }
}

TEST(ReadTestControl, LaunchSectionsApplyToTheirStartOnly) {
    const std::string text = "run_seconds=4\r\n[launch 2]\r\nno_log=1\r\nrun_seconds=1\r\n[launch 3]\r\nquit_early=1\r\n";
    struct Case {
        int launch;
        bool noLog;
        bool quitEarly;
        double runSeconds;
    };
    for (const Case& c : {Case{1, false, false, 4}, Case{2, true, false, 1}, Case{3, false, true, 4}, Case{4, false, false, 4}}) {
        const TestControl control = ReadTestControl(text, c.launch);
        EXPECT_EQ(control.noLog, c.noLog) << "launch " << c.launch;
        EXPECT_EQ(control.quitEarly, c.quitEarly) << "launch " << c.launch;
        EXPECT_DOUBLE_EQ(control.runSeconds.value_or(-1), c.runSeconds) << "launch " << c.launch;
    }
    EXPECT_FALSE(ReadTestControl("[something else]\nno_log=1\n", 1).noLog);
}

}  // namespace
}  // namespace wmb::game
