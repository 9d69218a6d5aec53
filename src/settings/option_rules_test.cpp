#include "settings/option_rules.h"

#include <gtest/gtest.h>

#include "settings/settings_table.h"

namespace wmb {
namespace {

TEST(OptionRules, OnlyTheCustomDetailLevelUnlocksTheConfigFileControls) {
    const struct {
        int level;
        bool enabled;
    } cases[] = {{-1, false}, {0, false}, {1, false}, {2, false}, {3, true}};
    for (const auto& c : cases) EXPECT_EQ(CustomConfigControlsEnabled(c.level), c.enabled) << c.level;
}

TEST(OptionRules, CustomResolutionEnablesItsControlsAndStoresItsFlagOnlyWithBothSizes) {
    const struct {
        bool checked;
        const char* width;
        const char* height;
        bool enabled;
        const char* flag;
    } cases[] = {
        {true, "1280", "1024", true, "1"}, {true, "", "1024", true, "0"}, {true, "1280", "", true, "0"},
        {false, "1280", "1024", false, "0"}, {false, "", "", false, "0"},
    };
    for (const auto& c : cases) {
        const CustomResolutionEffects fx = CustomResolutionRule(c.checked, c.width, c.height);
        EXPECT_EQ(fx.SizeControlsEnabled, c.enabled) << c.checked << c.width << "x" << c.height;
        EXPECT_EQ(fx.StoredFlag, c.flag) << c.checked << c.width << "x" << c.height;
    }
}

TEST(OptionRules, ADriveRootKeepsItsBackslashAnyOtherFolderGetsOne) {
    const struct {
        const char* chosen;
        const char* shown;
    } cases[] = {{"C:\\", "C:\\"}, {"D:\\", "D:\\"}, {"C:\\Res", "C:\\Res\\"}, {"E:\\My results", "E:\\My results\\"}};
    for (const auto& c : cases) EXPECT_EQ(ChosenFolderText(c.chosen), c.shown) << c.chosen;
}

TEST(OptionRules, DefaultFoldersLieInTheGameFolderOnlyWhileTheGameExists) {
    const Folders folders{"C:\\Bench\\", "D:\\Game\\Bin32\\", "D:\\Game\\"};
    const struct {
        bool gameExists;
        const char* sub;
        const char* folder;
    } cases[] = {
        {true, kResultsSubFolder, "D:\\Game\\Benchmark\\"},
        {false, kResultsSubFolder, "C:\\Bench\\Benchmark\\"},
        {true, kScreenshotSubFolder, "D:\\Game\\Screenshot\\"},
        {false, kScreenshotSubFolder, "C:\\Bench\\Screenshot\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(DefaultFolderText(c.gameExists, folders, c.sub), c.folder);
}

TEST(OptionRules, OpenOpensAnExistingResultsFolderComplainsAboutAMissingOneAndIgnoresAnEmptyBox) {
    const struct {
        const char* folder;
        bool exists;
        bool open;
        const char* message;
    } cases[] = {
        {"C:\\R\\", true, true, nullptr},
        {"C:\\R\\", false, false, "The results directory not exist."},
        {"", false, false, nullptr},
    };
    for (const auto& c : cases) {
        const OpenFolderEffects fx = OpenResultsFolderRule(c.folder, c.exists);
        EXPECT_EQ(fx.Open, c.open) << c.folder << c.exists;
        EXPECT_EQ(fx.Message.value_or(""), c.message ? c.message : "") << c.folder << c.exists;
    }
}

TEST(OptionRules, DecimalBoxLabelsCommaAndPeriodAndRestoresTheStoredSeparatorOnExit) {
    const struct {
        const char* text;
        const char* label;
        const char* afterExit;  // nullptr: the text stays
    } cases[] = {{",", "(comma)", nullptr}, {".", "(period)", nullptr}, {";", "(period)", ","}, {"", "(period)", ","},
                 {",,", "(period)", ","}};
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalSeparatorLabel(c.text), c.label) << c.text;
        const auto after = DecimalTextAfterExit(c.text, ",");
        EXPECT_EQ(after.has_value(), c.afterExit != nullptr) << c.text;
        if (after && c.afterExit) {
            EXPECT_EQ(*after, c.afterExit);
        }
    }
}

TEST(OptionRules, WaitLabelIsSingularOnlyForOneSecond) {
    const struct {
        const char* value;
        const char* label;
    } cases[] = {{"1", "second."}, {"2", "seconds."}, {"10", "seconds."}, {"", "seconds."}};
    for (const auto& c : cases) EXPECT_EQ(WaitsLabel(c.value), c.label) << c.value;
}

TEST(OptionRules, ScreenshotModeLocksTheRunCountAndRestoresTheStoredOneWhenSwitchedOff) {
    const struct {
        bool on;
        bool runTwice;
        const char* stored;
        int demo;
        const char* runs;
        const char* caption;
        const char* status;
        bool framesDialog;
    } cases[] = {
        {true, false, "5", 0, "1", "Screenshot", "Set the parameters & get screenshot!", false},
        {true, true, "5", 0, "2", "Screenshot", "Set the parameters & get screenshot!", false},
        {true, false, "5", 11, "1", "Screenshot", "Set the parameters & get screenshot!", true},
        {false, true, "15", 11, "15", "Benchmark", "", false},
        {false, false, "100", 0, "100", "Benchmark", "", false},
    };
    for (const auto& c : cases) {
        const ScreenshotModeEffects fx = ScreenshotModeRule(c.on, c.runTwice, c.stored, c.demo);
        SCOPED_TRACE(testing::Message() << "on " << c.on << " twice " << c.runTwice << " demo " << c.demo);
        EXPECT_EQ(fx.RunCountText, c.runs);
        EXPECT_EQ(fx.BenchCaption, c.caption);
        EXPECT_EQ(fx.Status, c.status);
        EXPECT_EQ(fx.ShowDemoFramesDialog, c.framesDialog);
        EXPECT_EQ(fx.FrameEditEnabled, c.on);
        EXPECT_EQ(fx.ScreenshotControlsEnabled, c.on);
        EXPECT_EQ(fx.RunCountEnabled, !c.on);
        EXPECT_EQ(fx.GeneralPageEnabled, !c.on);
        EXPECT_EQ(fx.AntialiasEnabled, !c.on);
    }
}

TEST(OptionRules, AUsableGameKeepsTheScreenshotCaptionInScreenshotMode) {
    EXPECT_EQ(ReadyBenchCaption(true), "Screenshot");
    EXPECT_EQ(ReadyBenchCaption(false), "Benchmark");
}

TEST(OptionRules, FrameBoxKeepsAWholeNumberInRangeElseTakesTheMaximum) {
    const struct {
        const char* text;
        const char* kept;
    } cases[] = {{"500", "500"}, {"1", "1"}, {"3721", "3721"}, {"4000", "3721"}, {"0", "3721"},
                 {"", "3721"},   {"12a", "3721"}, {"-5", "3721"}, {"99999999999", "3721"}};
    for (const auto& c : cases) EXPECT_EQ(FrameTextAfterExit(c.text, 1, 3721), c.kept) << c.text;
}

TEST(OptionRules, HdrAndRunTwiceFollowTheirCheckBoxes) {
    EXPECT_TRUE(HdrControlsEnabled(true));
    EXPECT_FALSE(HdrControlsEnabled(false));
    EXPECT_EQ(RunCountForRunTwice(true), "2");
    EXPECT_EQ(RunCountForRunTwice(false), "1");
}

TEST(OptionRules, ABuiltInDemoFixesTheFrameRangeTheUserDemoUnlocksItsControls) {
    const struct {
        int demo;
        bool userControls;
        const char* label;
        int maximum;  // 0: unchanged
    } cases[] = {{0, false, "(1 - 3721 frames)", 3721},
                 {9, false, "(1 - 9576 frames)", 9576},
                 {11, true, "(No frame range.)", 0}};
    for (const auto& c : cases) {
        const DemoChoiceEffects fx = DemoChoiceRule(c.demo);
        EXPECT_EQ(fx.UserDemoControlsEnabled, c.userControls) << c.demo;
        EXPECT_EQ(fx.NewRangeShown, c.userControls) << c.demo;
        EXPECT_EQ(fx.FrameRangeLabel, c.label) << c.demo;
        EXPECT_EQ(fx.FrameMaximum.value_or(0), c.maximum) << c.demo;
    }
}

TEST(OptionRules, AddTakesTheFirstCheckedModeSplitAtItsX) {
    const std::vector<std::string> modes{"640 x 480", "1024 x 768", "1280 x 1024"};
    struct Case {
        std::vector<bool> checked;
        std::optional<std::pair<std::string, std::string>> size;
    } cases[] = {
        {{false, true, true}, std::pair<std::string, std::string>{"1024", "768"}},  // the higher one wins
        {{false, false, true}, std::pair<std::string, std::string>{"1280", "1024"}},
        {{false, false, false}, std::nullopt},
        {{}, std::nullopt},  // an empty list
    };
    for (const Case& c : cases) {
        const auto size = ChosenModeSize(modes, c.checked);
        ASSERT_EQ(size.has_value(), c.size.has_value());
        if (size) {
            EXPECT_EQ(std::make_pair(size->Width, size->Height), *c.size);
        }
    }
}

}  // namespace
}  // namespace wmb
