// Closing the program while a benchmark sequence runs: between two slots and while the game plays, by
// every way a window is closed, and how the window answers during the pause between slots.

#include <map>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

// The ways a window is asked to close.
enum class CloseBy { CloseBox, AltF4, WmClose, EndOfSession };

const char* Name(CloseBy way) {
    switch (way) {
        case CloseBy::CloseBox: return "CloseBox";
        case CloseBy::AltF4: return "AltF4";
        case CloseBy::WmClose: return "WmClose";
        case CloseBy::EndOfSession: return "EndOfSession";
    }
    return "?";
}

void PrintTo(CloseBy way, std::ostream* out) { *out << Name(way); }

// Alt+F4 as the keyboard delivers it: key messages to the control that has the focus (the window itself
// when none has), handled by the program's own message loop.
void PressAltF4(HWND top) {
    HWND target = FocusedControl(top);
    if (!target) target = top;
    constexpr LPARAM kAltDown = 1 << 29;
    const LPARAM f4Scan = static_cast<LPARAM>(MapVirtualKeyA(VK_F4, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM altScan = static_cast<LPARAM>(MapVirtualKeyA(VK_MENU, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_SYSKEYDOWN, VK_MENU, 1 | altScan | kAltDown);
    PostMessageA(target, WM_SYSKEYDOWN, VK_F4, 1 | f4Scan | kAltDown);
    PostMessageA(target, WM_SYSKEYUP, VK_F4, 1 | f4Scan | kAltDown | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    PostMessageA(target, WM_KEYUP, VK_MENU, 1 | altScan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

class CloseE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        // A configuration that a restore gives back byte for byte (CR LF, sound on).
        WriteAll(game_ + "system.cfg",
                 "-- my settings\r\nr_Width = \"1152\"\r\nr_Height = \"864\"\r\ns_SoundEnable = \"1\"\r\n");
        for (const std::string& path : UserFiles()) before_[path] = Contents(path);
        ASSERT_TRUE(before_[game_ + "system.cfg"]);
        ASSERT_TRUE(before_[game_ + "wmsplash.bmp"]);
        ASSERT_TRUE(before_[bin32_ + "wmsplash.bmp"]);
    }

    // The game's files that a sequence changes and must put back: the configuration (the Bin32 folder has
    // none in the sandbox and must have none afterwards) and the splash bitmaps.
    std::vector<std::string> UserFiles() const {
        return {game_ + "system.cfg", bin32_ + "system.cfg", game_ + "wmsplash.bmp", bin32_ + "wmsplash.bmp"};
    }
    static std::optional<std::string> Contents(const std::string& path) {
        if (!Exists(path)) return std::nullopt;
        return ReadAll(path);
    }

    void ExpectGameFilesAsTheUserLeftThem() {
        for (const std::string& path : UserFiles())
            EXPECT_TRUE(Contents(path) == before_[path]) << path << " is not as the user left it";
        EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
        EXPECT_FALSE(Exists(bin32_ + "wmsplashold.bmp"));
        EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
        EXPECT_EQ(Setting("NoErrorWarning"), "0");
    }

    // The program ended by itself, without an unhandled exception and without Wine's crash dialog.
    void ExpectProgramEndedCleanly(int timeoutMs) {
        const bool ended = app_->WaitForExit(timeoutMs);
        EXPECT_FALSE(WineCrashDialogShown()) << "Wine's crash dialog is up";
        ASSERT_TRUE(ended) << "the program still runs";
        const DWORD code = app_->ExitCode().value_or(0);
        EXPECT_NE(code & 0xF0000000u, 0xC0000000u) << "the program died of exception " << std::hex << code;
        main_ = nullptr;
    }

    // Two slots (640 x 480, 800 x 600), one run each, `waitSeconds` between them.
    void StartTwoSlots(const std::string& waitSeconds) {
        PointAtGame();
        StartProgram();
        ChooseTypicalSettings("1");
        ShowPage(5);
        TypeText(Ctl(IDC_WAITS), waitSeconds);
        CheckResolution(0);
        CheckResolution(1);
        Click(Ctl(IDC_BENCHBUTTON));
    }

    // Waits until the first slot's game has ended, so that the pause between the slots has begun.
    void WaitForThePause() {
        ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
        ASSERT_TRUE(WaitUntil([&] { return GameEnded(); }, 30000)) << "the game did not end";
    }

    std::map<std::string, std::optional<std::string>> before_;
};

class CloseBetweenSlotsE2E : public CloseE2E, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(CloseBetweenSlotsE2E, AbortsPutsTheGamesFilesBackAndEnds) {
    StartTwoSlots("8");
    WaitForThePause();
    switch (GetParam()) {
        case CloseBy::CloseBox: RequestClose(Main()); break;
        case CloseBy::AltF4: PressAltF4(Main()); break;
        case CloseBy::WmClose: PostMessageA(Main(), WM_CLOSE, 0, 0); break;
        case CloseBy::EndOfSession: {
            // As Windows ends a session: the question, then the end. Once WM_ENDSESSION has returned,
            // Windows may end the process at any moment, so the files must be back by then.
            DWORD_PTR mayEnd = 0;
            ASSERT_TRUE(SendMessageTimeoutA(Main(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 30000, &mayEnd));
            EXPECT_TRUE(mayEnd) << "the program refused to let the session end between two slots";
            DWORD_PTR ignored = 0;
            ASSERT_TRUE(SendMessageTimeoutA(Main(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 30000, &ignored));
            ExpectGameFilesAsTheUserLeftThem();
            if (!app_->WaitForExit(5000) && !WineCrashDialogShown()) app_->Terminate(0);  // what Windows does next
            break;
        }
    }
    ExpectProgramEndedCleanly(30000);
    EXPECT_EQ(Launches().size(), 1u) << "the second slot started";
    ExpectGameFilesAsTheUserLeftThem();
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseBetweenSlotsE2E,
                         ::testing::Values(CloseBy::CloseBox, CloseBy::AltF4, CloseBy::WmClose, CloseBy::EndOfSession),
                         [](const ::testing::TestParamInfo<CloseBy>& info) { return std::string(Name(info.param)); });

TEST_F(CloseE2E, CloseWhileTheGamePlaysWaitsForTheGameThenEnds) {
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=6\r\n");
    StartTwoSlots("1");
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
    ASSERT_FALSE(GameEnded());
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    // The game is never stopped: the window stays until the game has ended by itself.
    // The window is looked at before the game, so a window found gone while the game is still there
    // went away first.
    bool windowStayed = true;
    ASSERT_TRUE(WaitUntil([&] {
        const bool windowThere = IsWindow(Main()) && IsWindowVisible(Main()) && app_->IsRunning();
        const bool ended = GameEnded();
        if (!windowThere && !ended) windowStayed = false;
        return ended;
    }, 30000)) << "the game did not end";
    EXPECT_TRUE(windowStayed) << "the window went away while the game played";
    const auto log = LinesOf(game_ + "Levels\\Pier\\1.log");
    ASSERT_FALSE(log.empty()) << "the game wrote no log: it was stopped";
    EXPECT_EQ(log.back(), "!TimeDemo Run 0 Finished.");

    ExpectProgramEndedCleanly(30000);
    EXPECT_EQ(Launches().size(), 1u) << "the second slot started";
    ExpectGameFilesAsTheUserLeftThem();
}

TEST_F(CloseE2E, WindowAnswersAtOnceThroughoutThePause) {
    StartTwoSlots("8");
    WaitForThePause();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const auto msBetween = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
        return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
    };
    int asked = 0, unanswered = 0;
    double slowestMs = 0;
    std::vector<LARGE_INTEGER> slowAt;  // when each slow question was asked
    while (Launches().size() < 2 && asked < 400) {
        QueryPerformanceCounter(&start);
        DWORD_PTR result = 0;
        const bool answered = SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result) != 0;
        QueryPerformanceCounter(&end);
        const double ms = msBetween(start, end);
        ++asked;
        if (!answered) ++unanswered;
        if (ms > slowestMs) slowestMs = ms;
        if (ms > 100.0) slowAt.push_back(start);
        Sleep(50);  // the pace of the questions, not a wait for the program
    }
    LARGE_INTEGER nextGame;
    QueryPerformanceCounter(&nextGame);
    std::string slowAnswers;  // counted back from the next game's start
    for (const LARGE_INTEGER& at : slowAt) slowAnswers += " " + std::to_string(static_cast<int>(msBetween(at, nextGame))) + " ms";
    EXPECT_GE(asked, 60) << "the pause was shorter than asked";
    EXPECT_EQ(unanswered, 0) << "of " << asked << " questions; slow answers before the next game:" << slowAnswers;
    EXPECT_LE(slowestMs, 100.0);
    ASSERT_TRUE(WaitUntil([&] { return Status() == "The benchmarking is successful." &&
                                       IsEnabled(Ctl(IDC_BENCHBUTTON)); }, 60000)) << Status();
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
