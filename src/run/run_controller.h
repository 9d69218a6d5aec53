#pragma once
// Turns one press of the Benchmark button into a sequence of game runs, one per selected resolution
// slot, and ends it by putting the game's files back. Runs entirely on the user-interface thread and
// never blocks it: the end of each game process arrives as cpTerminate(), the pauses as OnTimer().

#include <optional>
#include <string>
#include <vector>

#include "demos/demo_table.h"
#include "platform/file_system.h"
#include "platform/locale_info.h"
#include "platform/process_runner.h"
#include "platform/settings_store.h"
#include "results/log_reader.h"
#include "results/repeats.h"
#include "results/sequence_report.h"
#include "results/sequence_results.h"
#include "run/command_line.h"
#include "run/sequence_host.h"
#include "settings/bench_settings.h"

namespace wmb {

enum class SequenceState { Idle, Collecting, Running, BetweenSlots, Ending };

// The statuses a sequence that went through ends with.
inline constexpr const char* kSequenceSucceeded = "The benchmarking is successful.";
inline constexpr const char* kScreenshotSucceeded = "Screenshot mode is successful.";

// What one sequence gathers from the press of Benchmark to its end; each press starts a fresh one.
struct SequenceRun {
    int SelectedSlotCount = 0;
    int FinishedSlotCount = 0;
    bool CloseRequested = false;
    bool CloseWhenDone = false;
    bool OpenReport = false;
    bool ReportDue = false;  // the report is written once the game's files are back
    std::string EndStatus;  // the status told once the game's files are back ("" after an abort)
    bool AbortRequested = false;
    int WaitMs = 3000;  // the pause between slots
    SequenceReport Report;
    std::optional<RepeatSettings> Repeat;  // set when a slot whose runs vary is launched again
    int SlotLaunches = 0;                  // launches of the current slot so far
    RunResults SlotRuns;                   // the runs of all of them
    bool SlotStable = true;                // whether those runs vary within the limit
};

class RunController {
public:
    RunController(SequenceWindow& window, SequenceSteps& steps, FileSystem& files, SettingsStore& settings,
                  const LocaleInfo& locale, ProcessRunner& game);
    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;

    void SetFolders(const Folders& folders) { folders_ = folders; }

    // Event handlers.
    void BenchButtonClick();
    void cpTerminate();
    // The diagnostic tool has ended: its report is read a second later.
    void dxrunTerminate();
    // The timer asked for through SequenceWindow::StartTimer() is due.
    void OnTimer();
    void Image2Click() { run_.AbortRequested = true; }

    // The window is asked to close (close box, Alt+F4, WM_CLOSE, end of the session). Returns true when it
    // may close now: no sequence runs, or the sequence was ended here and the user's files are back. While
    // the game or the diagnostic tool runs it returns false; the sequence ends as an abort when that process
    // exits, and SequenceWindow::CloseWindow() follows.
    bool RequestClose();
    // The session ends now: whatever runs, the user's files go back at once.
    void EndNow();
    // Whether a sequence has started and not ended yet.
    bool Busy() const { return state_ != SequenceState::Idle; }

    SequenceState State() const { return state_; }
    int SelectedSlotCount() const { return run_.SelectedSlotCount; }
    int FinishedSlotCount() const { return run_.FinishedSlotCount; }
    const std::string& CurrentSlotKey() const { return currentSlotKey_; }
    bool AbortRequested() const { return run_.AbortRequested; }
    bool RunSucceeded() const { return runSucceeded_; }
    int WaitMs() const { return run_.WaitMs; }
    const std::string& SequenceStamp() const { return sequenceStamp_; }
    const std::string& SequenceStartText() const { return sequenceStartText_; }
    const std::string& ShaderLabel() const { return shaderLabel_; }
    const std::string& ResolutionLabel() const { return resolutionLabel_; }
    const std::vector<std::string>& ReportLines() const { return run_.Report.Lines(); }
    // Every slot of the sequence that has ended, with its runs or its failure (none in screenshot mode).
    const std::vector<SlotResult>& SlotResults() const { return run_.Report.Slots(); }
    const std::string& CommandLine() const { return commandLine_; }
    const LaunchValues& Launch() const { return launch_; }
    const DemoLocation& Demo() const { return demo_; }
    // Results folder + "result_" + stamp + "_.htm", or the Program folder's "Benchmark\" when unset.
    std::string ReportPath() const;

private:
    // What the pending timer is for.
    enum class Due { Nothing, ToolReport, FirstLaunch, NextSlot, Relaunch, FilesRestored };

    // Why the press cannot start a sequence, or "". Changes no file of the game (it may create the
    // Results folder).
    std::string Refusal();
    // The folder the report goes to, with its trailing backslash.
    std::string ResultsFolder() const;
    void StartSequence();
    void PrepareLaunchValues();
    // Gets slot k (or the first selected slot after it) ready to start: command line, demo, old log.
    // Returns false when no selected slot is left.
    bool PrepareSlot(int k);
    void StartPreparedSlot();
    void AfterPause();
    void FinishLastSlot();
    // After the last slot, once the game's files are back: the report and the data files.
    void FinishReport();
    void EndSequence();
    void AbortSequence();
    // A step failed (its reason is in failures_): the sequence ends as an abort, the reasons are
    // reported once the files are back.
    void Fail();
    // Puts the user's configuration back and waits a second before the last steps.
    void RestoreAndWait();
    void FinishRestore();
    void Wait(Due due, int ms);
    // Runs at once what the pending timer would have run later.
    void RunDueNow();

    std::string LogPath() const;
    // Checks the log of the slot that has just ended and keeps its scores for the report.
    bool CheckRunLog();
    // Records the failure of the slot that has just ended; returns false.
    bool SlotFailed(SlotFailure failure);
    // With repeats on: adds the launch that has just ended to the slot's, and decides on another launch
    // (relaunch_). Returns false when the runs together give no average.
    bool CountLaunch();
    // The same slot again, with the same command line and the game's files as they are.
    void Relaunch();
    void AppendResultSection();
    void SaveReport();
    // The JSON, CSV and chart files beside the saved report; a file that cannot be written is a
    // recorded failure, the report stays saved.
    void WriteResultFiles();
    void MoveScreenshot();
    // Runs a step; an exception becomes a recorded failure. Returns whether the step went through.
    template <class Step>
    bool Try(Step step);

    SequenceWindow& window_;
    SequenceSteps& steps_;
    FileSystem& files_;
    SettingsStore& store_;
    const LocaleInfo& locale_;
    ProcessRunner& game_;

    Folders folders_;
    BenchSettings settings_;
    SequenceState state_ = SequenceState::Idle;
    SequenceRun run_;
    int currentSlot_ = -1;
    int preparedSlot_ = -1;
    std::string currentSlotKey_;
    Due due_ = Due::Nothing;
    bool configBack_ = false;
    std::vector<std::string> failures_;
    bool runSucceeded_ = false;
    std::string sequenceStamp_;
    std::string sequenceStartText_;
    std::string shaderLabel_;
    std::string resolutionLabel_;
    std::string commandLine_;
    LaunchValues launch_;
    std::optional<RunResults> results_;   // scores of the slot that has just ended (all its launches)
    std::optional<SlotRepeats> repeats_;  // with repeats on: what the launches of that slot came to
    bool relaunch_ = false;               // the slot that has just ended is launched again
    DemoLocation demo_;
};

// Longest Results folder path: the report's name ("result_" + stamp + "_.htm") must still fit in a path.
inline constexpr std::size_t kMaxResultsFolderLength = 200;

// Why the report cannot go to `folder` ("" when it can): not a full path, too long, or it does not
// exist and cannot be created (it is created when missing).
std::string ResultsFolderProblem(FileSystem& files, const std::string& folder);

// Pause between slots from the text of the wait box: 1 to 10 seconds, 3 when the box is empty or unreadable.
int WaitMillisecondsFrom(const std::string& waitText);

}  // namespace wmb
