#include "gameconfig/recovery.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "gameconfig/config_writer.h"
#include "gameconfig/user_config.h"
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
            fs, journal, store, folders,
            [&](const std::string& q) {
                questions.push_back(q);
                return answer;
            },
            [&](const std::string& m) { messages.push_back(m); });
    }
    MemoryFileSystem fs;
    BackupJournal journal{fs};
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

// ---- The user's configuration across kills, answers and later sequences ----

struct Killed {};

class KillPoints : public ::testing::Test {
protected:
    static constexpr const char* kUser = "own = \"1\"\r\n";
    static constexpr const char* kStray = "stray = \"1\"\r\n";

    void SetUp() override {
        fs.Put(P + "wmsplash.bmp", "bench");
        fs.Put(G + "wmsplash.bmp", "game");
        fs.Put(B + "wmsplash.bmp", "game-bin");
        fs.Put(G + "system.cfg", kUser);
        fs.Put(B + "system.cfg", kStray);
        fs.Put(P + "Backup\\system.cfg", "last week's file\r\n");
    }

    // One sequence as the run controller drives it; the program dies right after journal step `killAt`.
    // Returns whether it ran to its end.
    bool Sequence(const std::string& killAt) {
        BackupJournal journal(fs, [&](const std::string& step) {
            if (step == killAt) throw Killed{};
        });
        GameConfigWriter writer(fs, journal, [](const std::string&) { return std::string("Value Not Available"); });
        BenchSettings settings;
        settings.DetailLevel = 1;
        try {
            writer.BeginSequence(kFolders);
            InstallBenchSplash(fs, kFolders);
            store.Write("NoErrorWarning", "1");
            if (killAt == "flag-set") throw Killed{};
            writer.WriteGameConfig(settings, kFolders, nullptr);
            writer.RestoreUserConfig(kFolders);
            store.Write("NoErrorWarning", "0");
            fs.RemoveFile(G + "Systemcfgoverride.cfg");
            RestoreGameSplash(fs, kFolders);
            return true;
        } catch (const Killed&) {
            return false;
        }
    }
    // The next start of the program.
    void Start(bool answer) {
        BackupJournal journal(fs);
        OfferRecovery(
            fs, journal, store, kFolders, [&](const std::string&) { return answer; },
            [&](const std::string& m) { messages.push_back(m); });
    }
    void ExpectUserFilesKept(const std::string& when) {
        EXPECT_TRUE(fs.Get(G + "system.cfg") == kUser || fs.Get(P + "Backup\\system.cfg") == kUser) << when;
        EXPECT_TRUE(fs.Get(B + "system.cfg") == kStray || fs.Get(P + "Backup\\Bin32\\system.cfg") == kStray) << when;
    }

    MemoryFileSystem fs;
    MemorySettings store;
    std::vector<std::string> messages;
};

TEST_F(KillPoints, UserConfigSurvivesEveryKillAnswerAndLaterSequence) {
    const std::vector<std::string> steps = {"begun", "flag-set", "user-config-saved", "config-written", "user-config-restored", ""};
    for (const std::string& first : steps) {
        for (bool firstAnswer : {true, false}) {
            for (const std::string& second : steps) {
                for (bool secondAnswer : {true, false}) {
                    SetUp();
                    const std::string trace = first + (firstAnswer ? "/yes " : "/no ") + second +
                                              (secondAnswer ? "/yes" : "/no");
                    if (!Sequence(first)) {
                        ExpectUserFilesKept(trace + ": killed");
                        Start(firstAnswer);
                        ExpectUserFilesKept(trace + ": answered");
                        if (firstAnswer) {
                            EXPECT_EQ(fs.Get(G + "system.cfg"), kUser) << trace;
                        }
                    }
                    if (!Sequence(second)) {
                        ExpectUserFilesKept(trace + ": second killed");
                        Start(secondAnswer);
                        ExpectUserFilesKept(trace + ": second answered");
                    }
                    ASSERT_TRUE(Sequence(""));
                    EXPECT_EQ(fs.Get(G + "system.cfg"), kUser) << trace;
                    EXPECT_EQ(fs.Get(P + "Backup\\Bin32\\system.cfg"), kStray) << trace;
                }
            }
        }
    }
}

TEST_F(KillPoints, RecoveryBeforeTheBackupKeepsTheCurrentFileAndSaysSo) {
    ASSERT_FALSE(Sequence("flag-set"));
    Start(true);
    EXPECT_EQ(fs.Get(G + "system.cfg"), kUser);
    EXPECT_EQ(messages, std::vector<std::string>{"The game's configuration was left as it is: the interrupted "
                                                 "benchmark had not changed it yet, so the older copy in the Backup "
                                                 "folder was not used."});
}

TEST_F(KillPoints, FileTheUserChangedAfterDecliningIsTheOneKept) {
    ASSERT_FALSE(Sequence("config-written"));
    Start(false);
    fs.Put(G + "system.cfg", "changed in the game's menu\r\n");
    ASSERT_TRUE(Sequence(""));
    EXPECT_EQ(fs.Get(G + "system.cfg"), "changed in the game's menu\r\n");
}

// The journal deleted or damaged after a kill (an install over an older version's crash, a damaged disk):
// Yes copies the backup back as it always did, and No keeps the backup as the user's file, so that the
// next finished sequence puts it back instead of backing the sequence's file up over it.
TEST_F(KillPoints, UserConfigSurvivesALostJournalWithEitherAnswer) {
    const std::vector<std::string> kills = {"user-config-saved", "config-written"};
    const std::vector<std::pair<std::string, std::optional<std::string>>> journals = {
        {"deleted", std::nullopt}, {"garbled", "step=config-wr\x01\xFF"}, {"empty", ""}};
    for (const std::string& kill : kills) {
        for (const auto& [damage, text] : journals) {
            for (bool answer : {true, false}) {
                SetUp();
                store.Values.clear();
                messages.clear();
                const std::string trace = kill + " " + damage + (answer ? " yes" : " no");
                ASSERT_FALSE(Sequence(kill)) << trace;
                fs.RemoveFile(P + kJournalName);
                if (text) fs.Put(P + kJournalName, *text);
                Start(answer);
                EXPECT_EQ(store.Values["NoErrorWarning"], "0") << trace;
                EXPECT_TRUE(messages.empty()) << trace;
                EXPECT_EQ(fs.Get(P + "Backup\\system.cfg"), kUser) << trace;
                if (answer) {
                    EXPECT_EQ(fs.Get(G + "system.cfg"), kUser) << trace;
                }
                ASSERT_TRUE(Sequence("")) << trace;
                EXPECT_EQ(fs.Get(G + "system.cfg"), kUser) << trace;
                ASSERT_TRUE(Sequence("")) << trace;
                EXPECT_EQ(fs.Get(G + "system.cfg"), kUser) << trace;
            }
        }
    }
}

// The crash report's "sequence running" comes from the journal: it says so from the first step to the end
// of the sequence or the recovery after it, whatever the game's folder held.
TEST_F(KillPoints, JournalSaysASequenceIsUnderWayOnlyUntilItsEndOrRecovery) {
    const auto underWay = [&] { return JournalSaysSequenceUnderWay(fs.ReadFile(P + kJournalName)); };
    for (bool userFile : {true, false}) {
        for (bool answer : {true, false}) {
            SCOPED_TRACE(std::string(userFile ? "user file" : "no user file") + (answer ? ", yes" : ", no"));
            SetUp();
            if (!userFile) fs.RemoveFile(G + "system.cfg");
            ASSERT_TRUE(Sequence(""));
            EXPECT_FALSE(underWay());
            ASSERT_FALSE(Sequence("config-written"));
            EXPECT_TRUE(underWay());
            Start(answer);
            EXPECT_FALSE(underWay());
            ASSERT_FALSE(Sequence("flag-set"));
            EXPECT_TRUE(underWay());
            Start(answer);
            EXPECT_FALSE(underWay());
        }
    }
}

TEST(DeclinedRecovery, WithoutJournalOrBackupRecordsNothing) {
    MemoryFileSystem fs;
    BackupJournal journal(fs);
    fs.Put(G + "system.cfg", "current");
    KeepUserConfigInBackup(fs, journal, kFolders);
    EXPECT_FALSE(fs.FileExists(P + kJournalName));

    fs.Put(P + "Backup\\system.cfg", "user's");
    KeepUserConfigInBackup(fs, journal, kFolders);
    EXPECT_EQ(journal.Read(P), (JournalState{"recovery-declined", true, Fingerprint("current")}));
}

TEST(Journal, ReadsWhatItWroteAndNothingElse) {
    const JournalState state{"config-written", true, Fingerprint("abc")};
    EXPECT_EQ(ParseJournal(JournalText(state)), state);
    EXPECT_NE(Fingerprint("abc"), Fingerprint("abd"));
    for (const char* text : {"", "step=begun\r\n", "step=x\r\nuser-config=maybe\r\nprogram-config=\r\n"}) {
        EXPECT_EQ(ParseJournal(text), std::nullopt) << text;
    }
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
