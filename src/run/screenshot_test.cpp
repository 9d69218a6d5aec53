#include "run/screenshot.h"

#include <gtest/gtest.h>

#include "results/report.h"
#include "settings/slots.h"
#include "support/memory_file_system.h"

namespace wmb {

namespace {

const std::string kGame = "D:\\Games\\Wildmere\\";
const Folders kFolders{"C:\\Bench\\", kGame + "Bin32\\", kGame};
const std::string kShots = "D:\\Shots\\";
const std::string kStamp = "05_04_2007_15_04_05";

// What the run controller hands over for a slot; the resolution label follows the slot's size.
ScreenshotInfoInput Input(int slot, const std::string& width = "", const std::string& height = "") {
    ScreenshotInfoInput in;
    in.Slot = slot;
    in.Settings.CustomWidth = width;
    in.Settings.CustomHeight = height;
    in.Settings.ScreenshotFolder = kShots;
    in.Settings.ScreenshotFrame = "500";
    in.ResolutionLabel = "Resolution: " + SlotLabel(slot, in.Settings);
    in.ShaderLabel = ShaderLabel(1);
    in.Settings.AntialiasIndex = 2;
    in.Settings.AnisotropyIndex = 3;
    in.RendererLabel = "Direct3D";
    in.QualityLabel = "Maximum quality option";
    in.DemoName = "kstriver";
    return in;
}

}  // namespace

TEST(ScreenshotNames, StampSuffixAndBaseName) {
    EXPECT_EQ(PictureStamp(kStamp), "05042007150405");
    EXPECT_EQ(PictureStamp("4_5_2007_3_04_05_PM"), "45200730405PM");
    BenchSettings s;
    s.CustomWidth = "1152";
    s.CustomHeight = "864";
    EXPECT_EQ(SlotSuffix(0, s), "_640");
    EXPECT_EQ(SlotSuffix(5, s), "_2048");
    EXPECT_EQ(SlotSuffix(kCustomSlot, s), "_1152");
    EXPECT_EQ(PictureBaseName(kShots, "1200", "05042007150405", "_1024"), kShots + "frame1200_05042007150405_1024");
}

TEST(ScreenshotInfo, ElevenLinesWithoutANote) {
    ScreenshotInfoInput in = Input(2);
    const std::vector<std::string> expected = {
        "Resolution: 1024\xD7" "768",
        "Frame: 500",
        "Renderer: Direct3D",
        "Demo: kstriver.tmd",
        "Pixel shader: model 2.0b",
        "Antialising: 4\xD7",
        "Anisotropic filtering: 8\xD7",
        "Quality: Maximum quality option",
        "HDR: disabled",
        "Normal-maps compression: disabled",
        "Geometry Instancing: disabled",
    };
    EXPECT_EQ(BuildScreenshotInfo(in), expected);
}

TEST(ScreenshotInfo, CustomSlotOptionsAndNote) {
    ScreenshotInfoInput in = Input(kCustomSlot, "1152", "864");
    in.Settings.AntialiasIndex = 0;
    in.Settings.AnisotropyIndex = 5;
    in.Settings.HdrEnabled = true;
    in.Settings.HdrLevel = "7";
    in.Settings.NormalMapCompression = true;
    in.Settings.GeometryInstancing = true;
    in.Settings.Note = "test rig";
    in.RendererLabel = "OpenGL";  // the shader line stays whatever the renderer
    const auto lines = BuildScreenshotInfo(in);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Resolution: 1152 \xD7 864 (Custom)...");
    EXPECT_EQ(lines[4], "Pixel shader: model 2.0b");
    EXPECT_EQ(lines[5], "Antialising: None");
    EXPECT_EQ(lines[6], "Anisotropic filtering: From System\xD7");
    EXPECT_EQ(lines[8], "HDR: Level 7");
    EXPECT_EQ(lines[9], "Normal-maps compression: enabled");
    EXPECT_EQ(lines[10], "Geometry Instancing: enabled");
    EXPECT_EQ(lines[11], "Note: test rig");

    in.Settings.AntialiasIndex = 5;
    EXPECT_EQ(BuildScreenshotInfo(in)[5], "Antialising: From System\xD7");
}

TEST(MoveScreenshot, TwoSlotsGiveAPictureAndAnInformationFileEach) {
    test::MemoryFileSystem fs;
    for (int slot : {1, 3}) {
        fs.Put(kGame + "Wildmere0000.jpg", "picture " + std::to_string(slot));
        EXPECT_TRUE(MoveScreenshot(fs, kFolders, kStamp, Input(slot)));
    }
    EXPECT_FALSE(fs.FileExists(kGame + "Wildmere0000.jpg"));
    EXPECT_EQ(fs.Get(kShots + "frame500_05042007150405_800.jpg"), "picture 1");
    EXPECT_EQ(fs.Get(kShots + "frame500_05042007150405_1280.jpg"), "picture 3");
    const std::string info = fs.Get(kShots + "frame500_05042007150405_800.txt");
    EXPECT_EQ(info.rfind("Resolution: 800\xD7" "600\r\nFrame: 500\r\n", 0), 0u);
    EXPECT_EQ(info.substr(info.size() - 31), "Geometry Instancing: disabled\r\n");
    EXPECT_TRUE(fs.FileExists(kShots + "frame500_05042007150405_1280.txt"));
}

TEST(MoveScreenshot, CustomSlotIsNamedByItsWidth) {
    test::MemoryFileSystem fs;
    fs.Put(kGame + "Wildmere0000.jpg", "p");
    EXPECT_TRUE(MoveScreenshot(fs, kFolders, kStamp, Input(kCustomSlot, "1152", "864")));
    EXPECT_TRUE(fs.FileExists(kShots + "frame500_05042007150405_1152.jpg"));
    EXPECT_EQ(fs.Get(kShots + "frame500_05042007150405_1152.txt").rfind("Resolution: 1152 \xD7 864 (Custom)...\r\n", 0),
              0u);
}

TEST(MoveScreenshot, NoPictureWritesNothing) {
    test::MemoryFileSystem fs;
    EXPECT_FALSE(MoveScreenshot(fs, kFolders, kStamp, Input(2)));
    EXPECT_TRUE(fs.Log.empty());
}

TEST(MoveScreenshot, AnExistingPictureOfTheSameNameIsReplaced) {
    test::MemoryFileSystem fs;
    fs.Put(kShots + "frame500_05042007150405_1024.jpg", "old");
    fs.Put(kGame + "Wildmere0000.jpg", "new");
    EXPECT_TRUE(MoveScreenshot(fs, kFolders, kStamp, Input(2)));
    EXPECT_EQ(fs.Get(kShots + "frame500_05042007150405_1024.jpg"), "new");
}

TEST(MoveScreenshot, AnUnwritableFolderRaisesTheFileSystemError) {
    test::MemoryFileSystem fs;
    fs.Put(kGame + "Wildmere0000.jpg", "p");
    fs.MakeReadOnly(kShots);
    EXPECT_THROW(MoveScreenshot(fs, kFolders, kStamp, Input(2)), std::runtime_error);
}

}  // namespace wmb
