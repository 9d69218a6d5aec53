// The update check and download against a loopback update server: the outcomes of the check, the offer,
// the wizard through its last page, lost files, cancelling, and the upgrader putting the next version of
// the program in place and starting it.

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "e2e/bench_fixture.h"
#include "e2e/test_files.h"
#include "e2e/window_driver.h"
#include "support/loopback_http_server.h"
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

    // Serves an information file of version 1.9 listing these paths of the server.
    void OfferFiles(const std::vector<std::string>& paths, const std::string& extra = "") {
        std::string info = "#version=1.9\r\n#message={Faster start.\r\nNew demos.}\r\n";
        for (std::size_t i = 0; i < paths.size(); ++i)
            info += "#url" + (i == 0 ? std::string() : std::to_string(i + 1)) + "=" + server_.Url(paths[i]) + "\r\n";
        server_.Put(kInfoPath, info + extra);
    }
    void ClickUpdate() { Click(Ctl(IDC_UPDATE)); }
    void AcceptOffer() {
        const HWND offer = WaitForTopWindow(app_->ProcessId(), ui::kUpgradeOfferClass, 15000);
        ASSERT_NE(offer, nullptr) << "no offer";
        Click(FindControl(offer, IDOK));
    }
    HWND Wizard() const { return WaitForTopWindow(app_->ProcessId(), ui::kUpdateWizardClass, 15000); }
    bool WaitForCompletionPage(HWND wizard) {
        return WaitUntil([&] { return IsEnabled(FindControl(wizard, IDC_WIZFINISH)); }, 30000);
    }
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> found;
        for (const std::string& name : FilesIn(program_))
            if (name.ends_with(".uTMP")) found.push_back(name);
        std::sort(found.begin(), found.end());
        return found;
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
    };
    LoopbackHttpServer server_;
    std::optional<Restarted> restarted_;
};

TEST_F(UpdateE2E, OutcomesOfTheCheck) {
    StartWithServer();
    // No information file: nothing is said. The next click is taken once the first check is over.
    ClickUpdate();
    ASSERT_TRUE(WaitUntil([&] { return server_.Requests().size() == 1; }, 15000));
    server_.Put(kInfoPath, "#version=1.8\r\n#url=" + server_.Url("/WildmereBench.exe") + "\r\n");
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
    for (const auto& request : server_.Requests()) EXPECT_EQ(request.target, kInfoPath);
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
    server_.Put("/files/WildmereBench.exe", next);
    server_.Put("/files/notes.txt", "Version 1.8.0.1\r\n");
    server_.Put("/files/extra.dat", std::string(300000, 'x'));
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
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"WildmereBench.exe.uTMP", "extra.dat.uTMP", "notes.txt.uTMP"}));
    EXPECT_TRUE(GetFileAttributesA((program_ + "notes.txt.uTMP").c_str()) & FILE_ATTRIBUTE_HIDDEN);

    Click(FindControl(wizard, IDC_WIZFINISH));
    ASSERT_TRUE(app_->WaitForExit(30000));
    // The upgrader starts the program again; its caption names the new version.
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            window = FindWindowA("WildmereBenchMainWindow", nullptr);
            return window && GetText(window).find("v1.8.0.1") != std::string::npos;
        },
        60000))
        << (window ? GetText(window) : "no main window");
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    restarted_ = Restarted{window, OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId)};
    EXPECT_EQ(Sha256Hex(ReadAll(program_ + "WildmereBench.exe")), Sha256Hex(next));
    EXPECT_EQ(ReadAll(program_ + "notes.txt"), "Version 1.8.0.1\r\n");
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(UpdateE2E, LostFilesSkippedOrTheUpgradeAborted) {
    server_.Put("/files/a.dat", "A");
    server_.Put("/files/c.dat", "C");
    OfferFiles({"/files/a.dat", "/files/missing.dat", "/files/c.dat"});
    StartWithServer();
    // Yes skips the missing file; closing the last page and confirming aborts and removes the downloads.
    ClickUpdate();
    AcceptOffer();
    std::string caption;
    EXPECT_EQ(Answer(IDYES, &caption), "File missing.dat not found or inaccessible.\r\rTry to skip this file and "
                                       "continue upgrade?");
    EXPECT_EQ(caption, "Error #404");
    const HWND wizard = Wizard();
    ASSERT_TRUE(WaitForCompletionPage(wizard));
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"a.dat.uTMP", "c.dat.uTMP"}));
    RequestClose(wizard);
    EXPECT_EQ(Answer(IDYES), kAbortQuestion);
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    EXPECT_TRUE(TempFiles().empty());

    // No aborts at once; a file whose digest differs is lost as well.
    OfferFiles({"/files/a.dat", "/files/c.dat"}, "#sha2562=" + std::string(64, '0') + "\r\n");
    ClickUpdate();
    AcceptOffer();
    EXPECT_EQ(Answer(IDNO, &caption), "File c.dat not found or inaccessible.\r\rTry to skip this file and "
                                      "continue upgrade?");
    EXPECT_EQ(caption, "Error #checksum mismatch");
    EXPECT_EQ(Answer(IDOK), "Update aborted.");
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_EQ(FindWindowA(ui::kUpdateWizardClass, nullptr), nullptr);
}

TEST_F(UpdateE2E, CancelDuringADownload) {
    server_.Put("/files/slow.dat", std::string(400000, 's'), std::chrono::milliseconds(100));
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

}  // namespace
}  // namespace wmb::e2e
