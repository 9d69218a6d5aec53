// The settings key across restarts, the game's location at start and the engine build check, driven
// through the window.

#include <shlobj.h>

#include "e2e/bench_fixture.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/wrappers/shortcut.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kReady = "Set the parameters & bench!";
constexpr const char* kNoGame = "Please define the Wildmere path!";
constexpr const char* kNotReady = "Please install the official v1.4 patch! NOT READY TO BENCH!";
constexpr const char* kUnsupportedLabel = "Unsupported Wildmere version found.";
constexpr const char* kUnsupportedMessage = "Unsupported Wildmere version found. Please install the official v1.4 patch!";

std::string RegionalDecimalSeparator() {
    char buffer[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof(buffer));
    return buffer;
}

class SettingsE2E : public BenchTest {
protected:

    bool SpecificPageEnabled() const { return IsWindowEnabled(GetParent(Ctl(IDC_HDRBOX))) != FALSE; }

    // Picks `exePath` with the "..." button beside the path box, through the open-file dialog.
    void ChooseGameByHand(const std::string& exePath) {
        ShowPage(0);
        Click(Ctl(IDC_FINDMAN));
        HWND dialog = WaitForTopWindow(app_->ProcessId(), "#32770", 15000);
        ASSERT_NE(dialog, nullptr) << "no open-file dialog";
        ASSERT_TRUE(EnterFileName(dialog, exePath)) << "no file name box in the open-file dialog";
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 15000))
            << "the open-file dialog stayed open";
    }

    void ExpectReadyWith(const std::string& label) {
        EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), label);
        EXPECT_EQ(Status(), kReady);
        EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
        EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Benchmark");
        EXPECT_TRUE(SpecificPageEnabled());
    }

    void ExpectUnsupported(bool specificPageEnabled) {
        EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), kUnsupportedLabel);
        EXPECT_EQ(Status(), kNotReady);
        EXPECT_FALSE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
        EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Not ready to bench");
        EXPECT_EQ(SpecificPageEnabled(), specificPageEnabled);
        EXPECT_TRUE(IsChecked(Ctl(IDC_PSHADER0)));
    }
};

// ---- Restart ----

TEST_F(SettingsE2E, RestartKeepsEveryChoice) {
    PointAtGame();
    // The custom size comes from the monitor resolutions dialog; here it is stored beforehand.
    SetSetting("CusW", "1280");
    SetSetting("CusH", "1024");
    StartProgram();

    ShowPage(2);
    EXPECT_EQ(GetText(Ctl(IDC_CUSWIDTH)), "1280");
    EXPECT_EQ(GetText(Ctl(IDC_CUSHEIGHT)), "1024");
    EXPECT_FALSE(IsChecked(Ctl(IDC_CUSRESBOX)));
    EXPECT_FALSE(IsEnabled(Ctl(IDC_CUSWIDTH)));
    EXPECT_FALSE(IsEnabled(Ctl(IDC_CUSPOSSIBILITIES)));
    CheckResolution(1);
    CheckResolution(3);
    SetCheck(Ctl(IDC_CUSRESBOX), true);
    EXPECT_TRUE(IsEnabled(Ctl(IDC_CUSWIDTH)));
    EXPECT_TRUE(IsEnabled(Ctl(IDC_CUSHEIGHT)));
    EXPECT_TRUE(IsEnabled(Ctl(IDC_CUSPOSSIBILITIES)));
    EXPECT_EQ(Setting("CusRes"), "1");
    Click(Ctl(IDC_DETAIL0 + 1));
    ShowPage(1);
    Click(Ctl(IDC_DEMO0));
    ShowPage(3);
    Click(Ctl(IDC_PSHADER0 + 2));
    SelectComboItem(Ctl(IDC_AFBOX), "4");
    SelectComboItem(Ctl(IDC_AABOX), "6");
    ShowPage(4);
    SelectComboItem(Ctl(IDC_RENDERERBOX), "OpenGL");
    SelectComboItem(Ctl(IDC_RUNNUMBERBOX), "15");
    SelectComboItem(Ctl(IDC_LANGBOX), "Russian");
    ShowPage(5);
    TypeText(Ctl(IDC_NOTEEDIT), "Quiet room, fresh drivers");
    TypeText(Ctl(IDC_WAITS), "5");
    SelectComboItem(Ctl(IDC_DECBOX), ",");
    EXPECT_EQ(GetText(Ctl(IDC_LABEL8)), "(comma)");
    ShowPage(7);
    SetCheck(Ctl(IDC_HDRBOX), true);
    TypeText(Ctl(IDC_HDRLEVELBOX), "7");
    SetCheck(Ctl(IDC_GIBOX), true);
    SetCheck(Ctl(IDC_COMPRESSBOX), true);
    CloseProgram();

    EXPECT_EQ(Setting("Path"), bin32_ + "Wildmere.exe");
    const char* slots[] = {"640", "800", "1024", "1280", "1600", "2048"};
    const char* slotTexts[] = {"0", "1", "0", "1", "0", "0"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Setting(slots[i]), slotTexts[i]) << slots[i];
    EXPECT_EQ(Setting("CusW"), "1280");
    EXPECT_EQ(Setting("CusH"), "1024");
    EXPECT_EQ(Setting("CusRes"), "1");
    EXPECT_EQ(Setting("Demo"), "1");
    EXPECT_EQ(Setting("Detail"), "2");
    EXPECT_EQ(Setting("PS"), "3");
    EXPECT_EQ(Setting("AFLevel"), "3");
    EXPECT_EQ(Setting("AALevel"), "6");
    EXPECT_EQ(Setting("Renderer"), "2");
    EXPECT_EQ(Setting("TRun"), "15");
    EXPECT_EQ(Setting("Language"), "8");
    EXPECT_EQ(Setting("Note"), "Quiet room, fresh drivers");
    EXPECT_EQ(Setting("Wait"), "5");
    EXPECT_EQ(Setting("Decimal"), ",");
    EXPECT_EQ(Setting("HDR"), "1");
    EXPECT_EQ(Setting("HDRLevel"), "7");
    EXPECT_EQ(Setting("GI"), "1");
    EXPECT_EQ(Setting("NormalMaps"), "1");
    EXPECT_EQ(Setting("AddScInf"), "1");
    EXPECT_EQ(Setting("ResultPath"), game_ + "Benchmark\\");
    EXPECT_EQ(Setting("ScrPath"), game_ + "Screenshot\\");
    EXPECT_EQ(Setting("News"), "0");
    EXPECT_EQ(Setting("NoErrorWarning"), "");

    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), bin32_ + "Wildmere.exe");
    EXPECT_EQ(Status(), kReady);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(IsChecked(Ctl(IDC_RES0 + i)), i == 1 || i == 3) << slots[i];
    EXPECT_TRUE(IsChecked(Ctl(IDC_CUSRESBOX)));
    EXPECT_EQ(GetText(Ctl(IDC_CUSWIDTH)), "1280");
    EXPECT_EQ(GetText(Ctl(IDC_CUSHEIGHT)), "1024");
    EXPECT_TRUE(IsWindowEnabled(Ctl(IDC_CUSWIDTH)));
    EXPECT_TRUE(IsWindowEnabled(Ctl(IDC_CUSHEIGHT)));
    EXPECT_TRUE(IsWindowEnabled(Ctl(IDC_CUSPOSSIBILITIES)));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(IsChecked(Ctl(IDC_DETAIL0 + i)), i == 1) << "detail " << i;
    for (int i = 0; i < 12; ++i) EXPECT_EQ(IsChecked(Ctl(IDC_DEMO0 + i)), i == 0) << "demo " << i;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsChecked(Ctl(IDC_PSHADER0 + i)), i == 2) << "shader " << i;
    EXPECT_EQ(ComboText(Ctl(IDC_AFBOX)), "4");
    EXPECT_EQ(ComboText(Ctl(IDC_AABOX)), "6");
    EXPECT_EQ(ComboText(Ctl(IDC_RENDERERBOX)), "OpenGL");
    EXPECT_EQ(ComboText(Ctl(IDC_RUNNUMBERBOX)), "15");
    EXPECT_EQ(ComboText(Ctl(IDC_LANGBOX)), "Russian");
    EXPECT_EQ(GetText(Ctl(IDC_NOTEEDIT)), "Quiet room, fresh drivers");
    EXPECT_EQ(GetText(Ctl(IDC_WAITS)), "5");
    EXPECT_EQ(GetText(Ctl(IDC_LABEL10)), "seconds.");
    EXPECT_EQ(ComboText(Ctl(IDC_DECBOX)), ",");
    EXPECT_EQ(GetText(Ctl(IDC_LABEL8)), "(comma)");
    EXPECT_TRUE(IsChecked(Ctl(IDC_HDRBOX)));
    EXPECT_EQ(GetText(Ctl(IDC_HDRLEVELBOX)), "7");
    EXPECT_TRUE(IsWindowEnabled(Ctl(IDC_HDRLEVELBOX)));
    EXPECT_TRUE(IsChecked(Ctl(IDC_GIBOX)));
    EXPECT_TRUE(IsChecked(Ctl(IDC_COMPRESSBOX)));
    EXPECT_TRUE(IsChecked(Ctl(IDC_ADDINFO)));
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), game_ + "Benchmark\\");
    EXPECT_EQ(GetText(Ctl(IDC_SCRSAVEFOLD)), game_ + "Screenshot\\");
    CloseProgram();
}

TEST_F(SettingsE2E, StoredTextsSelectTheirItems) {
    PointAtGame();
    SetSetting("AFLevel", "3");
    SetSetting("AALevel", "3");
    SetSetting("Language", "8");
    SetSetting("Detail", "4");
    SetSetting("Demo", "11");
    SetSetting("Renderer", "1");
    SetSetting("AddScInf", "0");
    StartProgram();
    EXPECT_EQ(ComboText(Ctl(IDC_AFBOX)), "4");
    EXPECT_EQ(SendMessageA(Ctl(IDC_AABOX), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(ComboText(Ctl(IDC_AABOX)), "");
    EXPECT_EQ(ComboText(Ctl(IDC_LANGBOX)), "Russian");
    EXPECT_EQ(ComboText(Ctl(IDC_RENDERERBOX)), "Direct3D");
    EXPECT_TRUE(IsChecked(Ctl(IDC_DETAIL0 + 3)));
    EXPECT_TRUE(IsWindowEnabled(Ctl(IDC_DETAILEDIT)));
    EXPECT_TRUE(IsWindowEnabled(Ctl(IDC_DETAILBUTTON)));
    EXPECT_TRUE(IsChecked(Ctl(IDC_DEMO0 + 10)));
    EXPECT_FALSE(IsWindowEnabled(Ctl(IDC_MAPNAMEBOX)));
    EXPECT_FALSE(IsWindowEnabled(Ctl(IDC_DEMONAMEBOX)));
    EXPECT_FALSE(IsChecked(Ctl(IDC_ADDINFO)));
    CloseProgram();
    // A list without a selection leaves its stored text alone; the others are written back as read.
    EXPECT_EQ(Setting("AALevel"), "3");
    EXPECT_EQ(Setting("AFLevel"), "3");
    EXPECT_EQ(Setting("Language"), "8");
    EXPECT_EQ(Setting("Detail"), "4");
    EXPECT_EQ(Setting("Demo"), "11");
    EXPECT_EQ(Setting("Renderer"), "1");
    EXPECT_EQ(Setting("AddScInf"), "0");
}

TEST_F(SettingsE2E, CustomSizeTheMonitorDoesNotOfferIsReset) {
    PointAtGame();
    SetSetting("CusW", "1111");
    SetSetting("CusH", "999");
    SetSetting("CusRes", "1");
    StartProgram();
    EXPECT_EQ(Setting("CusW"), "0");
    EXPECT_EQ(Setting("CusH"), "0");
    EXPECT_FALSE(IsChecked(Ctl(IDC_CUSRESBOX)));
    EXPECT_EQ(GetText(Ctl(IDC_CUSWIDTH)), "");
    EXPECT_EQ(GetText(Ctl(IDC_CUSHEIGHT)), "");
    EXPECT_FALSE(IsWindowEnabled(Ctl(IDC_CUSWIDTH)));
    EXPECT_FALSE(IsWindowEnabled(Ctl(IDC_CUSPOSSIBILITIES)));
    CloseProgram();
    EXPECT_EQ(Setting("CusW"), "0");
    EXPECT_EQ(Setting("CusH"), "0");
}

TEST_F(SettingsE2E, CustomResolutionFlagFollowsTheCheckBoxAndItsSize) {
    PointAtGame();
    SetSetting("CusW", "1280");
    SetSetting("CusH", "1024");
    SetSetting("CusRes", "1");
    StartProgram();
    ShowPage(2);
    HWND box = Ctl(IDC_CUSRESBOX);
    EXPECT_TRUE(IsChecked(box));
    EXPECT_TRUE(IsEnabled(Ctl(IDC_CUSWIDTH)));
    // The flag is written when the mouse pointer leaves the box (moved over it and away until it is).
    const auto passOverBox = [&](const std::string& expected) {
        SetSetting("CusRes", "stale");
        RECT r;
        GetWindowRect(box, &r);
        return WaitUntil(
            [&] {
                SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                SetCursorPos(r.left - 40, r.bottom + 40);
                return Setting("CusRes") == expected;
            },
            5000, 250);
    };
    EXPECT_TRUE(passOverBox("1")) << Setting("CusRes");
    SetCheck(box, false);
    EXPECT_EQ(Setting("CusRes"), "0");
    EXPECT_FALSE(IsEnabled(Ctl(IDC_CUSWIDTH)));
    EXPECT_TRUE(passOverBox("0")) << Setting("CusRes");
    CloseProgram();
    EXPECT_EQ(Setting("CusRes"), "0");
}

// ---- An empty key ----

TEST_F(SettingsE2E, EmptyKeySelectsNothingAndTheFirstStartWithAGameSetsDefaults) {
    PointAtGame();
    StartProgram();
    EXPECT_EQ(Status(), kReady);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(IsChecked(Ctl(IDC_RES0 + i))) << "slot " << i;
    EXPECT_FALSE(IsChecked(Ctl(IDC_CUSRESBOX)));
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(IsChecked(Ctl(IDC_DEMO0 + i))) << "demo " << i;
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(IsChecked(Ctl(IDC_DETAIL0 + i))) << "detail " << i;
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsChecked(Ctl(IDC_PSHADER0 + i))) << "shader " << i;
    for (int id : {IDC_AFBOX, IDC_AABOX, IDC_RENDERERBOX, IDC_LANGBOX}) {
        EXPECT_EQ(SendMessageA(Ctl(id), CB_GETCURSEL, 0, 0), CB_ERR) << id;
    }
    EXPECT_EQ(ComboText(Ctl(IDC_RUNNUMBERBOX)), "");
    EXPECT_EQ(GetText(Ctl(IDC_NOTEEDIT)), "");
    EXPECT_EQ(GetText(Ctl(IDC_WAITS)), "");
    EXPECT_EQ(GetText(Ctl(IDC_HDRLEVELBOX)), "");
    EXPECT_FALSE(IsChecked(Ctl(IDC_HDRBOX)));
    EXPECT_TRUE(IsChecked(Ctl(IDC_ADDINFO)));

    const std::string separator = RegionalDecimalSeparator();
    EXPECT_EQ(Setting("FirstRun"), "Some");
    EXPECT_EQ(Setting("Decimal"), separator);
    EXPECT_EQ(ComboText(Ctl(IDC_DECBOX)), separator);
    EXPECT_EQ(GetText(Ctl(IDC_LABEL8)), separator == "," ? "(comma)" : "(period)");
    EXPECT_EQ(Setting("ResultPath"), game_ + "Benchmark\\");
    EXPECT_EQ(Setting("ScrPath"), game_ + "Screenshot\\");
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), game_ + "Benchmark\\");
    EXPECT_EQ(GetText(Ctl(IDC_SCRSAVEFOLD)), game_ + "Screenshot\\");
    EXPECT_EQ(Setting("News"), "");
    CloseProgram();

    // Later starts take the stored separator, whatever the regional one is.
    SetSetting("Decimal", separator == "," ? "." : ",");
    StartProgram();
    EXPECT_EQ(ComboText(Ctl(IDC_DECBOX)), separator == "," ? "." : ",");
    CloseProgram();
    EXPECT_EQ(Setting("FirstRun"), "Some");
}

TEST_F(SettingsE2E, EmptyKeyWithoutGameWritesOnlyTheDecimalSeparator) {
    StartProgram();
    EXPECT_EQ(Status(), kNoGame);
    EXPECT_TRUE(IsChecked(Ctl(IDC_ADDINFO)));
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(IsChecked(Ctl(IDC_DEMO0 + i))) << "demo " << i;
    EXPECT_EQ(Setting("Decimal"), RegionalDecimalSeparator());
    EXPECT_EQ(ComboText(Ctl(IDC_DECBOX)), RegionalDecimalSeparator());
    EXPECT_EQ(GetText(Ctl(IDC_LABEL8)), "");
    EXPECT_EQ(Setting("FirstRun"), "");
    EXPECT_EQ(Setting("ResultPath"), "");
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), "");
    CloseProgram();
}

// ---- Locating the game ----

TEST_F(SettingsE2E, StoredPathWhoseFileIsGoneIsForgotten) {
    PointAtGame();
    SetSetting("ResultPath", game_ + "Benchmark\\");
    SetSetting("ScrPath", game_ + "Screenshot\\");
    SetSetting("Note", "still here");
    ASSERT_TRUE(DeleteFileA((bin32_ + "Wildmere.exe").c_str()));
    StartProgram();
    EXPECT_EQ(Setting("Path"), "");
    EXPECT_EQ(Setting("ResultPath"), "");
    EXPECT_EQ(Setting("ScrPath"), "");
    EXPECT_EQ(Status(), kNoGame);
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), "");
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), "");
    EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), "Wildmere version: not available");
    EXPECT_FALSE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_EQ(GetText(Ctl(IDC_NOTEEDIT)), "still here");
    CloseProgram();
    EXPECT_EQ(Setting("Path"), "");
    EXPECT_EQ(Setting("Note"), "still here");
}

// Tests that put shortcuts into the prefix's all-users folders and always take them away again.
class ShortcutE2E : public SettingsE2E {
protected:
    void SetUp() override {
        SettingsE2E::SetUp();
        desktopLnk_ = CommonDesktopFolder() + "\\Wildmere.lnk";
        menuFolder_ = CommonProgramsFolder() + "\\Arvenel\\Wildmere";
        menuLnk_ = menuFolder_ + "\\Play Wildmere.lnk";
        RemoveShortcuts();
        SHCreateDirectoryExA(nullptr, menuFolder_.c_str(), nullptr);
    }
    void TearDown() override {
        SettingsE2E::TearDown();
        RemoveShortcuts();
    }
    void RemoveShortcuts() {
        DeleteFileA(desktopLnk_.c_str());
        DeleteFileA(menuLnk_.c_str());
    }
    // A second installation of the game beside the first one; returns its Bin32 folder.
    std::string SecondGame() {
        const std::string game = game_.substr(0, game_.size() - 1) + " Two\\";
        CopyTree(game_.substr(0, game_.size() - 1), game.substr(0, game.size() - 1));
        return game + "Bin32\\";
    }

    std::string desktopLnk_, menuFolder_, menuLnk_;
};

TEST_F(ShortcutE2E, DesktopShortcutWinsOverTheStartMenu) {
    const std::string otherBin32 = SecondGame();
    CreateShortcut(desktopLnk_, bin32_ + "Wildmere.exe");
    CreateShortcut(menuLnk_, otherBin32 + "Wildmere.exe");
    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), bin32_ + "Wildmere.exe");
    EXPECT_EQ(Status(), kReady);
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    // A path found through a shortcut is stored only at exit.
    EXPECT_EQ(Setting("Path"), "");
    CloseProgram();
    EXPECT_EQ(Setting("Path"), bin32_ + "Wildmere.exe");

    // Without the desktop shortcut (and no stored path) the Start-menu one is taken.
    DeleteFileA(desktopLnk_.c_str());
    SetSetting("Path", "");
    SetSetting("ResultPath", "");
    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), otherBin32 + "Wildmere.exe");
    EXPECT_EQ(Status(), kReady);
    CloseProgram();
    EXPECT_EQ(Setting("Path"), otherBin32 + "Wildmere.exe");
}

TEST_F(ShortcutE2E, StoredPathWinsOverShortcuts) {
    const std::string otherBin32 = SecondGame();
    CreateShortcut(desktopLnk_, otherBin32 + "Wildmere.exe");
    PointAtGame();
    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), bin32_ + "Wildmere.exe");
    CloseProgram();
}

TEST_F(ShortcutE2E, UnreadableShortcutLeavesTheGameUnfoundAndKeepsTheSettings) {
    WriteAll(desktopLnk_, "this is not a shortcut");
    SetSetting("Note", "kept note");
    SetSetting("Demo", "3");
    SetSetting("TRun", "5");
    SetSetting("Language", "2");
    SetSetting("HDR", "1");
    StartProgram();
    EXPECT_EQ(Status(), kNoGame);
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), "");
    EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), "Wildmere version: not available");
    EXPECT_FALSE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_EQ(GetText(Ctl(IDC_NOTEEDIT)), "kept note");
    EXPECT_TRUE(IsChecked(Ctl(IDC_DEMO0 + 2)));
    EXPECT_EQ(ComboText(Ctl(IDC_LANGBOX)), "Spanish");
    EXPECT_TRUE(TopWindows(app_->ProcessId()).size() == 1u) << "an unexpected window is open";
    CloseProgram();
    EXPECT_EQ(app_->ExitCode(), 0u);
    EXPECT_EQ(Setting("Note"), "kept note");
    EXPECT_EQ(Setting("Demo"), "3");
    EXPECT_EQ(Setting("TRun"), "5");
    EXPECT_EQ(Setting("Language"), "2");
    EXPECT_EQ(Setting("HDR"), "1");
}

// ---- Engine builds ----

TEST_F(SettingsE2E, SupportedBuildsAtStartNameTheirVersion) {
    const std::pair<int, const char*> builds[] = {
        {1385, "Wildmere version: 1.32"}, {1395, "Wildmere version: 1.33"}, {1405, "Wildmere version: 1.4"}};
    PointAtGame();
    SetSetting("PS", "2");
    for (const auto& [build, label] : builds) {
        SCOPED_TRACE(build);
        UseEngineBuild(build);
        StartProgram();
        ExpectReadyWith(label);
        EXPECT_TRUE(IsChecked(Ctl(IDC_PSHADER0 + 1)));
        CloseProgram();
    }
}

TEST_F(SettingsE2E, UnsupportedBuildsAtStartLockTheBenchmark) {
    PointAtGame();
    SetSetting("PS", "3");
    for (int build : {1300, 1350}) {
        SCOPED_TRACE(build);
        UseEngineBuild(build);
        EXPECT_EQ(StartAnsweringMessage(), kUnsupportedMessage);
        ExpectUnsupported(false);
        CloseProgram();
    }
}

TEST_F(SettingsE2E, BuildChosenByHandDecidesButtonAndSpecificPage) {
    StartProgram();
    EXPECT_EQ(Status(), kNoGame);
    const std::string exe = bin32_ + "Wildmere.exe";

    UseEngineBuild(1300);
    ChooseGameByHand(exe);
    EXPECT_EQ(AnswerMessage(), kUnsupportedMessage);
    EXPECT_EQ(Setting("Path"), exe);
    EXPECT_EQ(GetText(Ctl(IDC_WMPATHEDIT)), exe);
    ExpectUnsupported(false);
    ShowPage(3);
    EXPECT_FALSE(IsWindowEnabled(Ctl(IDC_PSHADER0 + 1)));
    EXPECT_FALSE(IsWindowEnabled(Ctl(IDC_PSHADER0 + 2)));

    UseEngineBuild(1350);
    ChooseGameByHand(exe);
    EXPECT_EQ(AnswerMessage(), kUnsupportedMessage);
    ExpectUnsupported(true);

    UseEngineBuild(1405);
    ChooseGameByHand(exe);
    ExpectReadyWith("Wildmere version: 1.4");
    EXPECT_EQ(GetText(Ctl(IDC_RESEDIT)), game_ + "Benchmark\\");
    EXPECT_TRUE(Exists(game_ + "Benchmark"));
    EXPECT_TRUE(WaitForMessageBox(app_->ProcessId(), 500) == nullptr) << "unexpected message box";
    CloseProgram();
    EXPECT_EQ(Setting("Path"), exe);
}

TEST_F(SettingsE2E, GameChosenByHandInScreenshotModeKeepsTheScreenshotCaption) {
    StartProgram();
    ShowPage(6);
    SetCheck(Ctl(IDC_ENABLESCSHOT), true);
    EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Screenshot");
    UseEngineBuild(1405);
    ChooseGameByHand(bin32_ + "Wildmere.exe");
    EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), "Wildmere version: 1.4");
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_EQ(GetText(Ctl(IDC_BENCHBUTTON)), "Screenshot");
    CloseProgram();
}

TEST_F(SettingsE2E, EngineLibraryWithoutVersionStillStarts) {
    // The stand-in game carries no version resource.
    ASSERT_TRUE(CopyFileA((bin32_ + "Wildmere.exe").c_str(), (bin32_ + "ZorbSystem.dll").c_str(), FALSE));
    PointAtGame();
    SetSetting("Note", "after the check");
    StartProgram();
    EXPECT_EQ(GetText(Ctl(IDC_VERSIONLABEL)), "Wildmere version: not available");
    EXPECT_EQ(Status(), kReady);
    EXPECT_EQ(GetText(Ctl(IDC_NOTEEDIT)), "after the check");
    EXPECT_EQ(Setting("ResultPath"), game_ + "Benchmark\\");
    EXPECT_TRUE(WaitForMessageBox(app_->ProcessId(), 500) == nullptr) << "unexpected message box";
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
