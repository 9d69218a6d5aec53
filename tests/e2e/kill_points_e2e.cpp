// The program is ended by force at each step of a two-slot sequence, started again, and the recovery
// question answered either way; another sequence follows. At every moment the user's own system.cfg
// (Game folder and Bin32) is in its place or in the Program folder's Backup\, and after a recovery or a
// finished sequence it is in its place.

#include <cctype>
#include <functional>
#include <iterator>
#include <tuple>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kUserConfig = "-- my own settings\r\nr_Width = \"1280\"\r\ns_SoundEnable = \"1\"\r\n";
constexpr const char* kStrayConfig = "-- left in Bin32\r\nr_Height = \"1024\"\r\n";
constexpr const char* kStaleBackup = "-- last week's file\r\nr_Width = \"640\"\r\n";

// Where the program is ended: a step of its backup journal (the program ends itself right after it), or a
// moment seen from outside.
struct KillPoint {
    const char* name;
    const char* journalStep;  // nullptr: ended from outside when `reached` says so
};

const KillPoint kPoints[] = {
    {"collecting system information", nullptr}, {"user configuration saved", "user-config-saved"},
    {"configuration written", "config-written"}, {"first game running", nullptr},
    {"pause between slots", nullptr},           {"second game running", nullptr},
    {"user configuration restored", "user-config-restored"},
};

class KillPointsE2E : public BenchTest, public ::testing::WithParamInterface<std::tuple<int, bool>> {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        WriteAll(game_ + "system.cfg", kUserConfig);
        WriteAll(bin32_ + "system.cfg", kStrayConfig);
        CreateDirectoryA((program_ + "Backup").c_str(), nullptr);
        WriteAll(program_ + "Backup\\system.cfg", kStaleBackup);
        WriteAll(game_ + "wildmere-test.ini", "run_seconds=2\r\n");
        PointAtGame();
    }
    void TearDown() override {
        SetEnvironmentVariableA("WMB_STOP_AFTER_STEP", nullptr);
        BenchTest::TearDown();
    }

    void ExpectUserFilesKept(const std::string& when) {
        EXPECT_TRUE(ReadAll(game_ + "system.cfg") == kUserConfig ||
                    ReadAll(program_ + "Backup\\system.cfg") == kUserConfig)
            << when;
        EXPECT_TRUE(ReadAll(bin32_ + "system.cfg") == kStrayConfig ||
                    ReadAll(program_ + "Backup\\Bin32\\system.cfg") == kStrayConfig)
            << when;
    }

    void StartTwoSlotBenchmark() {
        StartProgram();
        ChooseTypicalSettings("1");
        CheckResolution(0);
        CheckResolution(1);
        Click(Ctl(IDC_BENCHBUTTON));
    }

    // Runs the sequence until `point` and ends the program there, as a crash would; waits for the game.
    void KillAt(const KillPoint& point) {
        if (point.journalStep) {
            SetEnvironmentVariableA("WMB_STOP_AFTER_STEP", point.journalStep);
            StartTwoSlotBenchmark();
            SetEnvironmentVariableA("WMB_STOP_AFTER_STEP", nullptr);
            ASSERT_TRUE(app_->WaitForExit(120000)) << "the program did not stop at " << point.journalStep;
        } else {
            StartTwoSlotBenchmark();
            const std::string name = point.name;
            std::function<bool()> reached;
            if (name == "collecting system information") {
                reached = [&] { return Status() == "Collecting system information, please wait..."; };
            } else if (name == "first game running") {
                reached = [&] { return Launches().size() == 1; };
            } else if (name == "pause between slots") {
                // The launch record is written by the running game, which holds its executable open.
                reached = [&] { return Launches().size() == 1 && GameEnded(); };
            } else {
                reached = [&] { return Launches().size() == 2; };
            }
            ASSERT_TRUE(WaitUntil(reached, 60000, 20)) << name << "; status: " << Status();
            app_->Terminate();
        }
        main_ = nullptr;
        ASSERT_EQ(Setting("NoErrorWarning"), "1");
        ASSERT_TRUE(WaitUntil([&] { return GameEnded(); }, 30000)) << "the game did not end";
    }
};

TEST_P(KillPointsE2E, UserConfigurationSurvives) {
    const KillPoint& point = kPoints[std::get<0>(GetParam())];
    const bool yes = std::get<1>(GetParam());
    SCOPED_TRACE(std::string(point.name) + (yes ? ", Yes" : ", No"));

    KillAt(point);
    if (HasFatalFailure()) return;
    ExpectUserFilesKept("after the kill");

    EXPECT_EQ(StartAnsweringMessage(yes ? IDYES : IDNO), kRecoveryQuestion);
    ExpectUserFilesKept("after the answer");
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    if (yes) {
        EXPECT_EQ(ReadAll(game_ + "system.cfg"), kUserConfig);
    }

    // Another sequence, after either answer, ends with the user's own file in its place.
    ChooseTypicalSettings("1");
    CheckResolution(0);
    RunBenchmark(kSuccessStatus);
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), kUserConfig);
    EXPECT_EQ(ReadAll(program_ + "Backup\\Bin32\\system.cfg"), kStrayConfig);
    CloseProgram();
}

INSTANTIATE_TEST_SUITE_P(EveryStep, KillPointsE2E,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kPoints))),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<int, bool>>& info) {
                             std::string name;
                             bool wordStart = true;
                             for (const char* c = kPoints[std::get<0>(info.param)].name; *c; ++c) {
                                 if (*c != ' ') name += wordStart ? static_cast<char>(std::toupper(*c)) : *c;
                                 wordStart = *c == ' ';
                             }
                             return name + (std::get<1>(info.param) ? "_Yes" : "_No");
                         });

// ---- The journal lost after the kill: deleted, or damaged ----

// How the journal is damaged between the kill and the next start.
struct JournalLoss {
    const char* name;
    const char* text;  // nullptr: the journal is deleted
};

const JournalLoss kLosses[] = {{"Deleted", nullptr}, {"Garbled", "step=config-wr\x01\xFF\xFEuser-conf"}};

class LostJournalE2E : public KillPointsE2E {};

TEST_P(LostJournalE2E, DeclinedOrAcceptedRecoveryStillGivesTheUserFileBack) {
    const JournalLoss& loss = kLosses[std::get<0>(GetParam())];
    const bool yes = std::get<1>(GetParam());
    SCOPED_TRACE(std::string(loss.name) + (yes ? ", Yes" : ", No"));

    // Killed once the user's file is in Backup\ and the program's is in the Game folder.
    KillAt(kPoints[2]);
    if (HasFatalFailure()) return;
    ASSERT_EQ(ReadAll(program_ + "Backup\\system.cfg"), kUserConfig);
    const std::string journal = program_ + "Backup\\sequence.jnl";
    ASSERT_TRUE(DeleteFileA(journal.c_str()));
    if (loss.text) WriteAll(journal, loss.text);

    EXPECT_EQ(StartAnsweringMessage(yes ? IDYES : IDNO), kRecoveryQuestion);
    EXPECT_EQ(Setting("NoErrorWarning"), "0");
    EXPECT_EQ(ReadAll(program_ + "Backup\\system.cfg"), kUserConfig);
    if (yes) {
        EXPECT_EQ(ReadAll(game_ + "system.cfg"), kUserConfig);
    }

    ChooseTypicalSettings("1");
    CheckResolution(0);
    RunBenchmark(kSuccessStatus);
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), kUserConfig);
    EXPECT_EQ(ReadAll(program_ + "Backup\\system.cfg"), kUserConfig);
    CloseProgram();
}

INSTANTIATE_TEST_SUITE_P(EitherAnswer, LostJournalE2E,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kLosses))),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<int, bool>>& info) {
                             return std::string(kLosses[std::get<0>(info.param)].name) +
                                    (std::get<1>(info.param) ? "_Yes" : "_No");
                         });

// ---- Presses that cannot lead to a written report change nothing ----

class RefusalE2E : public BenchTest {};

TEST_F(RefusalE2E, UnusableResultsFolderOrCustomFileIsRefusedBeforeAnythingChanges) {
    const std::string userConfig = ReadAll(game_ + "system.cfg");
    WriteAll(game_ + "a file", "not a folder");
    SetSetting("ResultPath", game_ + "a file\\");
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    CheckResolution(0);
    Click(Ctl(IDC_BENCHBUTTON));
    EXPECT_EQ(AnswerMessage(),
              "The report cannot be saved in the Results folder " + game_ +
                  "a file\\: it cannot be created. Please, choose another folder on the \"General\" page.");

    ShowPage(2);
    Click(Ctl(IDC_DETAIL0 + 3));
    TypeText(Ctl(IDC_DETAILEDIT), game_ + "missing.cfg");
    Click(Ctl(IDC_BENCHBUTTON));
    EXPECT_EQ(AnswerMessage(), "The custom configuration file " + game_ +
                                   "missing.cfg cannot be read. Please, choose an existing file.");
    EXPECT_TRUE(IsEnabled(Ctl(IDC_BENCHBUTTON)));
    EXPECT_TRUE(Launches().empty());
    EXPECT_EQ(ReadAll(game_ + "system.cfg"), userConfig);
    EXPECT_FALSE(Exists(game_ + "wmsplashold.bmp"));
    EXPECT_FALSE(Exists(program_ + "Backup"));
    EXPECT_NE(Setting("NoErrorWarning"), "1");
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
