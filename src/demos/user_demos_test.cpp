#include "demos/user_demos.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

TEST(UserDemos, NamesThatWouldLeaveTheLevelsFolderAreNotPlain) {
    for (const char* plain : {"", "Harbour", "mine.tmd", "two words", "a..b"}) EXPECT_TRUE(IsPlainName(plain)) << plain;
    for (const char* bad : {".", "..", "..\\Harbour", "Harbour/x", "C:x", "a*b", "a\"b", "a\tb"}) {
        EXPECT_FALSE(IsPlainName(bad)) << bad;
    }
}

TEST(UserDemos, MapTextAfterFillingTheList) {
    const std::vector<std::string> maps{"Harbour", "Ridge"};
    struct Case {
        std::vector<std::string> items;
        std::string stored;
        std::optional<std::string> text;
    } cases[] = {
        {maps, "", "Harbour"},            // nothing stored: the first map
        {maps, "ridge", "ridge"},         // held, letter case ignored: the stored text
        {maps, "Gone", ""},               // no longer there: no map, so every level's demos
        {{}, "", std::nullopt},           // no maps at all: the text is left alone
        {{}, "Harbour", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(MapTextAfterFill(c.items, c.stored), c.text) << c.stored;
}

TEST(UserDemos, FramesDialogOk) {
    using K = DemoFramesAnswer;
    struct Case {
        const char* text;
        K::Kind kind;
        int frames;
    } cases[] = {
        {"2500", K::NewRange, 2500}, {"1", K::NewRange, 1},      {"20000", K::NewRange, 20000},
        {"0", K::ScreenshotOff, 0},  {"", K::ScreenshotOff, 0},  {"20001", K::OutOfRange, 0},
        {"99999999999999999999", K::OutOfRange, 0},              {"-5", K::OutOfRange, 0},
    };
    for (const Case& c : cases) {
        const DemoFramesAnswer a = DemoFramesOk(c.text);
        EXPECT_EQ(a.Result, c.kind) << c.text;
        EXPECT_EQ(a.Frames, c.frames) << c.text;
    }
}

TEST(UserDemos, ImportGoesIntoTheMapFolderUnderItsOwnName) {
    EXPECT_EQ(ImportTarget("C:\\G\\", "Harbour", "D:\\dl\\mine.tmd"), "C:\\G\\Levels\\Harbour\\mine.tmd");
}

}  // namespace
}  // namespace wmb
