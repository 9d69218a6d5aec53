// How a sequence ends when a step fails or the press is refused: the button comes back, the failure is
// reported once, the game's files go back as far as they can, and the crash-recovery flag tells the truth.

#include <algorithm>
#include <cctype>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kAborted = "Benchmark aborted.";
// The user's configuration in a form that a restore gives back byte for byte (CR LF, sound on).
constexpr const char* kUserConfig =
    "-- my settings\r\nr_Width = \"1152\"\r\nr_Height = \"864\"\r\ns_SoundEnable = \"1\"\r\nsys_spec = \"2\"\r\n";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Keeps a file open without letting anybody else write, rename or delete it, as a program holding the
// file would. (The read-only attribute is no obstacle here: Wine runs the tests as root.)
class WriteLock {
public:
    explicit WriteLock(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~WriteLock() { Release(); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

class SequenceEndE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        WriteAll(game_ + "system.cfg", kUserConfig);
        userConfig_ = kUserConfig;
        gameSplash_ = ReadAll(game_ + "wmsplash.bmp");
        bin32Splash_ = ReadAll(bin32_ + "wmsplash.bmp");
    }

    void ExpectGameSplashesBack() {
        EXPECT_TRUE(ReadAll(game_ + "wmsplash.bmp") == gameSplash_) << "the Game folder's splash is not the game's";
        EXPECT_TRUE(ReadAll(bin32_ + "wmsplash.bmp") == bin32Splash_) << "the Bin32 folder's splash is not the game's";
        EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
        EXPECT_FALSE(Exists(bin32_ + "wmsplashold.bmp"));
    }

    std::string userConfig_, gameSplash_, bin32Splash_;
};

TEST_F(SequenceEndE2E, PressWithoutADemoIsRefusedAndTheGameNeverStarts) {
    // A fresh settings key selects no demo.
    PointAtGame();
    StartProgram();
    ShowPage(2);
    Click(Ctl(IDC_DETAIL0 + 1));
    ShowPage(4);
    SelectComboItem(Ctl(IDC_LANGBOX), "English");
    CheckResolution(0);
    Click(Ctl(IDC_BENCHBUTTON));
    const auto messages = AnswerMessagesUntilReady(30000);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(Lower(messages[0]).find("demo"), std::string::npos) << messages[0];
    EXPECT_TRUE(Launches().empty());
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), userConfig_);
    ExpectGameSplashesBack();
    EXPECT_NE(Setting("NoErrorWarning"), "1");
    CloseProgram();
}

TEST_F(SequenceEndE2E, UnwritableGameConfigurationAtTheEndStillEndsTheSequence) {
    WriteAll(game_ + "wildmere-test.ini", "run_seconds=3\r\n");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(0);
    Click(Ctl(IDC_BENCHBUTTON));
    ASSERT_TRUE(WaitUntil([&] { return Launches().size() == 1; }, 60000)) << Status();
    // While the game plays, the configuration becomes unwritable: the restore at the end cannot write it.
    WriteLock lock(game_ + "system.cfg");
    ASSERT_TRUE(lock.Held());
    ASSERT_FALSE(CopyFileA((program_ + "Backup\\system.cfg").c_str(), (game_ + "system.cfg").c_str(), FALSE))
        << "the lock does not keep the file from being written";

    const auto messages = AnswerMessagesUntilReady(90000);
    EXPECT_EQ(messages.size(), 1u) << "messages: " << messages.size();
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    ExpectGameSplashesBack();
    EXPECT_NE(ReadAll(game_ + "system.cfg"), userConfig_);
    // The user's configuration is not back: the next start must offer the recovery.
    EXPECT_EQ(Setting("NoErrorWarning"), "1");
    lock.Release();
    CloseProgram();

    app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
    EXPECT_EQ(AnswerMessage(IDYES, 30000),
              "Last time an error occured. Do you wish to restore the original Wildmere settings?");
    main_ = WaitForTopWindow(app_->ProcessId(), "WildmereBenchMainWindow", 30000);
    ASSERT_NE(main_, nullptr);
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), ReadAll(program_ + "Backup\\system.cfg"));
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    CloseProgram();
}

TEST_F(SequenceEndE2E, UnwritableScreenshotFolderEndsTheSequenceAndPutsEverythingBack) {
    // A file where the Screenshot folder belongs: nothing can be saved below it.
    WriteAll(game_ + "Pictures", "not a folder");
    SetSetting("ScrPath", game_ + "Pictures\\Screenshot\\");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    SwitchOnScreenshotMode("500");
    CheckResolution(0);
    CheckResolution(1);
    Click(Ctl(IDC_BENCHBUTTON));

    const auto messages = AnswerMessagesUntilReady(90000);
    EXPECT_EQ(messages.size(), 1u) << "messages: " << messages.size();
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_GE(Launches().size(), 1u);
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), userConfig_);
    EXPECT_FALSE(Exists(game_ + "Systemcfgoverride.cfg"));
    ExpectGameSplashesBack();
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    EXPECT_EQ(ReadAll(game_ + "Pictures"), "not a folder");
    CloseProgram();
}

TEST_F(SequenceEndE2E, FailedLastSlotStillSavesTheSectionsThatSucceeded) {
    WriteAll(game_ + "wildmere-test.ini", "[launch 2]\r\nno_log=1\r\n");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(0);
    CheckResolution(1);
    RunBenchmark(kAborted);
    EXPECT_EQ(Launches().size(), 2u);
    const auto reports = ReportsIn(game_ + "Benchmark");
    ASSERT_EQ(reports.size(), 1u) << "no report of the slot that succeeded";
    const std::string html = ReadAll(game_ + "Benchmark\\" + reports[0]);
    EXPECT_NE(html.find("Resolution: 640\xD7" "480"), std::string::npos);
    EXPECT_EQ(html.find("Resolution: 800\xD7" "600"), std::string::npos);
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), userConfig_);
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
