#include "settings/game_location.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/memory_file_system.h"

namespace wmb {
namespace {

using test::MemoryFileSystem;
using test::MemorySettings;

const std::string kDesktop = "C:\\Users\\Public\\Desktop";
const std::string kPrograms = "C:\\ProgramData\\Start Menu\\Programs";
const std::string kDesktopLink = kDesktop + "\\Wildmere.lnk";
const std::string kMenuLink = kPrograms + "\\Arvenel\\Wildmere\\Play Wildmere.lnk";
const std::string kGame = "C:\\Games\\Wildmere\\Bin32\\Wildmere.exe";

class Locate : public ::testing::Test {
protected:
    std::string Run() {
        return LocateGame(store, fs, kDesktop, kPrograms, [this](const std::string& lnk) {
            reads.push_back(lnk);
            if (lnk == broken) throw std::runtime_error("Error opening Shortcut.");
            return lnk == kDesktopLink ? std::string("D:\\Desk\\Bin32\\Wildmere.exe")
                                       : std::string("D:\\Menu\\Bin32\\Wildmere.exe");
        });
    }
    MemorySettings store;
    MemoryFileSystem fs;
    std::vector<std::string> reads;
    std::string broken;
};

TEST_F(Locate, StoredPathWhoseFileExistsWins) {
    store.Values["Path"] = kGame;
    fs.Put(kGame, "exe");
    fs.Put(kDesktopLink, "lnk");
    EXPECT_EQ(Run(), kGame);
    EXPECT_TRUE(reads.empty());
}

TEST_F(Locate, StoredPathWhoseFileIsGoneEmptiesThePathsAndTriesNoShortcut) {
    store.Values = {{"Path", kGame}, {"ResultPath", "C:\\R\\"}, {"ScrPath", "C:\\S\\"}, {"Note", "kept"}};
    fs.Put(kDesktopLink, "lnk");
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(store.Values["Path"], "");
    EXPECT_EQ(store.Values["ResultPath"], "");
    EXPECT_EQ(store.Values["ScrPath"], "");
    EXPECT_EQ(store.Values["Note"], "kept");
    EXPECT_TRUE(reads.empty());
}

TEST_F(Locate, DesktopShortcutBeatsTheStartMenuOne) {
    fs.Put(kDesktopLink, "lnk");
    fs.Put(kMenuLink, "lnk");
    EXPECT_EQ(Run(), "D:\\Desk\\Bin32\\Wildmere.exe");
    // A shortcut's target is neither tested nor stored here.
    EXPECT_EQ(store.Values.count("Path"), 0u);
}

TEST_F(Locate, StartMenuShortcutWhenTheDesktopHasNone) {
    fs.Put(kMenuLink, "lnk");
    EXPECT_EQ(Run(), "D:\\Menu\\Bin32\\Wildmere.exe");
}

TEST_F(Locate, NoShortcutLeavesThePathEmpty) {
    EXPECT_EQ(Run(), "");
    EXPECT_TRUE(reads.empty());
}

TEST_F(Locate, UnreadableShortcutCountsAsNoGame) {
    fs.Put(kDesktopLink, "garbage");
    fs.Put(kMenuLink, "lnk");
    broken = kDesktopLink;
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(reads.size(), 1u);
}

TEST_F(Locate, UnresolvedShellFoldersAreNotSearched) {
    fs.Put("\\Wildmere.lnk", "lnk");
    fs.Put("\\Arvenel\\Wildmere\\Play Wildmere.lnk", "lnk");
    EXPECT_EQ(LocateGame(store, fs, "", "", [](const std::string&) -> std::string { return "X"; }), "");
}

TEST(Folders, CutByFixedLengths) {
    const Folders folders = DeriveFolders("C:\\Bench\\", kGame);
    EXPECT_EQ(folders.Program, "C:\\Bench\\");
    EXPECT_EQ(folders.Bin32, "C:\\Games\\Wildmere\\Bin32\\");
    EXPECT_EQ(folders.Game, "C:\\Games\\Wildmere\\");
    // The name itself is not compared.
    EXPECT_EQ(DeriveFolders("", "E:\\W\\BIN32\\WILDMERE.EXE").Game, "E:\\W\\");
}

TEST(Folders, PathTooShortForTheCutsGivesNoFolders) {
    EXPECT_EQ(DeriveFolders("C:\\Bench\\", "").Bin32, "");
    EXPECT_EQ(DeriveFolders("C:\\Bench\\", "Wildmere.exe").Bin32, "");
    const Folders noGame = DeriveFolders("C:\\Bench\\", "C:\\Wildmere.exe");
    EXPECT_EQ(noGame.Bin32, "C:\\");
    EXPECT_EQ(noGame.Game, "");
}

TEST(FileVersionText, CommasBecomeDotsAndBlanksGo) {
    const FileVersion v = NormalizeFileVersion("1, 4, 0, 1405");
    EXPECT_EQ(v.Text, "1.4.0.1405");
    EXPECT_EQ(v.Build, "1405");
    EXPECT_EQ(NormalizeFileVersion("9.7.239.0").Build, "9.0");
    EXPECT_EQ(NormalizeFileVersion("1.4").Build, "");
}

TEST(FileVersionText, MissingVersionIsNotAvailable) {
    const FileVersion v = NormalizeFileVersion("");
    EXPECT_EQ(v.Text, "Value Not Available");
    EXPECT_EQ(v.Build, "");
    EXPECT_FALSE(BuildNumber(v.Build));
}

TEST(FileVersionText, BuildNumberIsADecimalIntegerOrNothing) {
    EXPECT_EQ(BuildNumber("1405"), 1405);
    EXPECT_EQ(BuildNumber("0"), 0);
    EXPECT_EQ(BuildNumber("-3"), -3);
    EXPECT_FALSE(BuildNumber(""));
    EXPECT_FALSE(BuildNumber("14a"));
    EXPECT_FALSE(BuildNumber("9.0"));
    EXPECT_FALSE(BuildNumber("99999999999"));
}

FileVersion Engine(const std::string& build) { return NormalizeFileVersion("1.4.0." + build); }

void ExpectUnsupported(const VersionCheckEffects& e) {
    EXPECT_EQ(e.VersionLabel, "Unsupported Wildmere version found.");
    EXPECT_EQ(e.Message, "Unsupported Wildmere version found. Please install the official v1.4 patch!");
    EXPECT_EQ(e.ShaderModel, 0);
    EXPECT_EQ(e.BenchCaption, "Not ready to bench");
    EXPECT_EQ(e.BenchEnabled, false);
    EXPECT_EQ(e.Status, "Please install the official v1.4 patch! NOT READY TO BENCH!");
}

TEST(VersionAtStart, OldBuildsAreRefused) {
    for (const char* build : {"1300", "1350", "1384"}) {
        SCOPED_TRACE(build);
        const VersionCheckEffects e = CheckGameVersionAtStart(Engine(build), "3");
        ExpectUnsupported(e);
        EXPECT_EQ(e.SpecificTab, EnableChange::Disable);
        EXPECT_EQ(e.HigherShaderItems, EnableChange::Unchanged);
    }
}

TEST(VersionAtStart, SupportedBuildsNameTheirVersionAndRestoreTheShaderModel) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"1385", "Wildmere version: 1.32"},
        {"1395", "Wildmere version: 1.33"},
        {"1400", std::nullopt},
        {"1405", "Wildmere version: 1.4"},
    };
    for (const auto& [build, label] : cases) {
        SCOPED_TRACE(build);
        const VersionCheckEffects e = CheckGameVersionAtStart(Engine(build), "3");
        EXPECT_EQ(e.VersionLabel, label);
        EXPECT_EQ(e.SpecificTab, EnableChange::Enable);
        EXPECT_EQ(e.ShaderModel, 2);
        EXPECT_FALSE(e.Message);
        EXPECT_FALSE(e.BenchEnabled);
        EXPECT_FALSE(e.BenchCaption);
        EXPECT_FALSE(e.Status);
        EXPECT_EQ(e.HigherShaderItems, EnableChange::Unchanged);
    }
    EXPECT_FALSE(CheckGameVersionAtStart(Engine("1405"), "").ShaderModel);
    EXPECT_FALSE(CheckGameVersionAtStart(Engine("1405"), "4").ShaderModel);
}

TEST(VersionAtStart, UnreadableBuildOnlySaysSo) {
    const VersionCheckEffects e = CheckGameVersionAtStart(NormalizeFileVersion(""), "2");
    EXPECT_EQ(e.VersionLabel, "Wildmere version: not available");
    EXPECT_FALSE(e.Message);
    EXPECT_EQ(e.SpecificTab, EnableChange::Unchanged);
    EXPECT_FALSE(e.ShaderModel);
    EXPECT_FALSE(e.BenchEnabled);
    EXPECT_FALSE(e.BenchCaption);
    EXPECT_FALSE(e.Status);
}

TEST(VersionAtStart, ZeroBuildDecidesNothing) {
    const VersionCheckEffects e = CheckGameVersionAtStart(Engine("0"), "2");
    EXPECT_FALSE(e.VersionLabel);
    EXPECT_EQ(e.SpecificTab, EnableChange::Unchanged);
    EXPECT_FALSE(e.BenchEnabled);
}

TEST(VersionAfterChoice, OldBuildsAreRefusedAndLockTheHigherShaders) {
    const VersionCheckEffects e1300 = CheckGameVersionAfterChoice(Engine("1300"), "3", 2, "Benchmark");
    ExpectUnsupported(e1300);
    EXPECT_EQ(e1300.HigherShaderItems, EnableChange::Disable);
    EXPECT_EQ(e1300.SpecificTab, EnableChange::Disable);

    // Compared as text, 1350 does not sort below 1337: the tab stays usable.
    const VersionCheckEffects e1350 = CheckGameVersionAfterChoice(Engine("1350"), "3", 2, "Benchmark");
    ExpectUnsupported(e1350);
    EXPECT_EQ(e1350.SpecificTab, EnableChange::Enable);
}

TEST(VersionAfterChoice, SupportedBuildWithLowerDetailRestoresTheShaderModel) {
    for (const int detail : {-1, 2, 3}) {
        SCOPED_TRACE(detail);
        const VersionCheckEffects e = CheckGameVersionAfterChoice(Engine("1385"), "2", detail, "Benchmark");
        EXPECT_EQ(e.VersionLabel, "Wildmere version: 1.32");
        EXPECT_EQ(e.ShaderModel, 1);
        EXPECT_EQ(e.HigherShaderItems, EnableChange::Enable);
        EXPECT_EQ(e.SpecificTab, EnableChange::Enable);
        EXPECT_EQ(e.Status, "Set the parameters & bench!");
        EXPECT_EQ(e.BenchEnabled, true);
        EXPECT_EQ(e.BenchCaption, "Benchmark");
        EXPECT_FALSE(e.Message);
    }
}

TEST(VersionAfterChoice, UltraOrMaximumDetailKeepsTheDefaultShaderModel) {
    for (const int detail : {0, 1}) {
        for (const char* build : {"1395", "1400", "1405"}) {
            SCOPED_TRACE(std::string(build) + " detail " + std::to_string(detail));
            const VersionCheckEffects e = CheckGameVersionAfterChoice(Engine(build), "3", detail, "Screenshot");
            EXPECT_EQ(e.ShaderModel, 0);
            EXPECT_EQ(e.HigherShaderItems, EnableChange::Disable);
            EXPECT_EQ(e.BenchEnabled, true);
            EXPECT_EQ(e.BenchCaption, "Screenshot");
        }
    }
    EXPECT_EQ(CheckGameVersionAfterChoice(Engine("1395"), "", 1, "Benchmark").VersionLabel, "Wildmere version: 1.33");
    EXPECT_FALSE(CheckGameVersionAfterChoice(Engine("1400"), "", 1, "Benchmark").VersionLabel);
    EXPECT_EQ(CheckGameVersionAfterChoice(Engine("1405"), "", 0, "Benchmark").VersionLabel, "Wildmere version: 1.4");
}

TEST(VersionAfterChoice, UnreadableBuildLeavesTheGameUsable) {
    const VersionCheckEffects e = CheckGameVersionAfterChoice(NormalizeFileVersion(""), "3", 2, "Benchmark");
    EXPECT_EQ(e.VersionLabel, "Wildmere version: not available");
    EXPECT_FALSE(e.Message);
    EXPECT_FALSE(e.ShaderModel);
    EXPECT_EQ(e.HigherShaderItems, EnableChange::Unchanged);
    EXPECT_EQ(e.SpecificTab, EnableChange::Disable);
    EXPECT_EQ(e.BenchEnabled, true);
    EXPECT_EQ(e.BenchCaption, "Benchmark");
    EXPECT_EQ(e.Status, "Set the parameters & bench!");
}

TEST(SpecificTab, ComparesTheBuildTextWith1337AsText) {
    EXPECT_TRUE(SpecificTabEnabled("1337"));
    EXPECT_TRUE(SpecificTabEnabled("1405"));
    EXPECT_TRUE(SpecificTabEnabled("2"));
    EXPECT_FALSE(SpecificTabEnabled("1336"));
    EXPECT_FALSE(SpecificTabEnabled("10000"));
    EXPECT_FALSE(SpecificTabEnabled(""));
}

TEST(ManualChoice, StoresThePathAndResetsTheResultsFolder) {
    MemorySettings store;
    MemoryFileSystem fs;
    BenchSettings settings;
    settings.ResultsFolder = "D:\\Elsewhere\\";
    settings.ScreenshotFolder = "D:\\Shots\\";
    const Folders folders = AcceptChosenGame(store, fs, "C:\\Bench\\", kGame, settings);
    EXPECT_EQ(settings.GamePath, kGame);
    EXPECT_EQ(store.Values["Path"], kGame);
    EXPECT_EQ(folders.Game, "C:\\Games\\Wildmere\\");
    EXPECT_EQ(settings.ResultsFolder, "C:\\Games\\Wildmere\\Benchmark\\");
    EXPECT_TRUE(fs.FolderExists("C:\\Games\\Wildmere\\Benchmark\\"));
    EXPECT_EQ(store.Values.count("ResultPath"), 0u);
    EXPECT_EQ(settings.ScreenshotFolder, "D:\\Shots\\");
}

}  // namespace
}  // namespace wmb
