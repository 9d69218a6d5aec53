// The game's files around a benchmark sequence: the splash bitmaps, and the recovery offered after the
// program was ended in the middle of a sequence.

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {


class RecoveryE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        gameConfig_ = ReadAll(game_ + "system.cfg");
        gameSplash_ = ReadAll(game_ + "wmsplash.bmp");
        bin32Splash_ = ReadAll(bin32_ + "wmsplash.bmp");
        programSplash_ = ReadAll(program_ + "wmsplash.bmp");
        ASSERT_FALSE(gameConfig_.empty());
        ASSERT_FALSE(programSplash_.empty());
    }


    // A one-slot, one-run benchmark whose game plays for `seconds`.
    void PrepareShortBenchmark(int seconds) {
        WriteAll(game_ + "wildmere-test.ini", "run_seconds=" + std::to_string(seconds) + "\r\n");
        ChooseTypicalSettings("1");
        CheckResolution(0);
    }

    // Ends the program while the game of the first slot runs, as a crash would, and waits for the game.
    void KillDuringTheFirstSlot() {
        PrepareShortBenchmark(5);
        Click(Ctl(IDC_BENCHBUTTON));
        ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
        app_->Terminate();
        main_ = nullptr;
        ASSERT_EQ(Setting("NoErrorWarning"), "1");
        // The game plays on by itself; let it finish before the next start looks at its files.
        ASSERT_TRUE(WaitUntil([&] { return GameEnded(); }, 30000)) << "the game did not end";
    }

    std::string gameConfig_, gameSplash_, bin32Splash_, programSplash_;
};

TEST_F(RecoveryE2E, SandboxSplashesDifferFromTheProgramsOwn) {
    ASSERT_FALSE(gameSplash_.empty());
    ASSERT_FALSE(bin32Splash_.empty());
    EXPECT_NE(gameSplash_, programSplash_);
    EXPECT_NE(bin32Splash_, programSplash_);
    EXPECT_NE(gameSplash_, bin32Splash_);
}

TEST_F(RecoveryE2E, YesAfterAKilledSequenceRestoresTheGamesFiles) {
    PointAtGame();
    StartProgram();
    KillDuringTheFirstSlot();
    const std::string backup = ReadAll(program_ + "Backup\\system.cfg");
    EXPECT_EQ(backup, gameConfig_);
    EXPECT_NE(ReadAll(game_ + "system.cfg"), gameConfig_) << "the sequence did not write the configuration";
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), programSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), programSplash_);

    EXPECT_EQ(StartAnsweringMessage(IDYES), kRecoveryQuestion);
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), backup);
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), gameSplash_);
    EXPECT_EQ(Status(), "Set the parameters & bench!");

    // The next complete sequence puts each folder's own bitmap back.
    PrepareShortBenchmark(1);
    RunBenchmark(kSuccessStatus);
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), bin32Splash_);
    EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
    EXPECT_FALSE(Exists(bin32_ + "wmsplashold.bmp"));
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), ReadAll(program_ + "Backup\\system.cfg"));
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    CloseProgram();

    // The question is asked once only.
    StartProgram();
    EXPECT_TRUE(WaitForMessageBox(app_->ProcessId(), 500) == nullptr);
    CloseProgram();
}

TEST_F(RecoveryE2E, NoAfterAKilledSequenceOnlyClearsTheFlag) {
    PointAtGame();
    StartProgram();
    KillDuringTheFirstSlot();
    const std::string written = ReadAll(game_ + "system.cfg");

    EXPECT_EQ(StartAnsweringMessage(IDNO), kRecoveryQuestion);
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), written);
    EXPECT_NE(written, gameConfig_);
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), programSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), programSplash_);
    EXPECT_EQ(ReadAll(game_ + "wmsplashold.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplashold.bmp"), bin32Splash_);
    CloseProgram();
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
}

TEST_F(RecoveryE2E, KilledSequenceWithoutTheGameWaitsForAStartThatFindsIt) {
    PointAtGame();
    StartProgram();
    KillDuringTheFirstSlot();
    const std::string path = Setting("Path");
    SetSetting("Path", "");
    StartProgram();
    EXPECT_EQ(Status(), "Please define the Wildmere path!");
    EXPECT_TRUE(WaitForMessageBox(app_->ProcessId(), 500) == nullptr);
    CloseProgram();
    EXPECT_EQ(Setting("NoErrorWarning"), "1");
    SetSetting("Path", path);
    EXPECT_EQ(StartAnsweringMessage(IDNO), kRecoveryQuestion);
    CloseProgram();
}

// ---- Splash bitmaps around a sequence ----

TEST_F(RecoveryE2E, SequenceShowsTheProgramsSplashAndPutsTheGamesBack) {
    PointAtGame();
    StartProgram();
    PrepareShortBenchmark(3);
    Click(Ctl(IDC_BENCHBUTTON));
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), programSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), programSplash_);
    EXPECT_EQ(ReadAll(game_ + "wmsplashold.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplashold.bmp"), bin32Splash_);
    ASSERT_TRUE(WaitUntil([&] { return Status() == kSuccessStatus && IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 120000))
        << Status();
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), bin32Splash_);
    EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
    EXPECT_FALSE(Exists(bin32_ + "wmsplashold.bmp"));
    EXPECT_EQ(ReadAll(program_ + "Backup\\wmsplash.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(program_ + "wmsplash.bmp"), programSplash_);

    // A later sequence keeps the first backup, even when the game's bitmap changed meanwhile.
    WriteAll(game_ + "wmsplash.bmp", "changed bitmap");
    RunBenchmark(kSuccessStatus);
    EXPECT_EQ(ReadAll(program_ + "Backup\\wmsplash.bmp"), gameSplash_);
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), "changed bitmap");
    CloseProgram();
}

TEST_F(RecoveryE2E, GameWithoutSplashEndsWithoutOne) {
    ASSERT_TRUE(DeleteFileA((game_ + "wmsplash.bmp").c_str()));
    ASSERT_TRUE(DeleteFileA((bin32_ + "wmsplash.bmp").c_str()));
    PointAtGame();
    StartProgram();
    PrepareShortBenchmark(3);
    Click(Ctl(IDC_BENCHBUTTON));
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
    EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), programSplash_);
    EXPECT_EQ(ReadAll(bin32_ + "wmsplash.bmp"), programSplash_);
    ASSERT_TRUE(WaitUntil([&] { return Status() == kSuccessStatus && IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 120000))
        << Status();
    for (const std::string& name : {game_ + "wmsplash.bmp", bin32_ + "wmsplash.bmp", game_ + "wmsplashold.bmp",
                                    bin32_ + "wmsplashold.bmp", program_ + "Backup\\wmsplash.bmp"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    CloseProgram();
    EXPECT_FALSE(Exists(game_ + "wmsplash.bmp"));
    EXPECT_FALSE(Exists(bin32_ + "wmsplash.bmp"));
}

}  // namespace
}  // namespace wmb::e2e
