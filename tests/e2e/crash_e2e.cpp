// The crash handler: a fault the program does not handle ends in a report and a minidump in the crash
// folder, the crash dialog with the details whose "Send report" posts the report to the maker's server (a loopback
// server here), and a non-zero exit code, never Wine's crash dialog.

#include <algorithm>
#include <ostream>

#include "support/loopback_http_server.h"

#include "e2e/bench_fixture.h"
#include "platform/win32/crash_handler.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kCrashDialogClass = "WildmereBenchCrashDialog";

struct CrashCase {
    const char* trigger;  // WMB_TEST_CRASH
    const char* summary;  // the dialog's line about the fault
    DWORD exitCode;
};

void PrintTo(const CrashCase& c, std::ostream* out) { *out << c.trigger; }

// The crash dialog, found by its class alone: the program's other windows no longer answer messages.
HWND WaitForCrashDialog(DWORD processId) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(processId)) {
                if (ClassOf(w) == kCrashDialogClass) found = w;
            }
            return found != nullptr;
        },
        30000, 100);
    return found;
}

class CrashE2E : public BenchTest, public ::testing::WithParamInterface<CrashCase> {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        crashes_ = UserCrashFolder();
        RemoveTree(crashes_);
        SetEnvironmentVariableA("WMB_TEST_CRASH", GetParam().trigger);
        server_.Put("/benchmarks/crash", "");
        SetEnvironmentVariableA("WMB_MAKER_SERVER", ("127.0.0.1:" + std::to_string(server_.Port())).c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("WMB_TEST_CRASH", nullptr);
        SetEnvironmentVariableA("WMB_MAKER_SERVER", nullptr);
        BenchTest::TearDown();
    }
    std::string crashes_;
    test::LoopbackHttpServer server_;
};

TEST_P(CrashE2E, WritesShowsAndSendsTheReportThenEndsTheProgram) {
    const CrashCase& c = GetParam();
    PointAtGame();
    app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
    const HWND dialog = WaitForCrashDialog(app_->ProcessId());
    ASSERT_NE(dialog, nullptr) << "no crash dialog";

    std::vector<std::string> files = FilesIn(crashes_);
    ASSERT_EQ(files.size(), 2u) << crashes_;
    const std::string stem = crashes_ + files[0].substr(0, files[0].rfind('.'));
    const std::string report = ReadAll(stem + ".txt");
    EXPECT_NE(report.find(std::string("Exception: ") + c.summary), std::string::npos) << report;
    EXPECT_NE(report.find("Program version: 1.8.0.0\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Fault address: WildmereBench.exe+0x"), std::string::npos) << report;
    EXPECT_NE(report.find("Last status: Set the parameters & bench!\r\nSequence running: no\r\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("  WildmereBench.exe+0x"), std::string::npos) << "no frame of the program: " << report;
    EXPECT_EQ(ReadAll(stem + ".dmp").substr(0, 4), "MDMP");

    const std::string summary = GetText(FindControl(dialog, IDC_CRASHSUMMARY));
    EXPECT_NE(summary.find(c.summary), std::string::npos) << summary;
    EXPECT_NE(summary.find("Report: " + stem + ".txt"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Minidump: " + stem + ".dmp"), std::string::npos) << summary;
    EXPECT_EQ(GetText(FindControl(dialog, IDC_CRASHREPORT)), report);

    Click(FindControl(dialog, IDC_CRASHSEND));
    EXPECT_TRUE(WaitUntil([&] { return !server_.Requests().empty(); }, 20000, 100)) << "nothing was sent";
    const std::vector<test::RecordedRequest> sent = server_.Requests();
    if (!sent.empty()) {
        EXPECT_EQ(sent[0].method, "POST");
        EXPECT_EQ(sent[0].target, "/benchmarks/crash");
        EXPECT_EQ(sent[0].Header("Content-Type"), "text/plain");
        EXPECT_EQ(sent[0].body, report);
    }
    EXPECT_TRUE(WaitUntil(
        [&] { return GetText(FindControl(dialog, IDC_CRASHSENDSTATUS)) == "The report was sent. Thank you."; }, 20000,
        100))
        << GetText(FindControl(dialog, IDC_CRASHSENDSTATUS));

    Click(FindControl(dialog, IDC_CRASHCLOSE));
    ASSERT_TRUE(app_->WaitForExit(20000));
    EXPECT_EQ(app_->ExitCode(), c.exitCode);
    EXPECT_FALSE(WineCrashDialogShown());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CrashE2E,
    ::testing::Values(
        CrashCase{"access-violation",
                  "Access violation (EXCEPTION_ACCESS_VIOLATION, 0xC0000005) writing address 0x00000000",
                  0xC0000005u},
        CrashCase{"exception", "C++ exception std::runtime_error: Test crash requested by WMB_TEST_CRASH.",
                  0xE06D7363u},
        CrashCase{"thread-exception",
                  "C++ exception std::logic_error: Test crash on a worker thread requested by WMB_TEST_CRASH.",
                  0xE06D7363u},
        CrashCase{"stack-overflow", "Stack overflow (EXCEPTION_STACK_OVERFLOW, 0xC00000FD)", 0xC00000FDu},
        CrashCase{"illegal-instruction", "Illegal instruction (EXCEPTION_ILLEGAL_INSTRUCTION, 0xC000001D)",
                  0xC000001Du}),
    [](const auto& info) {
        std::string name = info.param.trigger;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

// "A sequence was running" comes from the journal's last step: a journal left by a finished sequence says no.
// Either way the dialog's summary ends above the report, and the buttons lie inside the dialog.
using CrashJournalE2E = BenchTest;

TEST_F(CrashJournalE2E, SaysASequenceRanOnlyWhileTheJournalSaysSoAndTheTextFits) {
    const struct {
        const char* step;
        bool running;
    } cases[] = {{"user-config-restored", false}, {"config-written", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        RemoveTree(UserCrashFolder());
        CreateDirectoryA((program_ + "Backup").c_str(), nullptr);
        WriteAll(program_ + "Backup\\sequence.jnl",
                 std::string("step=") + c.step + "\r\nuser-config=in-place\r\nprogram-config=\r\n");
        PointAtGame();
        SetEnvironmentVariableA("WMB_TEST_CRASH", "access-violation");
        app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
        SetEnvironmentVariableA("WMB_TEST_CRASH", nullptr);
        const HWND dialog = WaitForCrashDialog(app_->ProcessId());
        ASSERT_NE(dialog, nullptr) << "no crash dialog";
        const std::string report = GetText(FindControl(dialog, IDC_CRASHREPORT));
        EXPECT_NE(report.find(c.running ? "Sequence running: yes\r\n" : "Sequence running: no\r\n"),
                  std::string::npos)
            << report;
        const std::string summary = GetText(FindControl(dialog, IDC_CRASHSUMMARY));
        EXPECT_EQ(summary.find("A benchmark sequence was running") != std::string::npos, c.running) << summary;

        RECT text{}, reportBox{}, close{}, client{};
        GetWindowRect(FindControl(dialog, IDC_CRASHSUMMARY), &text);
        GetWindowRect(FindControl(dialog, IDC_CRASHREPORT), &reportBox);
        GetWindowRect(FindControl(dialog, IDC_CRASHCLOSE), &close);
        GetClientRect(dialog, &client);
        MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
        EXPECT_LE(text.bottom, reportBox.top);
        EXPECT_LE(close.bottom, client.bottom);
        Click(FindControl(dialog, IDC_CRASHCLOSE));
        ASSERT_TRUE(app_->WaitForExit(20000));
        EXPECT_FALSE(WineCrashDialogShown());
    }
}

using SecondFaultE2E = BenchTest;

TEST_F(SecondFaultE2E, AFaultInTheHandlerEndsTheProgramAtOnce) {
    RemoveTree(UserCrashFolder());
    SetEnvironmentVariableA("WMB_TEST_CRASH", "second-fault");
    app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
    SetEnvironmentVariableA("WMB_TEST_CRASH", nullptr);
    ASSERT_TRUE(app_->WaitForExit(30000)) << "the handler went round in circles";
    EXPECT_EQ(app_->ExitCode(), kCrashHandlerFaultExitCode);
    EXPECT_FALSE(WineCrashDialogShown());
    const std::vector<std::string> files = FilesIn(UserCrashFolder());
    EXPECT_EQ(std::count_if(files.begin(), files.end(), [](const std::string& f) { return f.ends_with(".txt"); }), 1)
        << "the first fault's report is kept";
}

}  // namespace
}  // namespace wmb::e2e
