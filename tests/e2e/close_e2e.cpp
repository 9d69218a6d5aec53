// Closing the window while a sequence runs: the game is never left changed, and the window answers
// throughout the pause between slots.

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

class CloseE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        // The user's configuration comes back as a normal end leaves it: with the sound switched on.
        gameConfig_ = ReadAll(game_ + "system.cfg");
        const std::string soundOff = "s_SoundEnable = \"0\"";
        const std::size_t at = gameConfig_.find(soundOff);
        if (at != std::string::npos) gameConfig_.replace(at, soundOff.size(), "s_SoundEnable = \"1\"");
        gameSplash_ = ReadAll(game_ + "wmsplash.bmp");
        ASSERT_FALSE(gameConfig_.empty());
    }

    // Two slots whose game plays for `seconds`, with `waitSeconds` between them; starts the sequence.
    void StartTwoSlots(int seconds, int waitSeconds) {
        WriteAll(game_ + "wildmere-test.ini", "run_seconds=" + std::to_string(seconds) + "\r\n");
        PointAtGame();
        StartProgram();
        ChooseTypicalSettings("1");
        ShowPage(5);
        TypeText(Ctl(IDC_WAITS), std::to_string(waitSeconds));
        CheckResolution(0);
        CheckResolution(1);
        Click(Ctl(IDC_BENCHBUTTON));
        ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
    }

    // The stand-in game is gone once its executable can be opened for writing again.
    bool GameEnded() const {
        HANDLE h = CreateFileA((bin32_ + "Wildmere.exe").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        CloseHandle(h);
        return true;
    }

    bool Answers(int timeoutMs) const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs), &result) != 0;
    }

    void ExpectGameLeftAsFound() {
        ASSERT_TRUE(app_->WaitForExit(30000)) << "the program did not end";
        main_ = nullptr;
        EXPECT_EQ(ReadAll(game_ + "system.cfg"), gameConfig_);
        EXPECT_EQ(ReadAll(game_ + "wmsplash.bmp"), gameSplash_);
        EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
        EXPECT_EQ(Setting("NoErrorWarning"), "0");
        EXPECT_EQ(Launches().size(), 1u) << "no second slot started";
        EXPECT_EQ(app_->ExitCode(), 0u);
    }

    std::string gameConfig_, gameSplash_;
};

TEST_F(CloseE2E, CloseDuringThePauseAbortsTheSequenceAndTheWindowAnswersThroughout) {
    StartTwoSlots(1, 8);
    ASSERT_TRUE(WaitUntil([&] { return GameEnded(); }, 30000));
    Sleep(500);  // into the pause
    for (int i = 0; i < 20; ++i, Sleep(100)) EXPECT_TRUE(Answers(100)) << "asked " << i;
    RequestClose(Main());
    ExpectGameLeftAsFound();
}

TEST_F(CloseE2E, CloseWhileTheGameRunsWaitsForItsEnd) {
    StartTwoSlots(4, 1);
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    Sleep(1000);
    EXPECT_TRUE(app_->IsRunning()) << "the window stays while the game runs";
    EXPECT_FALSE(GameEnded());
    ExpectGameLeftAsFound();
    EXPECT_TRUE(GameEnded());
}

TEST_F(CloseE2E, EndOfTheSessionDuringThePausePutsTheFilesBack) {
    StartTwoSlots(1, 8);
    ASSERT_TRUE(WaitUntil([&] { return GameEnded(); }, 30000));
    Sleep(500);
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(Main(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    SendMessageTimeoutA(Main(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &answer);
    ExpectGameLeftAsFound();
}

}  // namespace
}  // namespace wmb::e2e
