#include "update/auto_updater.h"

#include <gtest/gtest.h>

#include "support/http_fakes.h"
#include "update/sha256.h"
#include "update/staging_record.h"

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

// The program folder is the fake files' disk; a signature is good when it names the digest of the very
// bytes of the information file, as a real one covers them.
struct TRecordingSystem : IUpdaterSystem {
    std::vector<std::string> done;
    std::shared_ptr<TFakeFiles> files;
    bool recordWritable = true;
    std::string ProgramPath() override { return "C:\\Wmb\\WildmereBench.exe"; }
    std::string ProgramFolder() override { return "C:\\Wmb\\"; }
    TInfoDate Today() override { return {2026, 12, 9}; }
    void OpenWebPage(const std::string& url) override { done.push_back("open " + url); }
    void DeleteTempFiles() override {
        std::erase_if(files->disk, [](const auto& file) {
            return file.first.ends_with(".uTMP") || file.first.ends_with(kStagingRecordName);
        });
        done.push_back("delete temp files");
    }
    void DeleteDownload(const std::string& path) override { files->disk.erase(path); }
    void SetFileTime(const std::string&, TDateTime) override {}
    std::optional<TFileDigest> FileDigest(const std::string& path) override {
        if (!files->disk.contains(path)) return std::nullopt;
        return TFileDigest{files->disk[path].size(), Sha256Hex(files->disk[path])};
    }
    bool WriteStagingRecord(const std::string& text) override {
        if (recordWritable) files->disk[std::string("C:\\Wmb\\") + kStagingRecordName] = text;
        return recordWritable;
    }
    bool InfoSignatureValid(const std::string& info, const std::string& signature) override {
        return signature == "signed " + Sha256Hex(info);
    }
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
    // The information file's reply and its signature's.
    static std::deque<TReply> Signed(const std::string& info, std::deque<TReply> then = {}) {
        then.push_front(Reply("200", "signed " + Sha256Hex(info)));
        then.push_front(Reply("200", info));
        return then;
    }
    // The files beside the program: downloads and the staging record.
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> names;
        for (const auto& file : services.files->disk) names.push_back(file.first);
        return names;
    }
    std::optional<std::vector<TStagedFile>> Record() const {
        const auto it = services.files->disk.find(std::string("C:\\Wmb\\") + kStagingRecordName);
        if (it == services.files->disk.end()) return std::nullopt;
        return ReadStagingRecord(it->second);
    }
};

// An information file of version 1.9 listing these names under http://h/, each with the digest of its
// content ("" = no digest).
std::string Info(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string info = "#version=1.9\r\n";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string suffix = i == 0 ? "" : std::to_string(i + 1);
        info += "#url" + suffix + "=http://h/" + files[i].first + "\r\n";
        if (!files[i].second.empty()) info += "#sha256" + suffix + "=" + Sha256Hex(files[i].second) + "\r\n";
    }
    return info;
}

TStagedFile Staged(const std::string& name, const std::string& bytes) { return {name, {bytes.size(), Sha256Hex(bytes)}}; }

const std::string kSkip = "\r\rSkip this file (it will not be installed) and continue upgrade?";

const std::string kThreeFiles = Info({{"a.exe", "A"}, {"b.dat", "B"}, {"c.dat", "C"}});
const std::string kNotVerified = "message The update information could not be verified.";

TEST_F(AutoUpdater, OutcomesOfTheCheck) {
    Check(Signed("#version=1.8\r\n#url=http://h/a.exe\r\n"));
    Check(Signed("#version=1.9\r\n"));  // newer, but nothing to download
    Check({});                          // nothing answers
    Check({Reply("404", "gone")});      // no information file: nothing said
    dialogs.offerAnswer = false;
    Check(Signed(kThreeFiles));
    EXPECT_EQ(events, (std::vector<std::string>{"no update", "no update", "unreachable updates.example.com", "later"}));
    const std::string noUpdate =
        "message Newer version not found. You actually are\rusing most recent version of this program.";
    EXPECT_EQ(dialogs.seen, (std::vector<std::string>{noUpdate, noUpdate,
                                                      "message Host http://updates.example.com' unreachable.\r\r"
                                                      "Please check your Internet connection and\r"
                                                      "try to upgrade this software again later.",
                                                      "offer"}));
    EXPECT_EQ(system.done, std::vector<std::string>(5, "delete temp files"));
}

TEST_F(AutoUpdater, TheInformationFileCountsOnlyWithAGoodSignatureBesideIt) {
    const std::string info = kThreeFiles;
    const struct {
        const char* why;
        std::deque<TReply> replies;
    } cases[] = {
        {"no signature", {Reply("200", info), Reply("404", "gone")}},
        {"a signature of other bytes", {Reply("200", info), Reply("200", "signed " + Sha256Hex(info + " "))}},
        {"an empty signature", {Reply("200", info), Reply("200", "")}},
    };
    for (const auto& c : cases) {
        dialogs.seen.clear();
        Check(c.replies);
        EXPECT_EQ(dialogs.seen, std::vector<std::string>{kNotVerified}) << c.why;
        EXPECT_TRUE(TempFiles().empty()) << c.why;
    }
    EXPECT_TRUE(events.empty());
    dialogs.seen.clear();
    dialogs.offerAnswer = false;
    Check(Signed(info));
    EXPECT_EQ(dialogs.seen, std::vector<std::string>{"offer"});
    EXPECT_EQ(updater.Url, "http://updates.example.com/benchmarks/wm/kst_wm_bench.inf.sig");
}

TEST_F(AutoUpdater, FilesDownloadedOneAfterTheOtherThenTheUpgraderTakesOver) {
    Check(Signed(kThreeFiles, {Reply("200", "A"), Reply("200", "B"), Reply("200", "C")}));
    EXPECT_EQ(dialogs.seen, (std::vector<std::string>{"offer", "Downloading 1 of 3", "Downloading 2 of 3",
                                                      "Downloading 3 of 3", "completion page"}));
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"C:\\Wmb\\a.exe.uTMP", "C:\\Wmb\\b.dat.uTMP",
                                                     "C:\\Wmb\\c.dat.uTMP", "C:\\Wmb\\update.uSTAGED"}));
    EXPECT_EQ(Record(), (std::vector<TStagedFile>{Staged("a.exe", "A"), Staged("b.dat", "B"), Staged("c.dat", "C")}));
    EXPECT_EQ(system.done, std::vector<std::string>{"delete temp files"});  // the completion page waits for its OK
    dialogs.finished();
    EXPECT_EQ(system.done, (std::vector<std::string>{"delete temp files", "upgrader /afterupgrade0", "close"}));
}

TEST_F(AutoUpdater, ALostFileGoesAtOnceAndIsNeverListed) {
    const struct {
        const char* why;
        std::string info;
        TReply reply;  // of b.dat
        const char* caption;
        std::string text;
    } cases[] = {
        {"not found", kThreeFiles, Reply("404", "gone"), "Error #404", "File b.dat not found or inaccessible."},
        {"digest differs", kThreeFiles, Reply("200", "X"), "Error #checksum mismatch",
         "File b.dat does not match the checksum in the update information."},
        {"cut short", Info({{"a.exe", "A"}, {"b.dat", "BBBB"}, {"c.dat", "C"}}), Reply("200", "BB"),
         "Error #checksum mismatch", "File b.dat does not match the checksum in the update information."},
        {"no digest listed", Info({{"a.exe", "A"}, {"b.dat", ""}, {"c.dat", "C"}}), Reply("200", "B"),
         "Error #no checksum", "File b.dat has no checksum in the update information."},
    };
    for (const auto& c : cases) {
        for (bool skip : {true, false}) {
            SCOPED_TRACE(std::string(c.why) + (skip ? " skipped" : " stopped"));
            dialogs.seen.clear(), events.clear(), services.files->disk.clear();
            dialogs.lostFileAnswers = {skip};
            // A file without a digest is not even fetched.
            std::deque<TReply> files{Reply("200", "A"), c.reply, Reply("200", "C")};
            if (std::string(c.why) == "no digest listed") files.erase(files.begin() + 1);
            Check(Signed(c.info, files));
            ASSERT_GE(dialogs.seen.size(), 4u);
            EXPECT_EQ(dialogs.seen[3], std::string(c.caption) + ": " + c.text + kSkip);
            if (skip) {
                EXPECT_EQ(TempFiles(), (std::vector<std::string>{"C:\\Wmb\\a.exe.uTMP", "C:\\Wmb\\c.dat.uTMP",
                                                                 "C:\\Wmb\\update.uSTAGED"}));
                EXPECT_EQ(Record(), (std::vector<TStagedFile>{Staged("a.exe", "A"), Staged("c.dat", "C")}));
                EXPECT_TRUE(events.empty());
            } else {
                EXPECT_TRUE(TempFiles().empty());
                EXPECT_EQ(events, std::vector<std::string>{"aborted"});
            }
            EXPECT_EQ(dialogs.shown, skip);
            if (skip) dialogs.cancelled();  // leaves the completion page, so that the next check can start
        }
    }
}

TEST_F(AutoUpdater, NamesAndAddressesWindowsWouldNotStoreAsListedAreLostFiles) {
    const struct {
        const char* url;
        const char* caption;
        const char* text;
    } cases[] = {
        {"http://h/nul .dat", "Error #invalid file name", "File nul .dat cannot be stored under that name."},
        {"http://h/AUX.txt", "Error #invalid file name", "File AUX.txt cannot be stored under that name."},
        {"http://h/dir/", "Error #invalid file name", "The address http://h/dir/ names no file."},
        {"file:///C:/Windows/win.ini", "Error #invalid address", "File win.ini is not offered over http or https."},
    };
    for (const auto& c : cases) {
        dialogs.seen.clear(), events.clear();
        dialogs.lostFileAnswers = {false};
        Check(Signed("#version=1.9\r\n#url=" + std::string(c.url) + "\r\n#sha256=" + Sha256Hex("x") + "\r\n"));
        ASSERT_GE(dialogs.seen.size(), 3u);
        EXPECT_EQ(dialogs.seen[2], std::string(c.caption) + ": " + c.text + kSkip) << c.url;
        EXPECT_EQ(events, std::vector<std::string>{"aborted"});
        EXPECT_TRUE(TempFiles().empty());
    }
}

TEST_F(AutoUpdater, EveryEndButACompletedDownloadLeavesNothingBehind) {
    // What an earlier attempt left goes when a check starts.
    services.files->disk["C:\\Wmb\\old.dll.uTMP"] = "partial";
    services.files->disk[std::string("C:\\Wmb\\") + kStagingRecordName] = "stale";
    Check({Reply("404", "gone")});
    EXPECT_TRUE(TempFiles().empty());

    TReply cut = Reply("200", "BBBBBBBB");
    cut.failAt = 4;
    const struct {
        const char* why;
        std::deque<TReply> files;
    } cases[] = {
        {"connection lost in the second file", {Reply("200", "A"), cut}},
        {"host unreachable at the second file", {Reply("200", "A")}},
    };
    for (const auto& c : cases) {
        Check(Signed(Info({{"a.exe", "A"}, {"b.dat", "BBBBBBBB"}}), c.files));
        EXPECT_TRUE(TempFiles().empty()) << c.why;
        EXPECT_FALSE(dialogs.shown) << c.why;
    }
    // A record that cannot be written ends the update as aborted.
    events.clear();
    system.recordWritable = false;
    Check(Signed(Info({{"a.exe", "A"}}), {Reply("200", "A")}));
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_EQ(events, std::vector<std::string>{"aborted"});
}

TEST_F(AutoUpdater, TooManyRedirectsIsToldForTheCheckAndForAFile) {
    std::deque<TReply> loop;
    for (int i = 0; i <= kMaxRedirects; ++i) {
        TReply hop = Reply("302", "");
        hop.headers[inet::kQueryLocation] = "/again";
        hop.sameRequest = i > 0;
        loop.push_back(hop);
    }
    Check(loop);
    EXPECT_EQ(dialogs.seen,
              std::vector<std::string>{"message The update information could not be fetched: too many redirects."});
    dialogs.seen.clear();
    dialogs.lostFileAnswers = {false};
    std::deque<TReply> replies = Signed(Info({{"a.exe", "A"}}));
    replies.insert(replies.end(), loop.begin(), loop.end());
    Check(replies);
    ASSERT_GE(dialogs.seen.size(), 3u);
    EXPECT_EQ(dialogs.seen[2], "Error #too many redirects: File a.exe could not be fetched: too many redirects." + kSkip);
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(AutoUpdater, AFileThatCannotBeWrittenSaysSo) {
    services.files->unwritable = "C:\\Wmb\\b.dat.uTMP";
    dialogs.lostFileAnswers = {false};
    Check(Signed(kThreeFiles, {Reply("200", "A"), Reply("200", "B")}));
    ASSERT_GE(dialogs.seen.size(), 4u);
    EXPECT_EQ(dialogs.seen[3], "Error #cannot write file: File b.dat could not be written to the program's folder." + kSkip);
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(AutoUpdater, CancelInTheWizardAbortsAndDeletesTheFiles) {
    updater.TransferBufferSize = 1;
    updater.OnProgress = [this](TudAutoUpdater&, int total) {
        if (total == 49) dialogs.cancelled();  // the second of three files half done
    };
    Check(Signed(Info({{"a.exe", "A"}, {"b.dat", "BB"}, {"c.dat", "C"}}),
                 {Reply("200", "A"), Reply("200", "BB"), Reply("200", "C")}));
    EXPECT_EQ(events, std::vector<std::string>{"aborted"});
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_FALSE(updater.IsBusy());
}

TEST(AutoUpdaterLifetime, ADownloadNotHandedOverGoesWithTheUpdater) {
    TStepServices services;
    TScriptedDialogs dialogs;
    TRecordingSystem system;
    system.files = services.files;
    {
        TudAutoUpdater updater{services, dialogs, system};
        updater.InfoFileURL = "http://h/wm.inf";
        updater.VersionControl = byNumber;
        updater.VersionNumber = "1.8.0.0";
        const std::string info = Info({{"a.exe", "A"}});
        services.replies = {Reply("200", info), Reply("200", "signed " + Sha256Hex(info)), Reply("200", "A")};
        updater.CheckUpdate();
        services.Settle();
        EXPECT_FALSE(services.files->disk.empty());  // on the completion page: the program is closed instead
    }
    EXPECT_TRUE(services.files->disk.empty());
}

TEST_F(AutoUpdater, AutomaticCheckWaitsForAConnectionAndSaysNothing) {
    updater.AutoCheck = true;
    updater.Loaded("");
    system.timer();  // not connected: armed again
    system.connected = true;
    services.replies = Signed("#version=1.8\r\n");
    system.timer();
    services.Settle();
    EXPECT_EQ(system.done, (std::vector<std::string>{"timer 10000", "timer 10000", "delete temp files", "timer 10000"}));
    EXPECT_EQ(events, std::vector<std::string>{"no update"});
    EXPECT_TRUE(dialogs.seen.empty());
}

}  // namespace
}  // namespace wmb
