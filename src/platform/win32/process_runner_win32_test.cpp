#include "platform/win32/process_runner_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/win32/platform_test_support.h"
#include "platform/win32/wrappers/system_error_text.h"

namespace wmb {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The child program sits in a folder whose path has blanks, beside a decoy that a careless start of
// the unquoted path would run instead ("...\wmb test\Program.exe").
class ProcessRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string source = ProgramFolder() + "platform_test_child.exe";
        ASSERT_TRUE(fs_.FileExists(source)) << source;
        ASSERT_TRUE(fs_.CreateFolders(dir_ / "wmb test\\Program Files\\x"));
        ASSERT_TRUE(fs_.CreateFolders(work_));
        ASSERT_TRUE(CopyFileA(source.c_str(), child_.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(source.c_str(), (dir_ / "wmb test\\Program.exe").c_str(), FALSE));
    }

    std::vector<std::string> ChildReport() const { return Lines(fs_.ReadFile(work_ + "child.txt").value_or("")); }

    // A runner whose end handler records the exit code and the thread it ran on.
    std::unique_ptr<Win32ProcessRunner> MakeRunner() {
        return std::make_unique<Win32ProcessRunner>(UiDispatcher(window_.Get()), [this](DWORD exitCode) {
            endedCode_ = exitCode;
            endedOnThread_ = GetCurrentThreadId();
        });
    }
    // Runs this thread's messages until the dispatcher's work arrives, then runs it; the exit code the
    // end handler saw, or nothing after `timeout`.
    std::optional<DWORD> WaitForEnd(std::chrono::milliseconds timeout) {
        endedCode_.reset();
        const std::optional<MSG> work = test::WaitForMessage(window_.Get(), kDispatchMessage, timeout);
        if (!work) return std::nullopt;
        UiDispatcher::Execute(work->lParam);
        return endedCode_;
    }

    test::ScratchFolder dir_;
    Win32FileSystem fs_;
    const std::string child_ = dir_ / "wmb test\\Program Files\\x\\child.exe";
    const std::string work_ = dir_ / "work folder\\";
    test::MessageWindow window_;
    std::optional<DWORD> endedCode_;
    DWORD endedOnThread_ = 0;
};

TEST_F(ProcessRunnerTest, StartsHiddenInTheWorkingFolderAndReportsTheExitCodeOnTheWindowsThread) {
    auto runner = MakeRunner();
    EXPECT_FALSE(runner->Running());
    const std::string commandLine = child_ + "  +set  timedemo \"a b\"  ";  // unquoted path, double blanks
    runner->Start(child_, commandLine, work_);
    EXPECT_TRUE(runner->Running());

    EXPECT_EQ(WaitForEnd(20s), 7u);
    EXPECT_EQ(endedOnThread_, GetCurrentThreadId());
    EXPECT_FALSE(runner->Running());

    const std::vector<std::string> report = ChildReport();
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[0], commandLine);
    EXPECT_TRUE(SamePath(report[1] + "\\", work_)) << report[1];
    EXPECT_TRUE(SamePath(report[2], child_)) << "ran " << report[2];
}

TEST_F(ProcessRunnerTest, RefusesASecondStartWhileRunningAndCanBeUsedAgainAfterwards) {
    auto runner = MakeRunner();
    runner->Start(child_, "child.exe /hold", work_);
    EXPECT_TRUE(runner->Running());
    EXPECT_THROW(runner->Start(child_, "child.exe", work_), std::logic_error);
    EXPECT_FALSE(WaitForEnd(200ms).has_value());

    fs_.WriteFile(work_ + "release.txt", "");
    ASSERT_TRUE(WaitForEnd(20s).has_value());
    EXPECT_FALSE(runner->Running());

    fs_.RemoveFile(work_ + "child.txt");
    runner->Start(child_, "child.exe again", work_);
    EXPECT_EQ(WaitForEnd(20s), 7u);
    EXPECT_EQ(ChildReport().at(0), "child.exe again");
}

TEST_F(ProcessRunnerTest, AFailedStartThrowsTheSystemMessage) {
    auto runner = MakeRunner();
    const std::string missing = dir_ / "wmb test\\Program Files\\x\\missing.exe";
    try {
        runner->Start(missing, missing, work_);
        FAIL() << "started";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), SystemErrorText(ERROR_FILE_NOT_FOUND));
    }
    EXPECT_FALSE(runner->Running());
    EXPECT_THROW(runner->Start(child_, child_, dir_ / "missing folder\\"), std::runtime_error);
    EXPECT_FALSE(runner->Running());
}

TEST_F(ProcessRunnerTest, AStartOfAFileThatIsNoProgramNamesTheFile) {
    auto runner = MakeRunner();
    const std::string notAProgram = dir_ / "wmb test\\Program Files\\x\\Wildmere.exe";
    fs_.WriteFile(notAProgram, "MZ but nothing more");
    try {
        runner->Start(notAProgram, notAProgram, work_);
        FAIL() << "started";
    } catch (const std::runtime_error& e) {
        const std::string what = e.what();
        EXPECT_EQ(what, SystemErrorText(ERROR_BAD_EXE_FORMAT, notAProgram));
        EXPECT_NE(what.find(notAProgram), std::string::npos) << what;
        EXPECT_EQ(what.find('%'), std::string::npos) << what;
    }
    EXPECT_FALSE(runner->Running());
}

TEST_F(ProcessRunnerTest, DestroyingTheRunnerNeitherWaitsForTheChildNorReportsItsEnd) {
    auto runner = MakeRunner();
    runner->Start(child_, "child.exe /hold", work_);
    const auto before = std::chrono::steady_clock::now();
    runner.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);

    fs_.WriteFile(work_ + "release.txt", "");
    for (int i = 0; i < 500 && !fs_.FileExists(work_ + "child.txt"); ++i) Sleep(20);
    EXPECT_TRUE(fs_.FileExists(work_ + "child.txt")) << "the child ran on and ended by itself";
    EXPECT_FALSE(WaitForEnd(300ms).has_value());
    for (int i = 0; i < 100 && !DeleteFileA(child_.c_str()); ++i) Sleep(20);  // the child has let go of its file
}

}  // namespace
}  // namespace wmb
