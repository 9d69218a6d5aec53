#include "settings/recovery.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace wmb {
namespace {

using test::MemoryFileSystem;
using test::MemorySettings;

const std::string P = "C:\\Bench\\";
const std::string G = "C:\\Games\\Wildmere\\";
const std::string B = "C:\\Games\\Wildmere\\Bin32\\";
const Folders kFolders{P, B, G};
const char* const kQuestion = "Last time an error occured. Do you wish to restore the original Wildmere settings?";

class Splash : public ::testing::Test {
protected:
    void SetUp() override { fs.Put(P + "wmsplash.bmp", "bench"); }
    MemoryFileSystem fs;
};

TEST_F(Splash, SequenceSwapsTheGameBitmapsAndPutsThemBack) {
    fs.Put(G + "wmsplash.bmp", "game");
    fs.Put(B + "wmsplash.bmp", "game-bin");
    InstallBenchSplash(fs, kFolders);
    EXPECT_EQ(fs.Get(P + "Backup\\wmsplash.bmp"), "game");
    EXPECT_EQ(fs.Get(G + "wmsplashold.bmp"), "game");
    EXPECT_EQ(fs.Get(B + "wmsplashold.bmp"), "game-bin");
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "bench");
    EXPECT_EQ(fs.Get(B + "wmsplash.bmp"), "bench");

    RestoreGameSplash(fs, kFolders);
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "game");
    EXPECT_EQ(fs.Get(B + "wmsplash.bmp"), "game-bin");
    EXPECT_FALSE(fs.FileExists(G + "wmsplashold.bmp"));
    EXPECT_FALSE(fs.FileExists(B + "wmsplashold.bmp"));
}

TEST_F(Splash, GameSplashIsBackedUpOnlyOnce) {
    fs.Put(G + "wmsplash.bmp", "first");
    InstallBenchSplash(fs, kFolders);
    RestoreGameSplash(fs, kFolders);
    fs.Put(G + "wmsplash.bmp", "second");
    InstallBenchSplash(fs, kFolders);
    EXPECT_EQ(fs.Get(P + "Backup\\wmsplash.bmp"), "first");
}

TEST_F(Splash, GameWithoutBitmapsEndsWithoutBitmaps) {
    InstallBenchSplash(fs, kFolders);
    EXPECT_FALSE(fs.FileExists(P + "Backup\\wmsplash.bmp"));
    EXPECT_FALSE(fs.FileExists(G + "wmsplashold.bmp"));
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "bench");
    EXPECT_EQ(fs.Get(B + "wmsplash.bmp"), "bench");
    RestoreGameSplash(fs, kFolders);
    EXPECT_FALSE(fs.FileExists(G + "wmsplash.bmp"));
    EXPECT_FALSE(fs.FileExists(B + "wmsplash.bmp"));
}

TEST_F(Splash, SequenceAfterRecoveryStillReturnsTheGameBitmap) {
    // Left by a broken sequence: the old name is taken, so the game's bitmap cannot be renamed.
    fs.Put(G + "wmsplash.bmp", "game");
    fs.Put(G + "wmsplashold.bmp", "game");
    InstallBenchSplash(fs, kFolders);
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "bench");
    RestoreGameSplash(fs, kFolders);
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "game");
}

class Recovery : public ::testing::Test {
protected:
    // The files after the program was killed during a sequence.
    void SetUp() override {
        store.Values["NoErrorWarning"] = "1";
        fs.Put(P + "Backup\\system.cfg", "original");
        fs.Put(P + "Backup\\wmsplash.bmp", "game");
        fs.Put(G + "system.cfg", "written by the sequence");
        fs.Put(G + "wmsplash.bmp", "bench");
        fs.Put(B + "wmsplash.bmp", "bench");
        fs.Put(G + "wmsplashold.bmp", "game");
    }
    void Offer(bool answer, const Folders& folders = kFolders) {
        OfferRecovery(
            fs, store, folders,
            [&](const std::string& q) {
                questions.push_back(q);
                return answer;
            },
            [&](const std::string& m) { messages.push_back(m); });
    }
    MemoryFileSystem fs;
    MemorySettings store;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
};

TEST_F(Recovery, YesRestoresConfigurationAndSplashes) {
    Offer(true);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], kQuestion);
    EXPECT_EQ(fs.Get(G + "system.cfg"), "original");
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "game");
    EXPECT_EQ(fs.Get(B + "wmsplash.bmp"), "game");
    EXPECT_TRUE(fs.FileExists(G + "wmsplashold.bmp"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(store.Values["NoErrorWarning"], "0");
}

TEST_F(Recovery, NoOnlyClearsTheFlag) {
    Offer(false);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(fs.Get(G + "system.cfg"), "written by the sequence");
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "bench");
    EXPECT_EQ(store.Values["NoErrorWarning"], "0");
}

TEST_F(Recovery, MissingBin32SplashIsReportedAfterTheOtherRestores) {
    fs.RemoveFile(B + "wmsplash.bmp");
    Offer(true);
    EXPECT_EQ(messages, std::vector<std::string>{"Sorry, the settings cannot be restored!"});
    EXPECT_EQ(fs.Get(G + "system.cfg"), "original");
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "game");
    EXPECT_FALSE(fs.FileExists(B + "wmsplash.bmp"));
    EXPECT_EQ(store.Values["NoErrorWarning"], "0");
}

TEST_F(Recovery, MissingConfigurationBackupIsSkippedSilently) {
    fs.RemoveFile(P + "Backup\\system.cfg");
    Offer(true);
    EXPECT_EQ(fs.Get(G + "system.cfg"), "written by the sequence");
    EXPECT_TRUE(messages.empty());
}

TEST_F(Recovery, NothingIsAskedWithoutTheFlag) {
    for (const char* flag : {"0", "", "yes"}) {
        store.Values["NoErrorWarning"] = flag;
        Offer(true);
    }
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(fs.Get(G + "system.cfg"), "written by the sequence");
}

TEST_F(Recovery, WaitsForAStartThatFindsTheGame) {
    fs.Log.clear();
    Offer(true, Folders{P, "", ""});
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(fs.Log.empty());
    EXPECT_EQ(store.Values["NoErrorWarning"], "1");
}

TEST(ExitCleanUp, RemovesWhatASequenceLeft) {
    MemoryFileSystem fs;
    fs.Put(B + "rerurov.bat", "x");
    fs.Put(B + "systemold.cfg", "x");
    fs.Put(G + "systemold.cfg", "x");
    fs.Put(G + "Systemcfgoverride.cfg", "x");
    fs.Put(G + "wmsplashold.bmp", "game");
    fs.Put(B + "wmsplashold.bmp", "game-bin");
    CleanUpAtExit(fs, kFolders);
    EXPECT_FALSE(fs.FileExists(B + "rerurov.bat"));
    EXPECT_FALSE(fs.FileExists(B + "systemold.cfg"));
    EXPECT_FALSE(fs.FileExists(G + "systemold.cfg"));
    EXPECT_FALSE(fs.FileExists(G + "Systemcfgoverride.cfg"));
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "game");
    EXPECT_EQ(fs.Get(B + "wmsplashold.bmp"), "game-bin");
}

TEST(ExitCleanUp, DuringASequenceLeavesTheRecoveryForTheNextStart) {
    MemoryFileSystem fs;
    MemorySettings store;
    fs.Put(P + "wmsplash.bmp", "bench");
    fs.Put(G + "wmsplash.bmp", "game");
    InstallBenchSplash(fs, kFolders);
    store.Write("NoErrorWarning", "1");
    fs.Put(G + "Systemcfgoverride.cfg", "r_geominstancing = \"1\"");

    CleanUpAtExit(fs, kFolders);
    EXPECT_FALSE(fs.FileExists(G + "Systemcfgoverride.cfg"));
    EXPECT_EQ(fs.Get(G + "wmsplash.bmp"), "bench");
    EXPECT_EQ(fs.Get(G + "wmsplashold.bmp"), "game");
    EXPECT_EQ(store.Values["NoErrorWarning"], "1");
}

TEST(NoGameLocated, NoFileOfTheCurrentFolderIsTouched) {
    MemoryFileSystem fs;
    for (const char* name : {"rerurov.bat", "systemold.cfg", "Systemcfgoverride.cfg", "wmsplashold.bmp",
                             "wmsplash.bmp"}) {
        fs.Put(name, "x");
    }
    fs.Put(P + "wmsplash.bmp", "bench");
    const Folders none{P, "", ""};
    CleanUpAtExit(fs, none);
    InstallBenchSplash(fs, none);
    RestoreGameSplash(fs, none);
    EXPECT_TRUE(fs.Log.empty());
    EXPECT_FALSE(GameLocated(none));
    EXPECT_FALSE(GameLocated(Folders{P, B, ""}));
    EXPECT_TRUE(GameLocated(kFolders));
}

}  // namespace
}  // namespace wmb
