#include "run/demo_install.h"

#include <gtest/gtest.h>


#include "support/memory_file_system.h"

namespace wmb {

namespace {

const Folders kFolders{"C:\\Bench\\", "D:\\W\\Bin32\\", "D:\\W\\"};

BenchSettings Demo(int index) {
    BenchSettings s;
    s.DemoIndex = index;
    return s;
}

}  // namespace

TEST(InstallDemo, CopiesAMissingBuiltInDemoAndAppendsItsArguments) {
    test::MemoryFileSystem fs;
    fs.Put("C:\\Bench\\PXG\\1.tmd", "shipped");
    DemoLocation location;
    std::string line = "cmd";
    InstallDemo(fs, kFolders, Demo(0), location, line);
    EXPECT_EQ(fs.Get("D:\\W\\Levels\\Pier\\1.tmd"), "shipped");
    EXPECT_EQ(fs.Log, std::vector<std::string>{"copy C:\\Bench\\PXG\\1.tmd -> D:\\W\\Levels\\Pier\\1.tmd"});
    EXPECT_EQ(line, "cmd \"map pier\" \"demo 1\"");
    EXPECT_EQ(location.MapFolder, "Pier\\");
    EXPECT_EQ(location.DemoName, "1");
}

TEST(InstallDemo, AnExistingDemoIsNeverReplacedAndASecondSlotOnlyAppends) {
    test::MemoryFileSystem fs;
    fs.Put("C:\\Bench\\KST\\kstriver.tmd", "shipped");
    fs.Put("D:\\W\\Levels\\River\\kstriver.tmd", "user's own");
    DemoLocation location;
    for (int slot = 0; slot < 2; ++slot) {
        std::string line = "cmd";
        InstallDemo(fs, kFolders, Demo(10), location, line);
        EXPECT_EQ(line, "cmd \"map River\" \"demo kstriver\"");
    }
    EXPECT_EQ(fs.Get("D:\\W\\Levels\\River\\kstriver.tmd"), "user's own");
    EXPECT_TRUE(fs.Log.empty());
}

TEST(InstallDemo, UserDefinedDemoEndsWithABlank) {
    test::MemoryFileSystem fs;
    fs.Put("C:\\Bench\\Training\\mydemo.tmd", "imported");
    BenchSettings s = Demo(kUserDemoIndex);
    s.UserMapFolder = "Training";
    s.UserDemoFile = "mydemo.tmd";
    DemoLocation location;
    std::string line = "cmd";
    InstallDemo(fs, kFolders, s, location, line);
    EXPECT_EQ(line, "cmd \"map Training\" \"demo mydemo\" ");
    EXPECT_EQ(location.MapFolder, "Training\\");
    EXPECT_EQ(location.DemoName, "mydemo");
    EXPECT_EQ(fs.Get("D:\\W\\Levels\\Training\\mydemo.tmd"), "imported");
}

TEST(InstallDemo, ShortUserDemoNamesAndMissingNames) {
    test::MemoryFileSystem fs;
    BenchSettings s = Demo(kUserDemoIndex);
    s.UserMapFolder = "Pier";
    s.UserDemoFile = "ab";
    DemoLocation location;
    std::string line;
    InstallDemo(fs, kFolders, s, location, line);
    EXPECT_EQ(location.DemoName, "ab");
    EXPECT_EQ(line, " \"map Pier\" \"demo ab\" ");

    fs.Log.clear();
    s.UserDemoFile = "";
    line.clear();
    InstallDemo(fs, kFolders, s, location, line);
    EXPECT_TRUE(fs.Log.empty());  // no folder copy without a file name
    EXPECT_EQ(location.DemoName, "");
}

TEST(InstallDemo, NoDemoChosenKeepsTheLocation) {
    test::MemoryFileSystem fs;
    DemoLocation location{"Pier\\", "1"};
    std::string line = "cmd";
    InstallDemo(fs, kFolders, Demo(-1), location, line);
    EXPECT_EQ(line, "cmd");
    EXPECT_EQ(location.MapFolder, "Pier\\");
    EXPECT_EQ(location.DemoName, "1");
    EXPECT_TRUE(fs.Log.empty());
}

TEST(InstallDemo, ScreenshotModeAppendsTheNextFrameNumber) {
    test::MemoryFileSystem fs;
    BenchSettings s = Demo(3);
    s.ScreenshotMode = true;
    s.ScreenshotFrame = "100";
    DemoLocation location;
    std::string line;
    InstallDemo(fs, kFolders, s, location, line);
    EXPECT_EQ(line, " \"map Volcano\" \"demo kstvolcano\" \"#demo_screenshot_frame=101\" ");

    s.DemoIndex = kUserDemoIndex;
    s.UserMapFolder = "Pier";
    s.UserDemoFile = "x.tmd";
    line.clear();
    InstallDemo(fs, kFolders, s, location, line);
    EXPECT_EQ(line, " \"map Pier\" \"demo x\"  \"#demo_screenshot_frame=101\" ");

    s.ScreenshotFrame = "abc";  // not a whole number: the box's minimum
    line.clear();
    InstallDemo(fs, kFolders, Demo(-1), location, line);
    EXPECT_EQ(line, "");
    s.DemoIndex = -1;
    InstallDemo(fs, kFolders, s, location, line);
    EXPECT_EQ(line, " \"#demo_screenshot_frame=2\" ");
}

TEST(InstallDemo, FrameBeyondTheDemoOrTheWholeNumbersTakesTheLastOne) {
    const struct {
        int demo;
        const char* frame;
        const char* argument;
    } cases[] = {
        {0, "3721", "3722"},
        {0, "3722", "3722"},
        {0, "9223372036854775807", "3722"},
        {0, "99999999999999999999999", "3722"},
        {-1, "9223372036854775807", "2147483647"},
        {kUserDemoIndex, "2147483646", "2147483647"},
        {kUserDemoIndex, "2147483647", "2147483647"},
        {-1, "0", "2"},
        {-1, "-5", "2"},
        {-1, "", "2"},
    };
    for (const auto& c : cases) {
        test::MemoryFileSystem fs;
        BenchSettings s = Demo(c.demo);
        s.UserMapFolder = "Pier";
        s.UserDemoFile = "x.tmd";
        s.ScreenshotMode = true;
        s.ScreenshotFrame = c.frame;
        DemoLocation location;
        std::string line;
        InstallDemo(fs, kFolders, s, location, line);
        const std::string argument = "\"#demo_screenshot_frame=" + std::string(c.argument) + "\" ";
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), argument.size())), argument) << c.frame;
    }
}

}  // namespace wmb
