#pragma once
// What every end-to-end test of the program needs: a fresh game installation and Program folder of its
// own, an empty settings key, the running program and short-hands for its controls.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/test_files.h"
#include "e2e/window_driver.h"

namespace wmb::e2e {

inline constexpr const char* kMainWindowClass = "WildmereBenchMainWindow";
inline constexpr const char* kSuccessStatus = "The benchmarking is successful.";
inline constexpr const char* kRecoveryQuestion =
    "Last time an error occured. Do you wish to restore the original Wildmere settings?";

// Whether Wine's crash dialog (winedbg) is up for a program that died of an unhandled exception.
bool WineCrashDialogShown();

class BenchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Folders of this test: Program folder (with WildmereBench.exe), Game folder, Bin32 folder.
    std::string program_, game_, bin32_;

    // Settings key access.
    static void ResetSettingsKey();
    static std::string Setting(const std::string& name);
    static void SetSetting(const std::string& name, const std::string& value);
    // Stores the sandbox game's path so that the program finds it at start.
    void PointAtGame();
    // Installs another build of the engine library in the game.
    void UseEngineBuild(int build);

    // Starts the program and waits for its main window.
    void StartProgram();
    // Waits until the main window has made all its pages (they come once it is ready).
    void WaitForAllPages() const;
    // Starts the program when its start-up shows a message box first: answers it with `button` (any box
    // after it with OK), waits for the main window and returns the first box's text.
    std::string StartAnsweringMessage(int button = IDOK);
    // Closes the main window as the user would and waits for the program to end.
    void CloseProgram();
    HWND Main() const { return main_; }
    HWND Ctl(int id) const;
    void ShowPage(int index);
    std::string Status() const;
    // Waits until the status bar reads `text`; false after `timeoutMs`.
    bool WaitForStatus(const std::string& text, int timeoutMs);
    // Waits for a message box of the program, returns its text and answers it.
    std::string AnswerMessage(int button = IDOK, int timeoutMs = 15000);

    // Choices of a typical benchmark: first demo, Maximum details, English, `runs` runs, 1 s wait.
    void ChooseTypicalSettings(const std::string& runs = "3");
    void CheckResolution(int slot);
    // Switches screenshot mode on with the picture taken at `frame`.
    void SwitchOnScreenshotMode(const std::string& frame);
    // Presses Benchmark and waits for the sequence to end with `finalStatus`.
    void RunBenchmark(const std::string& finalStatus, int timeoutMs = 180000);
    std::vector<std::string> Launches() const;
    // The stand-in game is gone once its executable can be opened for writing again.
    bool GameEnded() const;
    // Answers every message box of the program with OK until the Benchmark button is enabled and no box
    // has appeared for a second; returns the texts in the order they came. Gives up after `timeoutMs`.
    std::vector<std::string> AnswerMessagesUntilReady(int timeoutMs);

    std::unique_ptr<RunningProgram> app_;
    HWND main_ = nullptr;
};

}  // namespace wmb::e2e
