// The update check and download against a loopback update server: the outcomes of the check, the signed
// information file, the offer, the wizard through its last page, lost files, cancelling, what a hostile
// server may try, and the upgrader putting the next version of the program in place and starting it.

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

#include "e2e/bench_fixture.h"
#include "e2e/test_files.h"
#include "e2e/window_driver.h"
#include "support/loopback_http_server.h"
#include "support/rsa_test_signer.h"
#include "support/update_test_private_key.h"
#include "ui/resource.h"
#include "ui/update_wizard.h"
#include "ui/upgrade_offer_dialog.h"
#include "update/sha256.h"

namespace wmb::e2e {
namespace {

using test::LoopbackHttpServer;

constexpr const char* kInfoPath = "/benchmarks/wm/kst_wm_bench.inf";
constexpr const char* kUpdateCaption = "Application update wizard";
constexpr const char* kNoUpdateText =
    "Newer version not found. You actually are\rusing most recent version of this program.";
constexpr const char* kAbortQuestion = "The update is not completed.\rWould you like to abort upgrading?";

class UpdateE2E : public BenchTest {
protected:
    void TearDown() override {
        if (restarted_) {
            RequestClose(restarted_->window);
            if (WaitForSingleObject(restarted_->process, 10000) != WAIT_OBJECT_0) TerminateProcess(restarted_->process, 1);
            CloseHandle(restarted_->process);
        }
        BenchTest::TearDown();
        SetEnvironmentVariableA("WMB_MAKER_SERVER", nullptr);
    }

    void Start(const std::string& server) {
        SetEnvironmentVariableA("WMB_MAKER_SERVER", server.c_str());
        PointAtGame();
        StartProgram();
    }
    void StartWithServer() { Start("127.0.0.1:" + std::to_string(server_.Port())); }

    // Serves a document and remembers its digest for the information file.
    void PutFile(const std::string& path, const std::string& body, std::chrono::milliseconds pause = {}) {
        server_.Put(path, body, pause);
        digests_[path] = Sha256Hex(body);
    }
    // Serves an information file, signed as tools/sign-update signs it.
    void PutSignedInfo(const std::string& info) {
        server_.Put(kInfoPath, info);
        server_.Put(std::string(kInfoPath) + ".sig", test::SignLikeTheSignTool(test::kUpdateTestPrivateKeyPem, info));
    }
    // Serves a signed information file of version 1.9 listing these addresses (paths of the server, or whole
    // addresses), each with the digest of what PutFile put there.
    void OfferFiles(const std::vector<std::string>& paths, const std::string& extra = "") {
        std::string info = "#version=1.9\r\n#message={Faster start.\r\nNew demos.}\r\n";
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string suffix = i == 0 ? std::string() : std::to_string(i + 1);
            const bool whole = paths[i].find("://") != std::string::npos;
            info += "#url" + suffix + "=" + (whole ? paths[i] : server_.Url(paths[i])) + "\r\n";
            const auto digest = digests_.find(paths[i]);
            if (digest != digests_.end()) info += "#sha256" + suffix + "=" + digest->second + "\r\n";
        }
        PutSignedInfo(info + extra);
    }
    void ClickUpdate() { Click(Ctl(IDC_UPDATE)); }
    void AcceptOffer() {
        const HWND offer = WaitForTopWindow(app_->ProcessId(), ui::kUpgradeOfferClass, 15000);
        ASSERT_NE(offer, nullptr) << "no offer";
        Click(FindControl(offer, IDOK));
    }
    HWND Wizard() const { return WaitForTopWindow(app_->ProcessId(), ui::kUpdateWizardClass, 15000); }
    ::testing::AssertionResult WaitForCompletionPage(HWND wizard) {
        if (WaitUntil([&] { return IsEnabled(FindControl(wizard, IDC_WIZFINISH)); }, 30000)) {
            return ::testing::AssertionSuccess();
        }
        // Where the downloads stood tells a slow machine from a stuck download.
        return ::testing::AssertionFailure() << "the wizard shows \"" << GetText(FindControl(wizard, IDC_WIZTITLE))
                                             << "\", \"" << GetText(FindControl(wizard, IDC_WIZALLDOWNLOADING))
                                             << "\", \"" << GetText(FindControl(wizard, IDC_WIZFILESIZE)) << "\"";
    }
    // The downloads and the staging record beside the program.
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> found;
        for (const std::string& name : FilesIn(program_))
            if (name.ends_with(".uTMP") || name.starts_with("update.uSTAGED")) found.push_back(name);
        std::sort(found.begin(), found.end());
        return found;
    }
    // Each file of the Program folder by its digest: the folder byte for byte.
    std::map<std::string, std::string> ProgramFolderDigests() const {
        std::map<std::string, std::string> files;
        for (const std::string& name : FilesIn(program_)) files[name] = Sha256Hex(ReadAll(program_ + name));
        return files;
    }
    // The program the upgrader started again: its main window once its caption holds `caption`.
    bool WaitForRestart(const std::string& caption) {
        HWND window = nullptr;
        const bool found = WaitUntil(
            [&] {
                window = FindWindowA("WildmereBenchMainWindow", nullptr);
                return window && GetText(window).find(caption) != std::string::npos;
            },
            60000);
        if (!found) return false;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        restarted_ = Restarted{window, OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId), processId};
        return true;
    }
    // The box's caption and text, answered with `button`.
    std::string Answer(int button, std::string* caption = nullptr) {
        const HWND box = WaitForMessageBox(app_->ProcessId(), 30000);
        if (!box) return "(no message)";
        if (caption) *caption = GetText(box);
        const std::string text = MessageBoxText(box);
        AnswerMessageBox(box, button);
        return text;
    }

    struct Restarted {
        HWND window;
        HANDLE process;
        DWORD processId;
    };
    LoopbackHttpServer server_;
    std::map<std::string, std::string> digests_;
    std::optional<Restarted> restarted_;
};

TEST_F(UpdateE2E, OutcomesOfTheCheck) {
    StartWithServer();
    // No information file: nothing is said. The next click is taken once the first check is over.
    ClickUpdate();
    ASSERT_TRUE(WaitUntil([&] { return server_.Requests().size() == 1; }, 15000));
    PutSignedInfo("#version=1.8\r\n#url=" + server_.Url("/WildmereBench.exe") + "\r\n");
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (server_.Requests().size() < 2) ClickUpdate();
            return server_.Requests().size() >= 2;
        },
        15000, 500));
    EXPECT_EQ(Answer(IDOK), "No update available.");
    std::string caption;
    EXPECT_EQ(Answer(IDOK, &caption), kNoUpdateText);
    EXPECT_EQ(caption, kUpdateCaption);

    OfferFiles({"/WildmereBench.exe"});
    ClickUpdate();
    const HWND offer = WaitForTopWindow(app_->ProcessId(), ui::kUpgradeOfferClass, 15000);
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(GetText(FindControl(offer, IDC_OFFERLABEL)),
              "A newer version of WildmereBench was released.\n\nFaster start.\r\nNew demos.\n\n"
              "Do you want to update your version with the latest one?");
    Click(FindControl(offer, IDCANCEL));
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    for (const auto& request : server_.Requests()) EXPECT_TRUE(request.target.starts_with(kInfoPath)) << request.target;
}

TEST_F(UpdateE2E, OnlyAnInformationFileSignedWithTheMakersKeyIsOffered) {
    PutFile("/files/WildmereBench.exe", "next");
    OfferFiles({"/files/WildmereBench.exe"});
    const std::string signature = test::SignLikeTheSignTool(test::kUpdateTestPrivateKeyPem, "#version=1.9\r\n");
    StartWithServer();
    // Unsigned, then signed for other bytes: one message each, nothing offered, nothing downloaded.
    for (const std::string& sig : {std::string(), signature}) {
        if (sig.empty()) {
            server_.Put(std::string(kInfoPath) + ".sig", "");
        } else {
            server_.Put(std::string(kInfoPath) + ".sig", sig);
        }
        ClickUpdate();
        EXPECT_EQ(Answer(IDOK), "The update information could not be verified.");
        EXPECT_EQ(WaitForTopWindow(app_->ProcessId(), ui::kUpgradeOfferClass, 1000), nullptr);
    }
    OfferFiles({"/files/WildmereBench.exe"});
    ClickUpdate();
    const HWND offer = WaitForTopWindow(app_->ProcessId(), ui::kUpgradeOfferClass, 15000);
    ASSERT_NE(offer, nullptr);
    Click(FindControl(offer, IDCANCEL));
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    for (const auto& request : server_.Requests()) EXPECT_TRUE(request.target.starts_with(kInfoPath)) << request.target;
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(UpdateE2E, UnreachableHost) {
    Start("127.0.0.1:" + std::to_string(test::RefusedLoopbackPort()));
    ClickUpdate();
    EXPECT_EQ(Answer(IDOK), "No internet connection.");
    EXPECT_EQ(Answer(IDOK), "Host http://127.0.0.1' unreachable.\r\rPlease check your Internet connection and\r"
                            "try to upgrade this software again later.");
}

TEST_F(UpdateE2E, ThreeFilesThenTheUpgraderStartsTheNextVersion) {
    const std::string next = ReadAll(BuildFolder() + "\\src\\ui\\WildmereBenchNext.exe");
    PutFile("/files/WildmereBench.exe", next);
    PutFile("/files/notes.txt", "Version 1.8.0.1\r\n");
    PutFile("/files/extra.dat", std::string(300000, 'x'));
    OfferFiles({"/files/WildmereBench.exe", "/files/notes.txt", "/files/extra.dat"});
    StartWithServer();
    ClickUpdate();
    AcceptOffer();
    const HWND wizard = Wizard();
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WaitForCompletionPage(wizard));
    EXPECT_EQ(GetText(FindControl(wizard, IDC_WIZALLDOWNLOADING)), "Downloading 3 of 3");
    EXPECT_EQ(GetText(FindControl(wizard, IDC_WIZFINISH)), "&OK");
    EXPECT_FALSE(IsEnabled(FindControl(wizard, IDCANCEL)));
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"WildmereBench.exe.uTMP", "extra.dat.uTMP", "notes.txt.uTMP",
                                                     "update.uSTAGED"}));
    EXPECT_TRUE(GetFileAttributesA((program_ + "notes.txt.uTMP").c_str()) & FILE_ATTRIBUTE_HIDDEN);

    Click(FindControl(wizard, IDC_WIZFINISH));
    ASSERT_TRUE(app_->WaitForExit(30000));
    // The upgrader starts the program again; its caption names the new version.
    ASSERT_TRUE(WaitForRestart("v1.8.0.1"));
    EXPECT_EQ(Sha256Hex(ReadAll(program_ + "WildmereBench.exe")), Sha256Hex(next));
    EXPECT_EQ(ReadAll(program_ + "notes.txt"), "Version 1.8.0.1\r\n");
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(UpdateE2E, LostFilesSkippedOrTheUpgradeAborted) {
    PutFile("/files/a.dat", "A");
    PutFile("/files/c.dat", "C");
    digests_["/files/missing.dat"] = Sha256Hex("M");
    OfferFiles({"/files/a.dat", "/files/missing.dat", "/files/c.dat"});
    StartWithServer();
    // Yes skips the missing file; closing the last page and confirming aborts and removes the downloads.
    ClickUpdate();
    AcceptOffer();
    std::string caption;
    EXPECT_EQ(Answer(IDYES, &caption), "File missing.dat not found or inaccessible.\r\rSkip this file (it will not "
                                       "be installed) and continue upgrade?");
    EXPECT_EQ(caption, "Error #404");
    const HWND wizard = Wizard();
    ASSERT_TRUE(WaitForCompletionPage(wizard));
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"a.dat.uTMP", "c.dat.uTMP", "update.uSTAGED"}));
    RequestClose(wizard);
    EXPECT_EQ(Answer(IDYES), kAbortQuestion);
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    EXPECT_TRUE(TempFiles().empty());

    // No aborts at once; a file whose digest differs is lost as well.
    digests_["/files/c.dat"] = std::string(64, '0');
    OfferFiles({"/files/a.dat", "/files/c.dat"});
    ClickUpdate();
    AcceptOffer();
    EXPECT_EQ(Answer(IDNO, &caption), "File c.dat does not match the checksum in the update information.\r\r"
                                      "Skip this file (it will not be installed) and continue upgrade?");
    EXPECT_EQ(caption, "Error #checksum mismatch");
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_EQ(FindWindowA(ui::kUpdateWizardClass, nullptr), nullptr);
}

TEST_F(UpdateE2E, CancelDuringADownload) {
    PutFile("/files/slow.dat", std::string(400000, 's'), std::chrono::milliseconds(100));
    OfferFiles({"/files/slow.dat"});
    StartWithServer();
    ClickUpdate();
    AcceptOffer();
    const HWND wizard = Wizard();
    ASSERT_TRUE(WaitUntil([&] { return !TempFiles().empty(); }, 15000));
    Click(FindControl(wizard, IDCANCEL));
    EXPECT_EQ(Answer(IDYES), kAbortQuestion);
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    EXPECT_TRUE(TempFiles().empty());
}

// What a hostile or broken server may try: after each, the Program folder is as it was, with no download
// and no record left.
TEST_F(UpdateE2E, AMismatchedFileSkippedIsNeverInstalled) {
    PutFile("/files/a.dat", "A");
    PutFile("/files/WildmereBench.exe", "4000 junk bytes");
    digests_["/files/WildmereBench.exe"] = Sha256Hex("what the maker listed");
    OfferFiles({"/files/a.dat", "/files/WildmereBench.exe"});
    const auto before = ProgramFolderDigests();
    StartWithServer();
    ClickUpdate();
    AcceptOffer();
    std::string caption;
    Answer(IDYES, &caption);
    EXPECT_EQ(caption, "Error #checksum mismatch");
    const HWND wizard = Wizard();
    ASSERT_TRUE(WaitForCompletionPage(wizard));
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"a.dat.uTMP", "update.uSTAGED"}));
    Click(FindControl(wizard, IDC_WIZFINISH));
    ASSERT_TRUE(app_->WaitForExit(30000));
    ASSERT_TRUE(WaitForRestart("v1.8.0.0"));  // restarted as the version of before
    auto expected = before;
    expected["a.dat"] = Sha256Hex("A");
    EXPECT_EQ(ProgramFolderDigests(), expected);
}

TEST_F(UpdateE2E, ALostConnectionLeavesNothingAndTheNextUpdateInstallsOnlyItsOwnFiles) {
    server_.PutCut("/files/big.dat", std::string(1000000, 'b'), 5000);
    digests_["/files/big.dat"] = Sha256Hex("something else");
    OfferFiles({"/files/big.dat"});
    const auto before = ProgramFolderDigests();
    StartWithServer();
    ClickUpdate();
    AcceptOffer();
    EXPECT_EQ(Answer(IDOK), "Connection with remote server lost.\r\rPlease restore connection and try to\r"
                            "upgrade this software again later.");
    ASSERT_TRUE(WaitUntil([&] { return TempFiles().empty(); }, 10000));
    // A good update afterwards installs its own file and nothing of the first attempt.
    PutFile("/files/notes.txt", "good notes");
    OfferFiles({"/files/notes.txt"});
    ClickUpdate();
    AcceptOffer();
    const HWND wizard = Wizard();
    ASSERT_TRUE(WaitForCompletionPage(wizard));
    Click(FindControl(wizard, IDC_WIZFINISH));
    ASSERT_TRUE(app_->WaitForExit(30000));
    ASSERT_TRUE(WaitForRestart("v1.8.0.0"));  // restarted as the version of before
    auto expected = before;
    expected["notes.txt"] = Sha256Hex("good notes");
    EXPECT_EQ(ProgramFolderDigests(), expected);
}

TEST_F(UpdateE2E, AnUnreachableHostAfterAPartialDownloadLeavesNothing) {
    PutFile("/files/a.dat", std::string(200000, 'a'));
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(test::RefusedLoopbackPort()) + "/b.dat";
    digests_[unreachable] = Sha256Hex("b");
    OfferFiles({"/files/a.dat", unreachable});
    const auto before = ProgramFolderDigests();
    StartWithServer();
    ClickUpdate();
    AcceptOffer();
    EXPECT_EQ(Answer(IDOK), "No internet connection.");
    Answer(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return TempFiles().empty(); }, 10000));
    EXPECT_EQ(ProgramFolderDigests(), before);
}

TEST_F(UpdateE2E, ARedirectLoopEndsWithAMessage) {
    StartWithServer();
    server_.PutRedirect(kInfoPath, kInfoPath);
    const auto started = std::chrono::steady_clock::now();
    ClickUpdate();
    EXPECT_EQ(Answer(IDOK), "The update information could not be fetched: too many redirects.");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(server_.Requests().size(), 11u);  // the first request and ten redirects followed

    server_.PutRedirect("/files/loop.dat", "/files/loop.dat");
    digests_["/files/loop.dat"] = Sha256Hex("x");
    OfferFiles({"/files/loop.dat"});
    ClickUpdate();
    AcceptOffer();
    std::string caption;
    EXPECT_EQ(Answer(IDNO, &caption), "File loop.dat could not be fetched: too many redirects.\r\r"
                                      "Skip this file (it will not be installed) and continue upgrade?");
    EXPECT_EQ(caption, "Error #too many redirects");
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(UpdateE2E, DeviceNamesAndLocalFilesAreLostFiles) {
    const std::string local = "file:///" + program_ + "WildmereBench.exe";
    const struct {
        std::string url;
        const char* caption;
        std::string text;
    } cases[] = {
        {server_.Url("/files/nul .dat"), "Error #invalid file name", "File nul .dat cannot be stored under that name."},
        {server_.Url("/files/aux .dat"), "Error #invalid file name", "File aux .dat cannot be stored under that name."},
        {server_.Url("/files/lpt1 .txt"), "Error #invalid file name", "File lpt1 .txt cannot be stored under that name."},
        {local, "Error #invalid address", "File WildmereBench.exe is not offered over http or https."},
    };
    const auto before = ProgramFolderDigests();
    StartWithServer();
    for (const auto& c : cases) {
        digests_[c.url] = Sha256Hex("x");
        OfferFiles({c.url});
        ClickUpdate();
        AcceptOffer();
        std::string caption;
        EXPECT_EQ(Answer(IDNO, &caption), c.text + "\r\rSkip this file (it will not be installed) and continue upgrade?");
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(Answer(IDOK), "Update aborted.");
    }
    EXPECT_EQ(ProgramFolderDigests(), before);
    for (const auto& request : server_.Requests()) EXPECT_TRUE(request.target.starts_with(kInfoPath)) << request.target;
}

TEST_F(UpdateE2E, AFileHeldOpenLeavesTheProgramAsItWasAndSaysSo) {
    PutFile("/files/notes.txt", "new notes");
    PutFile("/files/help.chm", "new help");
    OfferFiles({"/files/notes.txt", "/files/help.chm"});
    WriteAll(program_ + "notes.txt", "old notes");
    const auto before = ProgramFolderDigests();
    StartWithServer();
    ClickUpdate();
    AcceptOffer();
    const HWND wizard = Wizard();
    ASSERT_TRUE(WaitForCompletionPage(wizard));
    EXPECT_EQ(GetText(FindControl(wizard, IDC_WIZAFTERNOTE)),
              "The files of the update of WildmereBench are downloaded and verified.\r\r"
              "Press the OK button to restart the program and install them.");
    // Another program keeps notes.txt open without sharing while the upgrader works.
    const HANDLE held = CreateFileA((program_ + "notes.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Let go of the file however the test ends, so that no upgrader waits for it.
    std::unique_ptr<void, decltype(&CloseHandle)> holding(held, &CloseHandle);
    Click(FindControl(wizard, IDC_WIZFINISH));
    ASSERT_TRUE(app_->WaitForExit(30000));
    // The program restarted as it was: the version of before in its caption.
    ASSERT_TRUE(WaitForRestart("v1.8.0.0"));
    const HWND box = WaitForMessageBox(restarted_->processId, 30000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "The update was not installed. notes.txt could not be replaced; another program "
                                   "may be using it.\r\rWildmereBench is unchanged.");
    AnswerMessageBox(box, IDOK);
    holding.reset();  // the digests read every file, this one too
    EXPECT_EQ(ProgramFolderDigests(), before);
}

}  // namespace
}  // namespace wmb::e2e
