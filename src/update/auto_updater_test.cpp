#include "update/auto_updater.h"

#include <gtest/gtest.h>

#include "support/http_fakes.h"

namespace wmb {
namespace {

// The windows as a script: answers given in advance, everything shown written down.
struct TScriptedDialogs : IUpdaterDialogs {
    std::vector<std::string> seen;
    bool offerAnswer = true;
    std::deque<bool> lostFileAnswers;
    bool shown = false;
    std::function<void()> cancelled, finished;

    void Message(const std::string& text, TudMessageIcon) override { seen.push_back("message " + text); }
    bool AskUpgrade(const std::string&) override { return seen.push_back("offer"), offerAnswer; }
    bool AskSkipLostFile(const std::string& text, const std::string& caption) override {
        seen.push_back(caption + ": " + text);
        const bool answer = lostFileAnswers.front();
        lostFileAnswers.pop_front();
        return answer;
    }
    void ShowWizard(const TudAutoUpdaterWizard&, std::function<void()> c, std::function<void()> f) override {
        shown = true, cancelled = std::move(c), finished = std::move(f);
    }
    bool WizardShown() const override { return shown; }
    void WizardFile(const std::string&, const std::string& all) override { seen.push_back(all); }
    void WizardFileSize(const std::string&) override {}
    void WizardProgress(int, int, const std::string&, const std::string&) override {}
    void WizardCompletionPage(const std::string&) override { seen.push_back("completion page"); }
    void CloseWizard() override { shown = false; }
};

struct TRecordingSystem : IUpdaterSystem {
    std::vector<std::string> done;
    std::shared_ptr<TFakeFiles> files;
    std::string ProgramPath() override { return "C:\\Wmb\\WildmereBench.exe"; }
    std::string ProgramFolder() override { return "C:\\Wmb\\"; }
    TInfoDate Today() override { return {2026, 12, 9}; }
    void OpenWebPage(const std::string& url) override { done.push_back("open " + url); }
    void DeleteTempFiles() override {
        std::erase_if(files->disk, [](const auto& file) { return file.first.ends_with(".uTMP"); });
        done.push_back("delete temp files");
    }
    void SetFileTime(const std::string&, TDateTime) override {}
    std::string FileSha256(const std::string&) override { return "0000"; }
    std::function<void()> timer;
    bool connected = false;
    void StartTimer(std::uint32_t ms, std::function<void()> due) override {
        done.push_back("timer " + std::to_string(ms));
        timer = std::move(due);
    }
    bool Connected() override { return connected; }
    void LaunchUpgrader(const std::string& param) override { done.push_back("upgrader " + param); }
    void CloseApplication() override { done.push_back("close"); }
};

struct AutoUpdater : ::testing::Test {
    TStepServices services;
    TScriptedDialogs dialogs;
    TRecordingSystem system;
    TudAutoUpdater updater{services, dialogs, system};
    std::vector<std::string> events;

    AutoUpdater() {
        system.files = services.files;
        updater.InfoFileURL = "http://updates.example.com/benchmarks/wm/kst_wm_bench.inf";
        updater.VersionControl = byNumber;
        updater.VersionNumber = "1.8.0.0";
        updater.ShowMessages = mAskUpgrade | mConnLost | mHostUnreachable | mLostFile | mNoUpdateAvailable;
        updater.Wizard.HideFileLocation = true;
        updater.OnAborted = [this](TudAutoUpdater&) { events.push_back("aborted"); };
        updater.OnLaterUpgrade = [this](TudAutoUpdater&) { events.push_back("later"); };
        updater.OnNoUpdateAvailable = [this](TudAutoUpdater&) { events.push_back("no update"); };
        updater.OnHostUnreachable = [this](TudAutoUpdater&, const std::string&, const std::string& host) {
            events.push_back("unreachable " + host);
        };
    }
    void Check(std::deque<TReply> replies) {
        services.replies = std::move(replies);
        updater.CheckUpdate();
        services.Settle();
    }
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> names;
        for (const auto& file : services.files->disk) names.push_back(file.first);
        return names;
    }
};

const std::string kThreeFiles = "#version=1.9\r\n#url=http://h/a.exe\r\n#url2=http://h/b.dat\r\n#url3=http://h/c.dat\r\n";

TEST_F(AutoUpdater, OutcomesOfTheCheck) {
    Check({Reply("200", "#version=1.8\r\n#url=http://h/a.exe\r\n")});
    Check({Reply("200", "#version=1.9\r\n")});  // newer, but nothing to download
    Check({});                                  // nothing answers
    Check({Reply("404", "gone")});              // no information file: nothing said
    dialogs.offerAnswer = false;
    Check({Reply("200", kThreeFiles)});
    EXPECT_EQ(events, (std::vector<std::string>{"no update", "no update", "unreachable updates.example.com", "later"}));
    const std::string noUpdate =
        "message Newer version not found. You actually are\rusing most recent version of this program.";
    EXPECT_EQ(dialogs.seen, (std::vector<std::string>{noUpdate, noUpdate,
                                                      "message Host http://updates.example.com' unreachable.\r\r"
                                                      "Please check your Internet connection and\r"
                                                      "try to upgrade this software again later.",
                                                      "offer"}));
    EXPECT_TRUE(system.done.empty());
}

TEST_F(AutoUpdater, FilesDownloadedOneAfterTheOtherThenTheUpgraderTakesOver) {
    Check({Reply("200", kThreeFiles), Reply("200", "A"), Reply("200", "B"), Reply("200", "C")});
    EXPECT_EQ(dialogs.seen, (std::vector<std::string>{"offer", "Downloading 1 of 3", "Downloading 2 of 3",
                                                      "Downloading 3 of 3", "completion page"}));
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"C:\\Wmb\\a.exe.uTMP", "C:\\Wmb\\b.dat.uTMP", "C:\\Wmb\\c.dat.uTMP"}));
    EXPECT_TRUE(system.done.empty());  // the completion page waits for its OK
    dialogs.finished();
    EXPECT_EQ(system.done, (std::vector<std::string>{"upgrader /afterupgrade0", "close"}));
}

TEST_F(AutoUpdater, LostFilesSkippedOrTheUpgradeAborted) {
    for (bool skip : {true, false}) {
        dialogs.seen.clear(), system.done.clear(), events.clear(), services.files->disk.clear();
        dialogs.lostFileAnswers = {skip};
        Check({Reply("200", kThreeFiles), Reply("200", "A"), Reply("404", "gone"), Reply("200", "C")});
        EXPECT_EQ(dialogs.seen[3], "Error #404: File b.dat not found or inaccessible.\r\r"
                                   "Try to skip this file and continue upgrade?");
        const std::vector<std::string> kept{"C:\\Wmb\\a.exe.uTMP", "C:\\Wmb\\c.dat.uTMP"};
        EXPECT_EQ(TempFiles(), skip ? kept : std::vector<std::string>{});
        EXPECT_EQ(events, skip ? std::vector<std::string>{} : std::vector<std::string>{"aborted"});
        EXPECT_EQ(dialogs.shown, skip);
    }
    // A file whose digest differs from the one announced is lost too.
    dialogs.seen.clear(), dialogs.lostFileAnswers = {false};
    Check({Reply("200", "#version=1.9\r\n#url=http://h/a.exe\r\n#sha256=" + std::string(64, 'a') + "\r\n"),
           Reply("200", "A")});
    EXPECT_EQ(dialogs.seen.back(), "Error #checksum mismatch: File a.exe not found or inaccessible.\r\r"
                                   "Try to skip this file and continue upgrade?");
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(AutoUpdater, CancelInTheWizardAbortsAndDeletesTheFiles) {
    updater.TransferBufferSize = 1;
    updater.OnProgress = [this](TudAutoUpdater&, int total) {
        if (total == 49) dialogs.cancelled();  // the second of three files half done
    };
    Check({Reply("200", kThreeFiles), Reply("200", "A"), Reply("200", "BB"), Reply("200", "C")});
    EXPECT_EQ(events, std::vector<std::string>{"aborted"});
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_FALSE(updater.IsBusy());
    EXPECT_TRUE(system.done == std::vector<std::string>{"delete temp files"});
}

TEST_F(AutoUpdater, AutomaticCheckWaitsForAConnectionAndSaysNothing) {
    updater.AutoCheck = true;
    updater.Loaded("");
    system.timer();  // not connected: armed again
    system.connected = true;
    services.replies = {Reply("200", "#version=1.8\r\n")};
    system.timer();
    services.Settle();
    EXPECT_EQ(system.done, (std::vector<std::string>{"timer 10000", "timer 10000", "timer 10000"}));
    EXPECT_EQ(events, std::vector<std::string>{"no update"});
    EXPECT_TRUE(dialogs.seen.empty());
}

}  // namespace
}  // namespace wmb
