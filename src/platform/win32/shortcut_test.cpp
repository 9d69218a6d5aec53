#include "platform/win32/wrappers/shortcut.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/platform_test_support.h"

namespace wmb {
namespace {

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs_.CreateFolders(dir_ / "Wildmere\\Bin32");
        fs_.WriteFile(target_, "game");
    }
    test::ScratchFolder dir_;
    Win32FileSystem fs_;
    const std::string target_ = dir_ / "Wildmere\\Bin32\\Wildmere.exe";
};

TEST_F(ShortcutTest, ReadsBackWhatWasWritten) {
    ShortcutContents contents;
    contents.target = target_;
    contents.arguments = "+set   r_mode 3";
    contents.description = "Play Wildmere";
    contents.iconFile = target_;
    contents.iconIndex = 2;
    contents.showCommand = SW_SHOWMINNOACTIVE;
    contents.shellHotKey = 'W' | (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8;
    contents.workingFolder = dir_ / "Wildmere";
    const std::string lnk = dir_ / "Caf\xE9 Wildmere.lnk";
    CreateShortcut(lnk, contents);

    const ShortcutDetails details = ReadShortcut(lnk);
    EXPECT_EQ(details.Target, target_);
    EXPECT_EQ(details.arguments, "+set   r_mode 3");
    EXPECT_EQ(details.description, "Play Wildmere");
    EXPECT_EQ(details.iconFile, target_);
    EXPECT_EQ(details.iconIndex, 2);
    // Wine's link object stores the show command but reads every one back as SW_SHOWNORMAL; the
    // mapping itself is checked in ShortcutConversions below.
    const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(details.windowState, underWine ? ShortcutWindowState::Normal : ShortcutWindowState::Minimised);
    EXPECT_EQ(details.hotKey, 'W' | 0x4000u | 0x8000u);
    EXPECT_EQ(details.workingFolder, dir_ / "Wildmere");
}

TEST_F(ShortcutTest, TheSimpleFormPointsAtTheTarget) {
    CreateShortcut(dir_ / "Wildmere.lnk", target_);
    const ShortcutDetails details = ReadShortcut(dir_ / "Wildmere.lnk");
    EXPECT_EQ(details.Target, target_);
    EXPECT_EQ(details.windowState, ShortcutWindowState::Normal);
    EXPECT_EQ(details.hotKey, 0u);
    EXPECT_EQ(details.arguments, "");
}

TEST_F(ShortcutTest, AFileThatIsNoShortcutCannotBeOpened) {
    fs_.WriteFile(dir_ / "broken.lnk", "not a shell link");
    for (const std::string& path : {dir_ / "missing.lnk", dir_ / "broken.lnk"}) {
        try {
            ReadShortcut(path);
            ADD_FAILURE() << path << " was read";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Error opening Shortcut.");
        }
    }
}

TEST(ShortcutConversions, ShowCommandsGiveTheWindowState) {
    using S = ShortcutWindowState;
    const S expected[] = {S::Normal, S::Normal, S::Minimised, S::Maximised, S::Normal, S::Normal,
                          S::Minimised, S::Minimised, S::Normal, S::Normal, S::Maximised, S::Normal};
    for (int command = 0; command < 12; ++command)
        EXPECT_EQ(WindowStateFromShowCommand(command), expected[command]) << command;
}

TEST(ShortcutConversions, HotKeyModifiersMoveToBitThirteenAndUp) {
    EXPECT_EQ(HotKeyFromShell(0), 0u);
    EXPECT_EQ(HotKeyFromShell(VK_F5), static_cast<unsigned>(VK_F5));
    EXPECT_EQ(HotKeyFromShell('A' | HOTKEYF_SHIFT << 8), 'A' | 0x2000u);
    EXPECT_EQ(HotKeyFromShell('A' | HOTKEYF_CONTROL << 8), 'A' | 0x4000u);
    EXPECT_EQ(HotKeyFromShell('A' | HOTKEYF_ALT << 8), 'A' | 0x8000u);
    EXPECT_EQ(HotKeyFromShell(VK_HOME | (HOTKEYF_EXT | HOTKEYF_SHIFT) << 8), VK_HOME | 0x2000u | 0x10000u);
}

}  // namespace
}  // namespace wmb
